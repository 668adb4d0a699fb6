// GetTempPathA and GetTempFileNameA: the folder for temporary files and unique names in it.
#pragma once

#include "files/file_types.h"

// Writes TMPDIR when it is set and absolute, else "/tmp", always with a trailing slash, and
// returns its length without the terminator. Returns the size needed, terminator included,
// when bufferLength is too small (writing nothing), and 0 (errno EINVAL) for a null buffer of
// nonzero length.
DWORD GetTempPathA(DWORD bufferLength, char *buffer);

// Writes pathName + "/" + the first three characters of prefix + four upper-case hexadecimal
// digits + ".tmp" into tempFileName, which must hold PATH_MAX bytes (the system's limit rather
// than the platform's MAX_PATH, so that any temporary folder the system takes serves). With
// unique nonzero its low 16 bits are the digits, nothing is created and unique is returned.
// With unique 0 the file is created empty with mode 0600 (never through a symbolic link), the
// next number being tried while a name is taken, and the number used is returned. Returns 0
// with errno set on failure, writing nothing: ENAMETOOLONG when the name would not fit
// PATH_MAX, EEXIST when every number is taken, or the error that stopped the creation.
UINT GetTempFileNameA(const char *pathName, const char *prefix, UINT unique, char *tempFileName);
