// CommandText: a media command built in a buffer of the size that the session's commands use.
#pragma once

#include "base/command_budget.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// A text that would not fit is refused whole, never cut: a cut command could lose its "wait"
// or name a different file.
class CommandText {
  public:
    // The size of the buffer, terminator included.
    static constexpr std::size_t kBufferSize = kLongestCommand + 1;

    CommandText &operator<<(std::string_view part);
    // In decimal, with a minus sign for negatives.
    CommandText &operator<<(int32_t number);

    // False once any part did not fit.
    bool fits() const { return m_fits; }
    const char *c_str() const { return m_text; }

  private:
    char m_text[kBufferSize] = {};
    std::size_t m_length = 0;
    bool m_fits = true;
};
