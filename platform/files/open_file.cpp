// OpenFile over POSIX descriptors.
#include "files/open_file.h"

#include "base/faultable_calls.h"
#include "base/short_path_codec.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

// A full path that does not fit the record, or that a token could be taken for, is kept as a
// token of the long names, as command strings carry long paths; a later open asks for it
// back. Any path the system takes can thus be opened again.
bool recordFullPath(const char *fileName, OFSTRUCT &record) {
    char *full = ::realpath(fileName, nullptr);
    if (full == nullptr)
        return false;
    std::string kept = full;
    std::free(full);
    if (kept.size() >= OFS_MAXPATHNAME || isLongPathToken(kept))
        kept = longPathToken(kept);
    std::memcpy(record.szPathName, kept.c_str(), kept.size() + 1);
    return true;
}

// The path recorded, or nullopt (errno set) for a token no longer remembered.
std::optional<std::string> recordedPath(const OFSTRUCT &record) {
    if (!isLongPathToken(record.szPathName))
        return std::string(record.szPathName);
    std::optional<std::string> path = decodeShortPath(record.szPathName);
    if (!path)
        errno = ENOENT;
    return path;
}

} // namespace

HFILE OpenFile(const char *fileName, OFSTRUCT *reOpenBuff, UINT style) {
    if (reOpenBuff == nullptr)
        return HFILE_ERROR;
    if ((style & OF_REOPEN) == 0) {
        reOpenBuff->cBytes = sizeof(OFSTRUCT);
        if (fileName == nullptr || !recordFullPath(fileName, *reOpenBuff)) {
            reOpenBuff->nErrCode = static_cast<uint16_t>(fileName == nullptr ? ENOENT : errno);
            return HFILE_ERROR;
        }
    }
    const std::optional<std::string> path = recordedPath(*reOpenBuff);
    const int fd = path ? faultable::open(path->c_str(), O_RDONLY | O_CLOEXEC) : -1;
    reOpenBuff->nErrCode = fd < 0 ? static_cast<uint16_t>(errno) : 0;
    return fd < 0 ? HFILE_ERROR : fd;
}

LONG _llseek(HFILE file, LONG offset, int origin) {
    const off_t position = faultable::lseek(file, offset, origin == FILE_END ? SEEK_END : SEEK_SET);
    if (position < 0 || position > INT32_MAX)
        return HFILE_ERROR;
    return static_cast<LONG>(position);
}

LONG _hread(HFILE file, void *buffer, LONG count) {
    if (count < 0)
        return HFILE_ERROR;
    auto *bytes = static_cast<char *>(buffer);
    LONG total = 0;
    while (total < count) {
        const ssize_t got =
            faultable::read(file, bytes + total, static_cast<std::size_t>(count - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return HFILE_ERROR;
        if (got == 0)
            break;
        total += static_cast<LONG>(got);
    }
    return total;
}

HFILE _lclose(HFILE file) {
    return faultable::close(file) == 0 ? 0 : HFILE_ERROR;
}
