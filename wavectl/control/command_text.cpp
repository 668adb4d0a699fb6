// CommandText: appending within the buffer.
#include "command_text.h"

#include <charconv>
#include <cstring>

CommandText &CommandText::operator<<(std::string_view part) {
    if (!m_fits || part.size() >= kBufferSize - m_length) {
        m_fits = false;
        return *this;
    }
    std::memcpy(m_text + m_length, part.data(), part.size());
    m_length += part.size();
    m_text[m_length] = '\0';
    return *this;
}

CommandText &CommandText::operator<<(int32_t number) {
    char digits[16];
    const char *end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
}
