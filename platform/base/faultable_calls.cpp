// Each call asks the fault table first; unarmed that is one relaxed load.
#include "base/faultable_calls.h"

#include "base/file_faults.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
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

int openAt(int folder, const char *name, int flags, mode_t mode) {
    if (fileFaultStrikes(FileCall::Open, folder, name))
        return -1;
    const int fd = ::openat(folder, name, flags, mode);
    rememberFaultPath(fd, folder, name);
    return fd;
}

int openUnnamed(int folder, const char *name, mode_t mode) {
    if (fileFaultStrikes(FileCall::Open, folder, name))
        return -1;
    const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    rememberFaultPath(fd, folder, name);
    return fd;
}

int linkUnnamed(int fd, int folder, const char *name) {
    if (fileFaultStrikes(FileCall::Link, folder, name))
        return -1;
    // Through /proc any user may link a file it has open; AT_EMPTY_PATH, the way without /proc,
    // is kept for those who may read any file (root).
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), folder, name, AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    if (error != ENOENT || ::access("/proc/self/fd", X_OK) == 0) {
        errno = error;
        return -1;
    }
    return ::linkat(fd, "", folder, name, AT_EMPTY_PATH);
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

off_t lseek(int fd, off_t offset, int whence) {
    if (fileFaultStrikes(FileCall::Seek, fd))
        return -1;
    return ::lseek(fd, offset, whence);
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

int lstat(const char *path, struct stat *info) {
    if (fileFaultStrikes(FileCall::Stat, path))
        return -1;
    return ::lstat(path, info);
}

int access(const char *path, int mode) {
    if (fileFaultStrikes(FileCall::Access, path))
        return -1;
    return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS);
}

int fchmod(int fd, mode_t mode) {
    if (fileFaultStrikes(FileCall::Chmod, fd))
        return -1;
    return ::fchmod(fd, mode);
}

int flock(int fd, int operation) {
    if (fileFaultStrikes(FileCall::Lock, fd))
        return -1;
    return ::flock(fd, operation);
}

int renameAt(int folder, const char *from, const char *to) {
    if (fileFaultStrikes(FileCall::Rename, folder, to))
        return -1;
    return ::renameat(folder, from, folder, to);
}

int exchangeAt(int folder, const char *from, const char *to) {
    if (fileFaultStrikes(FileCall::Rename, folder, to))
        return -1;
    return ::renameat2(folder, from, folder, to, RENAME_EXCHANGE);
}

int unlink(const char *path) {
    if (fileFaultStrikes(FileCall::Unlink, path))
        return -1;
    return ::unlink(path);
}

int unlinkAt(int folder, const char *name) {
    if (fileFaultStrikes(FileCall::Unlink, folder, name))
        return -1;
    return ::unlinkat(folder, name, 0);
}

void *mapReadOnly(int fd, std::size_t length) {
    if (fileFaultStrikes(FileCall::Map, fd))
        return MAP_FAILED;
    return ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
}

} // namespace faultable
