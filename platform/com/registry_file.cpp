// The registry file: its location, its lock, and reading and atomically replacing it.
#include "registry_file.h"

#include "base/faultable_calls.h"
#include "base/file_descriptor.h"
#include "com/error_detail.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {
// As many links as the kernel itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
// Names of temporary files only collide with leftovers of a crashed writer; a few tries pass them.
constexpr int kTemporaryNameAttempts = 100;
// Another writer holds the lock for the milliseconds of one update; one that holds it longer
// is stuck or is a person's editor, and registering then fails rather than hangs.
constexpr std::chrono::milliseconds kLockPatience{2000};
constexpr std::chrono::milliseconds kLockRetry{10};

std::string environmentValue(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = environmentValue("HOME");
    if (home.empty()) {
        if (const passwd *entry = ::getpwuid(::getuid()))
            home = entry->pw_dir ? entry->pw_dir : "";
    }
    return home;
}

HRESULT systemFailure(HRESULT hr, const std::string &what, int errnoValue) {
    setLastSystemErrorDetail(what, errnoValue);
    return hr;
}

HRESULT tooLarge(const std::string &file) {
    setLastErrorDetail(file + " is larger than the registry's limit of " +
                       std::to_string(kMaxRegistrySize) + " bytes");
    return REGDB_E_READREGDB;
}

HRESULT readAll(int fd, const std::string &file, std::string &text) {
    struct stat info {};
    if (faultable::fstat(fd, &info) != 0) {
        const int failure = errno;
        return systemFailure(REGDB_E_READREGDB, "cannot read " + file, failure);
    }
    if (!S_ISREG(info.st_mode)) {
        setLastErrorDetail(file + " is not a regular file");
        return REGDB_E_READREGDB;
    }
    if (static_cast<uintmax_t>(info.st_size) > kMaxRegistrySize)
        return tooLarge(file);
    char buffer[65536];
    for (;;) {
        const ssize_t got = faultable::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return S_OK;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int failure = errno;
            return systemFailure(REGDB_E_READREGDB, "cannot read " + file, failure);
        }
        // The file may grow while it is read; what was checked above is no promise.
        if (text.size() + static_cast<size_t>(got) > kMaxRegistrySize)
            return tooLarge(file);
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = faultable::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        text.remove_prefix(static_cast<size_t>(put));
    }
    return true;
}

// Created with the final mode already (less what the umask takes), so that the contents are
// never readable by more users than the finished file will be.
int createTemporary(const std::string &file, mode_t mode, std::string &temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = file + ".new-" + std::to_string(::getpid()) + '-' + std::to_string(counter++);
        const int fd = faultable::open(temporary.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Only root can give a file away, so an owner that cannot be kept is no error: the replacement
// then belongs to whoever writes it, as any new file would.
bool keepOwner(int fd, const struct stat &existing) {
    if (existing.st_uid == ::geteuid() && existing.st_gid == ::getegid())
        return true;
    return ::fchown(fd, existing.st_uid, existing.st_gid) == 0;
}

// Gives the new file the old one's owner and mode, then the text; errno tells why it failed.
bool fillTemporary(int fd, const std::string &text, const struct stat *existing) {
    if (existing) {
        keepOwner(fd, *existing);
        // After the owner, since a change of owner may clear the set-id bits.
        if (::fchmod(fd, existing->st_mode & 07777) != 0)
            return false;
    }
    return writeAll(fd, text) && faultable::fsync(fd) == 0;
}

void syncFolder(const std::filesystem::path &folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}
} // namespace

bool configuredRegistryFile(std::string &path) {
    const std::string configured = environmentValue(kRegistryEnvironmentVariable);
    if (!configured.empty()) {
        // A relative name would land wherever the program happens to be started.
        if (configured.front() != '/') {
            setLastErrorDetail(std::string(kRegistryEnvironmentVariable) +
                               " is not an absolute path: " + configured);
            return false;
        }
        path = configured;
        return true;
    }
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') {
        const std::string home = homeFolder();
        if (home.empty()) {
            setLastErrorDetail("no home folder to keep the registry in");
            return false;
        }
        dataHome = home + "/.local/share";
    }
    path = dataHome + "/korvane/com-registry";
    return true;
}

bool resolveRegistryFile(const std::string &path, std::string &file) {
    std::filesystem::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            file = current.string();
            return true;
        }
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) {
            setLastErrorDetail("cannot follow the link " + current.string() + ": " +
                               error.message());
            return false;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    setLastSystemErrorDetail("cannot follow the links from " + path, ELOOP);
    return false;
}

RegistryLock::~RegistryLock() {
    if (m_fd >= 0)
        faultable::close(m_fd);
}

bool RegistryLock::acquire(const std::string &file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::create_directories(folder, error) && error) {
        setLastErrorDetail("cannot create the folder " + folder.string() + ": " + error.message());
        return false;
    }
    const std::string lockPath = file + ".lock";
    m_fd = faultable::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        const int failure = errno;
        setLastSystemErrorDetail("cannot open the lock " + lockPath, failure);
        return false;
    }
    const auto giveUp = std::chrono::steady_clock::now() + kLockPatience;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int failure = errno;
        const bool held = failure == EWOULDBLOCK || failure == EINTR;
        if (!held || std::chrono::steady_clock::now() >= giveUp) {
            if (held)
                setLastErrorDetail(lockPath + " is held by another program");
            else
                setLastSystemErrorDetail("cannot lock " + lockPath, failure);
            faultable::close(std::exchange(m_fd, -1));
            return false;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return true;
}

HRESULT readRegistryFile(const std::string &file, RegistryTree &out) {
    FileDescriptor fd(faultable::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno != ENOENT) {
            const int failure = errno;
            return systemFailure(REGDB_E_READREGDB, "cannot read " + file, failure);
        }
        out = RegistryTree();
        return S_OK;
    }
    std::string text;
    if (const HRESULT hr = readAll(fd.get(), file, text); FAILED(hr))
        return hr;
    size_t line = 0;
    if (FAILED(RegistryTree::parse(text, out, &line))) {
        setLastErrorDetail(file + " line " + std::to_string(line) + " is not registry text");
        return REGDB_E_READREGDB;
    }
    return S_OK;
}

HRESULT replaceRegistryFile(const std::string &file, const std::string &text) {
    if (text.size() > kMaxRegistrySize) {
        setLastErrorDetail("not writing " + file + ": the registry would grow to " +
                           std::to_string(text.size()) + " bytes, past its limit of " +
                           std::to_string(kMaxRegistrySize));
        return REGDB_E_WRITEREGDB;
    }
    struct stat existing {};
    const bool exists = ::stat(file.c_str(), &existing) == 0;
    std::string temporary;
    FileDescriptor fd(createTemporary(file, exists ? existing.st_mode & 0777 : 0666, temporary));
    if (!fd.valid()) {
        const int failure = errno;
        return systemFailure(REGDB_E_WRITEREGDB, "cannot create a file beside " + file, failure);
    }
    const bool filled = fillTemporary(fd.get(), text, exists ? &existing : nullptr);
    const int fillError = errno;
    if (!filled || !fd.close()) {
        const int failure = filled ? errno : fillError;
        faultable::unlink(temporary.c_str());
        return systemFailure(REGDB_E_WRITEREGDB, "cannot write " + file, failure);
    }
    if (faultable::rename(temporary.c_str(), file.c_str()) != 0) {
        const int failure = errno;
        faultable::unlink(temporary.c_str());
        return systemFailure(REGDB_E_WRITEREGDB, "cannot replace " + file, failure);
    }
    syncFolder(std::filesystem::path(file).parent_path());
    return S_OK;
}
