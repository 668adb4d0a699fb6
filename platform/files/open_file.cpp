// OpenFile over POSIX descriptors.
#include "files/open_file.h"

#include "base/faultable_calls.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool recordFullPath(const char *fileName, OFSTRUCT &record) {
    char *full = ::realpath(fileName, nullptr);
    if (full == nullptr)
        return false;
    const std::size_t length = std::strlen(full);
    const bool fits = length < OFS_MAXPATHNAME;
    if (fits)
        std::memcpy(record.szPathName, full, length + 1);
    else
        errno = ENAMETOOLONG;
    std::free(full);
    return fits;
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
    const int fd = faultable::open(reOpenBuff->szPathName, O_RDONLY | O_CLOEXEC);
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
