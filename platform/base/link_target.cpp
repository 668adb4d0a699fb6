// Following symbolic links one at a time, so that each can be checked before it is trusted.
#include "base/link_target.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

// The rule of the kernel's protected_symlinks: in a sticky folder that anyone may write, a
// link is trusted only when it belongs to the one who follows it or to the folder's owner.
bool mayFollow(const std::filesystem::path &link, const struct stat &linkInfo) {
    const std::filesystem::path parent = link.parent_path();
    struct stat folder {};
    if (::stat(parent.empty() ? "." : parent.c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

} // namespace

std::optional<std::string> followLinks(const std::string &path, ReplaceFailure &failure) {
    std::filesystem::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current.string();
        if (!mayFollow(current, info)) {
            failure = {ReplaceFailure::Kind::NotPermitted, EACCES,
                       "not following " + current.string() +
                           ": a link of another user in a shared folder"};
            return std::nullopt;
        }
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) {
            failure = replaceFailure("cannot follow the link", current.string(), error.value());
            return std::nullopt;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    failure = replaceFailure("cannot follow the links from", path, ELOOP);
    return std::nullopt;
}
