// Reading a script line by line, with a bound on the length of a line.
#pragma once

#include <array>
#include <cstddef>
#include <string>

// Longer lines are refused: no command needs more, and a file without newlines (a device, a
// binary file) must not be read into memory whole.
inline constexpr size_t kMaxScriptLineLength = 8192;

class ScriptReader {
  public:
    enum class Status { Line, End, Failed, Interrupted };

    // Reads the descriptor source, which must stay open while the reader lives. A wait for
    // more of it gives way once interruption (a descriptor, or -1 for none) is readable.
    ScriptReader(int source, int interruption)
        : m_source(source)
        , m_interruption(interruption) {}

    // The next line without its newline (and without a UTF-8 byte-order mark before the first);
    // Failed, with the reason in error, for a line too long or a read error; Interrupted when
    // the line is not there yet but interruption is readable.
    Status next(std::string &line, std::string &error);

  private:
    // Refills the buffer; Line when it holds bytes again.
    Status fill(std::string &error);

    int m_source;
    int m_interruption;
    bool m_atStart = true;
    bool m_atEnd = false; // a terminal's end of input is not read past
    std::array<char, 4096> m_buffer{};
    std::size_t m_begin = 0; // of the bytes not yet taken
    std::size_t m_end = 0;
};
