// Reading a script line by line, with a bound on the length of a line. The reader keeps its
// own buffer, so that what it has not taken yet is never hidden from the poll that waits for
// more: a stream's buffer would be.
#include "script_reader.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace {

// Editors on some systems start UTF-8 text with one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool readable(const pollfd &watched) {
    return (watched.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

} // namespace

ScriptReader::Status ScriptReader::fill(std::string &error) {
    if (m_atEnd)
        return Status::End;
    for (;;) {
        // A signal that came before the wait began is seen here all the same.
        std::array<pollfd, 2> watched{pollfd{m_source, POLLIN, 0},
                                      pollfd{m_interruption, POLLIN, 0}};
        const int ready = ::poll(watched.data(), m_interruption >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0 && m_interruption >= 0 && readable(watched[1]))
            return Status::Interrupted;
        const ssize_t got = ready < 0 ? -1 : ::read(m_source, m_buffer.data(), m_buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = "the script cannot be read: ";
            error += std::strerror(errno);
            return Status::Failed;
        }
        m_begin = 0;
        m_end = static_cast<std::size_t>(got);
        m_atEnd = got == 0;
        return m_atEnd ? Status::End : Status::Line;
    }
}

ScriptReader::Status ScriptReader::next(std::string &line, std::string &error) {
    line.clear();
    for (;;) {
        if (m_begin == m_end) {
            const Status filled = fill(error);
            if (filled == Status::End && !line.empty())
                break;
            if (filled != Status::Line)
                return filled;
        }
        const std::string_view rest(m_buffer.data() + m_begin, m_end - m_begin);
        const std::size_t newline = rest.find('\n');
        const std::string_view piece = rest.substr(0, newline);
        if (line.size() + piece.size() > kMaxScriptLineLength) {
            error = "the line is longer than ";
            error += std::to_string(kMaxScriptLineLength);
            error += " bytes";
            return Status::Failed;
        }
        line += piece;
        m_begin += piece.size();
        if (newline != std::string_view::npos) {
            ++m_begin;
            break;
        }
    }
    if (std::exchange(m_atStart, false) && line.starts_with(kByteOrderMark))
        line.erase(0, kByteOrderMark.size());
    return Status::Line;
}
