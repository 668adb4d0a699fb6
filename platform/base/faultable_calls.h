// The file calls of the platform's file code, each one a place where a test can inject a fault
// (file_faults.h). They behave as the system calls of the same names.
#pragma once

#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

namespace faultable {

int open(const char *path, int flags, mode_t mode = 0);
// The calls that take a name relative to a folder open as folder (an O_DIRECTORY descriptor),
// so that a name beside a path near the system's limit still reaches the system. A fault
// matches the folder's path, a slash and the name (the folder opened while armed).
int openAt(int folder, const char *name, int flags, mode_t mode = 0);
// A file without a name in folder (O_TMPFILE | O_WRONLY | O_CLOEXEC). A fault matches name, the
// name the file is meant to have, which later calls on it match too.
int openUnnamed(int folder, const char *name, mode_t mode);
// Gives the unnamed file open as fd the name in folder, which must not exist.
int linkUnnamed(int fd, int folder, const char *name);
int close(int fd);
ssize_t read(int fd, void *buffer, std::size_t count);
ssize_t write(int fd, const void *buffer, std::size_t count);
// copy_file_range into to, without offset: a fault matches as a write on to.
ssize_t copyFileRange(int from, off64_t *fromOffset, int to, std::size_t count);
off_t lseek(int fd, off_t offset, int whence);
int fsync(int fd);
int fstat(int fd, struct stat *info);
int stat(const char *path, struct stat *info);
int lstat(const char *path, struct stat *info);
// faccessat with AT_EACCESS: whether the effective identity may access path in mode.
int access(const char *path, int mode);
int fchmod(int fd, mode_t mode);
int flock(int fd, int operation);
// A fault matches the name renamed to.
int renameAt(int folder, const char *from, const char *to);
// renameat2 with RENAME_EXCHANGE: the two names trade their files. A fault matches to, as for a
// rename.
int exchangeAt(int folder, const char *from, const char *to);
int unlinkAt(int folder, const char *name);
int unlink(const char *path);
// A private read-only mapping of the first length bytes; MAP_FAILED on failure.
void *mapReadOnly(int fd, std::size_t length);

} // namespace faultable
