// Checking a module's file and the folders above it for write access by every user.
#include "base/module_trust.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

bool writableByAll(const std::string &place, bool folder) {
    struct stat info {};
    if (::stat(place.c_str(), &info) != 0)
        return true;
    if ((info.st_mode & S_IWOTH) == 0)
        return false;
    return !folder || (info.st_mode & S_ISVTX) == 0;
}

std::string openFolderAbove(std::string path) {
    for (std::size_t slash = path.rfind('/'); slash != std::string::npos; slash = path.rfind('/')) {
        path.resize(slash);
        const std::string folder = path.empty() ? "/" : path;
        if (writableByAll(folder, true))
            return folder;
    }
    return {};
}

} // namespace

std::string placeOpenToEveryone(const std::string &path) {
    if (writableByAll(path, false))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    std::string open = openFolderAbove(path);
    return open.empty() ? openFolderAbove(resolved) : open;
}
