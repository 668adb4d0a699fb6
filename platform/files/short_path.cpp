// GetShortPathNameA over POSIX: the file must exist, as the platform's call requires.
#include "files/short_path.h"

#include "base/faultable_calls.h"
#include "base/short_path_codec.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>

DWORD GetShortPathNameA(const char *longPath, char *shortPath, DWORD bufferLength) {
    struct stat status {};
    if (longPath == nullptr || *longPath == '\0') {
        errno = ENOENT;
        return 0;
    }
    if (faultable::stat(longPath, &status) != 0)
        return 0;
    const std::string encoded = shortenPath(longPath);
    if (encoded.size() >= bufferLength || shortPath == nullptr)
        return static_cast<DWORD>(encoded.size() + 1);
    std::memcpy(shortPath, encoded.c_str(), encoded.size() + 1);
    return static_cast<DWORD>(encoded.size());
}
