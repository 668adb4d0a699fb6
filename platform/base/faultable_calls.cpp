// Each call asks the fault table first; unarmed that is one relaxed load.
#include "base/faultable_calls.h"

#include "base/file_faults.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace faultable {

int open(const char *path, int flags, mode_t mode) {
    if (fileFaultStrikes(FileCall::Open, path))
        return -1;
    const int fd = ::open(path, flags, mode);
    rememberFaultPath(fd, path);
    return fd;
}

int makeTemporary(char *pathTemplate, int flags) {
    if (fileFaultStrikes(FileCall::Open, pathTemplate))
        return -1;
    const int fd = ::mkostemp(pathTemplate, flags);
    rememberFaultPath(fd, pathTemplate);
    return fd;
}

int openUnnamed(const char *folder, const char *faultPath, mode_t mode) {
    if (fileFaultStrikes(FileCall::Open, faultPath))
        return -1;
    const int fd = ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    rememberFaultPath(fd, faultPath);
    return fd;
}

int linkUnnamed(int fd, const char *to) {
    if (fileFaultStrikes(FileCall::Link, to))
        return -1;
    // Through /proc any user may link a file it has open; AT_EMPTY_PATH, the way without /proc,
    // is kept for those who may read any file (root).
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to, AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    if (error != ENOENT || ::access("/proc/self/fd", X_OK) == 0) {
        errno = error;
        return -1;
    }
    return ::linkat(fd, "", AT_FDCWD, to, AT_EMPTY_PATH);
}

int close(int fd) {
    const bool struck = fileFaultStrikes(FileCall::Close, fd);
    const int error = errno;
    forgetFaultPath(fd);
    // The descriptor goes either way; a fault fails only the report, as a late write error would.
    const int closed = ::close(fd);
    if (struck)
        errno = error;
    return struck ? -1 : closed;
}

ssize_t read(int fd, void *buffer, std::size_t count) {
    if (fileFaultStrikes(FileCall::Read, fd))
        return -1;
    return ::read(fd, buffer, count);
}

ssize_t write(int fd, const void *buffer, std::size_t count) {
    if (fileFaultStrikes(FileCall::Write, fd))
        return -1;
    return ::write(fd, buffer, count);
}

ssize_t copyFileRange(int from, off64_t *fromOffset, int to, std::size_t count) {
    if (fileFaultStrikes(FileCall::Write, to))
        return -1;
    return ::copy_file_range(from, fromOffset, to, nullptr, count, 0);
}

int fsync(int fd) {
    if (fileFaultStrikes(FileCall::Sync, fd))
        return -1;
    return ::fsync(fd);
}

int fstat(int fd, struct stat *info) {
    if (fileFaultStrikes(FileCall::Stat, fd))
        return -1;
    return ::fstat(fd, info);
}

int stat(const char *path, struct stat *info) {
    if (fileFaultStrikes(FileCall::Stat, path))
        return -1;
    return ::stat(path, info);
}

int rename(const char *from, const char *to) {
    if (fileFaultStrikes(FileCall::Rename, to))
        return -1;
    return std::rename(from, to);
}

int exchange(const char *from, const char *to) {
    if (fileFaultStrikes(FileCall::Rename, to))
        return -1;
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE);
}

int unlink(const char *path) {
    if (fileFaultStrikes(FileCall::Unlink, path))
        return -1;
    return ::unlink(path);
}

void *mapReadOnly(int fd, std::size_t length) {
    if (fileFaultStrikes(FileCall::Map, fd))
        return MAP_FAILED;
    return ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
}

} // namespace faultable
