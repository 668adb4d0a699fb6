// CreateFileA and CloseHandle over POSIX descriptors: the handle carries the descriptor.
#include "files/create_file.h"

#include "base/faultable_calls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Less the umask, as for any new file.
constexpr mode_t kNewFileMode = 0666;

HANDLE handleOf(int descriptor) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(descriptor));
}

int descriptorOf(HANDLE handle) {
    return static_cast<int>(reinterpret_cast<intptr_t>(handle));
}

// The open flags for an access mask, or -1 for bits this stand-in does not know.
int accessFlags(DWORD desiredAccess) {
    switch (desiredAccess) {
    case 0:
    case GENERIC_READ:
        return O_RDONLY;
    case GENERIC_WRITE:
        return O_WRONLY;
    case GENERIC_READ | GENERIC_WRITE:
        return O_RDWR;
    default:
        return -1;
    }
}

} // namespace

HANDLE CreateFileA(const char *fileName, DWORD desiredAccess, DWORD, SECURITY_ATTRIBUTES *,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    const int access = accessFlags(desiredAccess);
    const bool known = access >= 0 && creationDisposition == CREATE_NEW &&
                       (flagsAndAttributes == 0 || flagsAndAttributes == FILE_ATTRIBUTE_NORMAL) &&
                       templateFile == nullptr;
    if (fileName == nullptr || !known) {
        errno = EINVAL;
        return INVALID_HANDLE_VALUE;
    }
    // O_EXCL alone already refuses a link at the name; O_NOFOLLOW keeps that true should the
    // disposition ever allow opening an existing file.
    const int descriptor =
        faultable::open(fileName, access | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    return descriptor < 0 ? INVALID_HANDLE_VALUE : handleOf(descriptor);
}

BOOL CloseHandle(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return 0;
    }
    return faultable::close(descriptorOf(handle)) == 0 ? 1 : 0;
}
