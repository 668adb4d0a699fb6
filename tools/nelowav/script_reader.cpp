// Reading a script line by line, with a bound on the length of a line.
#include "script_reader.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

// Editors on some systems start UTF-8 text with one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

ScriptReader::Status ScriptReader::next(std::string &line, std::string &error) {
    line.clear();
    int c = 0;
    while ((c = std::getc(m_source)) != EOF && c != '\n') {
        if (line.size() == kMaxScriptLineLength) {
            error = "the line is longer than ";
            error += std::to_string(kMaxScriptLineLength);
            error += " bytes";
            return Status::Failed;
        }
        line.push_back(static_cast<char>(c));
    }
    if (std::ferror(m_source)) {
        error = "the script cannot be read: ";
        error += std::strerror(errno);
        return Status::Failed;
    }
    if (c == EOF && line.empty())
        return Status::End;
    if (std::exchange(m_atStart, false) && line.starts_with(kByteOrderMark))
        line.erase(0, kByteOrderMark.size());
    return Status::Line;
}
