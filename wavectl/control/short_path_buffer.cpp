// Short paths for the session's commands.
#include "short_path_buffer.h"

#include "files/short_path.h"

#include <cerrno>
#include <string>

ShortPath TakeShortPath(std::string_view path) {
    ShortPath shortPath;
    if (path.find('\0') != std::string_view::npos) {
        shortPath.refusal = kPathWithZero;
        return shortPath;
    }
    const DWORD length =
        GetShortPathNameA(std::string(path).c_str(), shortPath.text, sizeof shortPath.text);
    if (length == 0)
        shortPath.refusal = errno == ENAMETOOLONG ? kPathTooLong : kPathNotFound;
    else if (length >= sizeof shortPath.text)
        shortPath.refusal = kPathTooLong;
    return shortPath;
}
