// GetTempPathA and GetTempFileNameA over POSIX.
#include "files/temp_files.h"

#include "base/faultable_calls.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kPrefixLength = 3;
constexpr UINT kLastNumber = 0xFFFF;
constexpr mode_t kTempFileMode = 0600;

std::string tempFolder() {
    const char *tmpdir = std::getenv("TMPDIR");
    // A relative TMPDIR would name a different folder for each working directory.
    std::string folder = tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}

// The folder and prefix part that every candidate name shares.
std::string nameStem(const char *pathName, const char *prefix) {
    std::string stem = pathName;
    if (!stem.empty() && !stem.ends_with('/'))
        stem += '/';
    return stem + std::string(prefix, ::strnlen(prefix, kPrefixLength));
}

std::string candidateName(const std::string &stem, UINT number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", number & kLastNumber);
    return stem + digits + ".tmp";
}

// The platform starts from its millisecond tick count; any start serves, since taken names
// are skipped.
UINT firstNumber() {
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const auto number = static_cast<UINT>(ticks.count()) & kLastNumber;
    return number == 0 ? 1 : number;
}

UINT nextNumber(UINT number) {
    return number == kLastNumber ? 1 : number + 1;
}

// Creates the file of the first free number from the start on; 0 with errno set when none.
UINT createUniqueFile(const std::string &stem) {
    const UINT first = firstNumber();
    UINT number = first;
    do {
        const std::string name = candidateName(stem, number);
        const int descriptor = faultable::open(
            name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kTempFileMode);
        if (descriptor >= 0) {
            faultable::close(descriptor);
            return number;
        }
        if (errno != EEXIST)
            return 0;
        number = nextNumber(number);
    } while (number != first);
    errno = EEXIST;
    return 0;
}

} // namespace

DWORD GetTempPathA(DWORD bufferLength, char *buffer) {
    if (buffer == nullptr && bufferLength != 0) {
        errno = EINVAL;
        return 0;
    }
    const std::string folder = tempFolder();
    if (folder.size() >= bufferLength)
        return static_cast<DWORD>(folder.size() + 1);
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<DWORD>(folder.size());
}

UINT GetTempFileNameA(const char *pathName, const char *prefix, UINT unique, char *tempFileName) {
    if (pathName == nullptr || prefix == nullptr || tempFileName == nullptr) {
        errno = EINVAL;
        return 0;
    }
    const std::string stem = nameStem(pathName, prefix);
    if (candidateName(stem, 0).size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return 0;
    }
    const UINT number = unique != 0 ? unique : createUniqueFile(stem);
    if (number == 0)
        return 0;
    const std::string name = candidateName(stem, number);
    std::memcpy(tempFileName, name.c_str(), name.size() + 1);
    return number;
}
