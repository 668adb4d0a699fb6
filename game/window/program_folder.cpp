// The program's folder read from the kernel's link to the running executable.
#include "program_folder.h"

#include <climits>
#include <unistd.h>

std::string programFolder(const char *programLink) {
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(programLink, target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size())
        return {};
    target.resize(static_cast<size_t>(length));
    const size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash);
}
