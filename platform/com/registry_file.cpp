// The registry file: its location, its lock, and reading and atomically replacing it.
#include "registry_file.h"

#include "base/faultable_calls.h"
#include "base/file_descriptor.h"
#include "base/file_replacement.h"
#include "base/link_target.h"
#include "com/error_detail.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <span>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {
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
    ReplaceFailure failure{};
    const std::optional<std::string> followed = followLinks(path, failure);
    if (!followed) {
        setLastErrorDetail(failure.reason);
        return false;
    }
    file = *followed;
    return true;
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
    while (faultable::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
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
    FileReplacement replacement(file, ReplacePolicy::Durable);
    std::optional<ReplaceFailure> failure = replacement.create();
    if (!failure)
        failure = replacement.write(std::as_bytes(std::span(text.data(), text.size())));
    if (!failure)
        failure = replacement.commit();
    if (failure) {
        setLastErrorDetail(failure->reason);
        return REGDB_E_WRITEREGDB;
    }
    return S_OK;
}
