// Short paths for the session's commands.
#include "short_path_buffer.h"

#include "files/short_path.h"

#include <cerrno>

ShortPath TakeShortPath(const char *path) {
    ShortPath shortPath;
    const DWORD length = GetShortPathNameA(path, shortPath.text, sizeof shortPath.text);
    if (length == 0)
        shortPath.refusal = errno == ENAMETOOLONG ? kPathTooLong : kPathNotFound;
    else if (length >= sizeof shortPath.text)
        shortPath.refusal = kPathTooLong;
    return shortPath;
}
