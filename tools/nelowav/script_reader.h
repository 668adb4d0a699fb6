// Reading a script line by line, with a bound on the length of a line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Longer lines are refused: no command needs more, and a file without newlines (a device, a
// binary file) must not be read into memory whole.
inline constexpr size_t kMaxScriptLineLength = 8192;

class ScriptReader {
  public:
    enum class Status { Line, End, Failed };

    // Reads source, which must outlive the reader.
    explicit ScriptReader(std::FILE *source)
        : m_source(source) {}

    // The next line without its newline (and without a UTF-8 byte-order mark before the first);
    // Failed, with the reason in error, for a line too long or a read error.
    Status next(std::string &line, std::string &error);

  private:
    std::FILE *m_source;
    bool m_atStart = true;
};
