// CreateFileA and CloseHandle: creating a file that must not exist yet, and closing its handle.
#pragma once

#include "files/file_types.h"

struct SECURITY_ATTRIBUTES;

// Only what the control needs: dwCreationDisposition CREATE_NEW, attributes 0 or
// FILE_ATTRIBUTE_NORMAL, no template. The file is made with mode 0644 less the umask and never
// through a symbolic link: a link at fileName counts as an existing file. dwShareMode is
// accepted and not enforced, since POSIX has no mandatory sharing modes. Returns
// INVALID_HANDLE_VALUE with errno set on failure (EEXIST for an existing name, EINVAL for a
// request outside that set).
HANDLE CreateFileA(const char *fileName, DWORD desiredAccess, DWORD shareMode,
                   SECURITY_ATTRIBUTES *securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);

// Nonzero on success; 0 (errno set) for INVALID_HANDLE_VALUE or a handle already closed.
BOOL CloseHandle(HANDLE handle);
