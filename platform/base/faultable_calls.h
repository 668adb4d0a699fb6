// The file calls of the platform's file code, each one a place where a test can inject a fault
// (file_faults.h). They behave as the system calls of the same names.
#pragma once

#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

namespace faultable {

int open(const char *path, int flags, mode_t mode = 0);
// mkostemp: the template's path is what a fault matches.
int makeTemporary(char *pathTemplate, int flags);
// open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode): a file without a name in folder. A fault
// matches faultPath, the name the file is meant to have, which later calls on it match too.
int openUnnamed(const char *folder, const char *faultPath, mode_t mode);
// Gives the unnamed file open as fd the name to, which must not exist; a fault matches to.
int linkUnnamed(int fd, const char *to);
int close(int fd);
ssize_t read(int fd, void *buffer, std::size_t count);
ssize_t write(int fd, const void *buffer, std::size_t count);
// copy_file_range into to, without offset: a fault matches as a write on to.
ssize_t copyFileRange(int from, off64_t *fromOffset, int to, std::size_t count);
int fsync(int fd);
int fstat(int fd, struct stat *info);
int stat(const char *path, struct stat *info);
// A fault matches the path renamed to.
int rename(const char *from, const char *to);
// renameat2 with RENAME_EXCHANGE: the two names trade their files. A fault matches to, as for a
// rename.
int exchange(const char *from, const char *to);
int unlink(const char *path);
// A private read-only mapping of the first length bytes; MAP_FAILED on failure.
void *mapReadOnly(int fd, std::size_t length);

} // namespace faultable
