// Replacing a file through an unnamed file in the target's folder (O_TMPFILE), which vanishes
// by itself when a save is abandoned or killed, and gets a name only once it is complete.
// Where the file system has no unnamed files, a hidden named one stands in for it.
#include "base/file_replacement.h"

#include "base/background_release.h"
#include "base/faultable_calls.h"
#include "base/link_target.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string_view>
#include <unistd.h>

namespace {

// Names collide only with leftovers of a killed writer or with another writer's; a few tries
// pass them.
constexpr int kNameAttempts = 100;
constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNameSuffix = "XXXXXX";

std::string folderOf(const std::string &path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// ".<name>.XXXXXX" beside the target, named relative to the folder: hidden, so that file
// pickers do not offer a file still being written. The name is cut to leave room for the dot
// and the suffix, so that a target whose name is near the system's limit can still be replaced.
std::string patternBeside(const std::string &name) {
    constexpr std::size_t kRoomForName = NAME_MAX - 2 - kNameSuffix.size();
    // Appended piece by piece: GCC 12's -Wrestrict misreads the inlined "." + string.
    std::string pattern(1, '.');
    pattern.append(name, 0, kRoomForName).append(1, '.').append(kNameSuffix);
    return pattern;
}

std::string randomName(const std::string &pattern) {
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameLetters.size() - 1);
    std::string name = pattern;
    for (std::size_t at = name.size() - kNameSuffix.size(); at < name.size(); ++at)
        name[at] = kNameLetters[pick(generator)];
    return name;
}

// Only root can give a file away; a writer that cannot keep the owner makes the file its own,
// as any new file would be. The group stays wherever the writer may set it, as a member of it
// may, so that the others of a shared group keep their access.
void keepOwner(int fd, const struct stat &existing) {
    if (existing.st_uid != ::geteuid() && ::fchown(fd, existing.st_uid, existing.st_gid) == 0)
        return;
    // A cast to void does not quiet the unused-result warning of the fortified C library.
    if (existing.st_gid != ::getegid()) {
        [[maybe_unused]] const int given = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
}

// The target already holds the new contents whatever happens here; a failed folder sync only
// leaves the new name less durable, which is no reason to report the save as failed.
void syncFolder(int folder) {
    FileDescriptor fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

FileReplacement::FileReplacement(std::string target, ReplacePolicy policy)
    : m_target(std::move(target))
    , m_policy(policy) {
}

FileReplacement::~FileReplacement() {
    if (m_named)
        faultable::unlinkAt(m_folder.get(), m_temporary.c_str());
}

std::optional<ReplaceFailure> FileReplacement::create() {
    if (auto refused = inspectTarget())
        return refused;
    const std::string folder = folderOf(m_target);
    // Every name below is taken relative to the folder, so that the hidden name beside a target
    // whose path is near the system's limit is never too long. O_PATH needs no right to list
    // the folder, which creating a file in it never needed either.
    m_folder = FileDescriptor(faultable::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!m_folder.valid())
        return replaceFailure("cannot create a file beside", m_target, errno);
    m_name = std::filesystem::path(m_target).filename().string();
    const std::string pattern = patternBeside(m_name);
    // A person's file starts with the mode it will have (less the umask, which for a new file
    // is exactly what the kernel should take off); a scratch file is private from the start.
    mode_t mode = 0600;
    if (m_policy == ReplacePolicy::Durable)
        mode = m_existing ? m_existing->st_mode & 0777 : 0666;
    m_fd = FileDescriptor(faultable::openUnnamed(m_folder.get(), pattern.c_str(), mode));
    if (m_fd.valid())
        return std::nullopt;
    // A file system without unnamed files, or a kernel older than them, which reads the flag as
    // a request for a folder.
    if (errno != EOPNOTSUPP && errno != EISDIR)
        return replaceFailure("cannot create a file beside", m_target, errno);
    return createNamed(mode);
}

std::optional<ReplaceFailure> FileReplacement::inspectTarget() {
    if (m_policy == ReplacePolicy::Durable) {
        ReplaceFailure failure{};
        const std::optional<std::string> followed = followLinks(m_target, failure);
        if (!followed)
            return failure;
        m_target = *followed;
    }
    struct stat info {};
    if (faultable::lstat(m_target.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        return replaceFailure("cannot look at", m_target, errno);
    }
    // Only a scratch name can still be a link here: one planted at it is replaced.
    if (S_ISLNK(info.st_mode))
        return std::nullopt;
    if (!S_ISREG(info.st_mode))
        return ReplaceFailure{ReplaceFailure::Kind::NotRegular, 0,
                              m_target + " is not a regular file"};
    // The rename below needs only the folder's permission; the file's own is asked here, with
    // the user's effective identity, as opening it for writing would.
    if (faultable::access(m_target.c_str(), W_OK) != 0)
        return replaceFailure("not replacing", m_target, errno);
    m_existing = info;
    return std::nullopt;
}

std::optional<ReplaceFailure> FileReplacement::createNamed(mode_t mode) {
    const std::string pattern = patternBeside(m_name);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        m_temporary = randomName(pattern);
        m_fd = FileDescriptor(
            faultable::openAt(m_folder.get(), m_temporary.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (m_fd.valid()) {
            m_named = true;
            return std::nullopt;
        }
        if (errno != EEXIST)
            break;
    }
    return replaceFailure("cannot create a file beside", m_target, errno);
}

std::optional<ReplaceFailure> FileReplacement::write(std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = faultable::write(m_fd.get(), bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return replaceFailure("cannot write", m_target, errno);
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return std::nullopt;
}

uint64_t FileReplacement::copyFrom(int from, uint64_t offset, uint64_t length) {
    uint64_t copied = 0;
    while (copied < length) {
        auto at = static_cast<off64_t>(offset + copied);
        const ssize_t put = faultable::copyFileRange(from, &at, m_fd.get(),
                                                     static_cast<std::size_t>(length - copied));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        copied += static_cast<uint64_t>(put);
    }
    return copied;
}

// Only a hint to the kernel, outside the fault seam: the flush in commit reports any failure.
void FileReplacement::startWriteBack() {
    if (m_policy == ReplacePolicy::Durable)
        ::sync_file_range(m_fd.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

std::optional<ReplaceFailure> FileReplacement::commit() {
    if (auto failed = keepAttributes())
        return failed;
    if (m_policy == ReplacePolicy::Durable && faultable::fsync(m_fd.get()) != 0)
        return replaceFailure("cannot write", m_target, errno);
    if (auto failed = linkIntoPlace())
        return failed;
    if (m_policy == ReplacePolicy::Durable)
        syncFolder(m_folder.get());
    return std::nullopt;
}

std::optional<ReplaceFailure> FileReplacement::keepAttributes() {
    mode_t mode = 0600;
    if (m_policy == ReplacePolicy::Durable) {
        if (!m_existing)
            return std::nullopt;
        keepOwner(m_fd.get(), *m_existing);
        // After the owner, since a change of owner clears the set-id bits.
        mode = m_existing->st_mode & 07777;
    }
    if (faultable::fchmod(m_fd.get(), mode) != 0)
        return replaceFailure("cannot keep the permissions of", m_target, errno);
    return std::nullopt;
}

// The close comes before the new contents take the target's name: some file systems report a
// failed write only then.
std::optional<ReplaceFailure> FileReplacement::linkIntoPlace() {
    if (!m_named && !m_existing) {
        // A free name is taken in one step, which leaves nothing behind at any moment.
        if (faultable::linkUnnamed(m_fd.get(), m_folder.get(), m_name.c_str()) == 0) {
            if (m_fd.close())
                return std::nullopt;
            const int error = errno;
            faultable::unlinkAt(m_folder.get(), m_name.c_str());
            return replaceFailure("cannot write", m_target, error);
        }
        if (errno != EEXIST)
            return replaceFailure("cannot replace", m_target, errno);
        // Made by someone else meanwhile: replaced as any existing file is.
    }
    // A link cannot take an existing name, so the file gets a hidden name first and is renamed
    // over the target. Between these two calls (and the close) lies the one moment in which a
    // killed save leaves a ".<name>.XXXXXX" behind; for a named stand-in it is the whole save.
    const std::string pattern = patternBeside(m_name);
    for (int attempt = 0; !m_named && attempt < kNameAttempts; ++attempt) {
        m_temporary = randomName(pattern);
        m_named = faultable::linkUnnamed(m_fd.get(), m_folder.get(), m_temporary.c_str()) == 0;
        if (!m_named && errno != EEXIST)
            break;
    }
    if (!m_named)
        return replaceFailure("cannot replace", m_target, errno);
    if (!m_fd.close())
        return replaceFailure("cannot write", m_target, errno);
    // The file replaced is freed off the caller's path.
    HeldFile replaced(m_target);
    if (auto failed = takeTargetsPlace())
        return failed;
    replaced.releaseInBackground();
    return std::nullopt;
}

// Renaming over a file makes ext4 write the new one out at once (its guard for programs that
// replace files without flushing them): disk work that a scratch file never needs. Such a file
// trades places with the old one instead, whose hidden name then goes; a file system that
// cannot trade names gets the rename.
std::optional<ReplaceFailure> FileReplacement::takeTargetsPlace() {
    if (m_policy == ReplacePolicy::Scratch && m_existing) {
        if (faultable::exchangeAt(m_folder.get(), m_temporary.c_str(), m_name.c_str()) == 0) {
            // Should the old file's name stay, the destructor tries once more.
            m_named = faultable::unlinkAt(m_folder.get(), m_temporary.c_str()) != 0;
            return std::nullopt;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != ENOENT)
            return replaceFailure("cannot replace", m_target, errno);
    }
    if (faultable::renameAt(m_folder.get(), m_temporary.c_str(), m_name.c_str()) != 0)
        return replaceFailure("cannot replace", m_target, errno);
    m_named = false;
    return std::nullopt;
}
