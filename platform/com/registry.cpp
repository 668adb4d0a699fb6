// The registry file: where it lives, reading it, and replacing it atomically under a lock.
#include "com/registry.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
// Refuses to slurp something that is plainly not a registry (a device, a huge file).
constexpr off_t kMaxRegistrySize = 64 * 1024 * 1024;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd)
        : m_fd(fd) {}
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close went through (it may report a late write error).
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

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

bool readAll(int fd, std::string &text) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxRegistrySize)
        return false;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 ||
            text.size() + static_cast<size_t>(got) > static_cast<size_t>(kMaxRegistrySize))
            return false;
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(put));
    }
    return true;
}

HRESULT readFile(const std::string &path, RegistryTree &out) {
    if (path.empty())
        return REGDB_E_READREGDB;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno != ENOENT)
            return REGDB_E_READREGDB;
        out = RegistryTree();
        return S_OK;
    }
    std::string text;
    if (!readAll(fd.get(), text))
        return REGDB_E_READREGDB;
    return SUCCEEDED(RegistryTree::parse(text, out)) ? S_OK : REGDB_E_READREGDB;
}

void syncFolder(const std::filesystem::path &folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

// Writes text to a new file beside path and renames it over path; on any failure the
// temporary file is removed and path keeps its old contents.
HRESULT replaceFile(const std::string &path, const std::string &text) {
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        return REGDB_E_WRITEREGDB;
    const bool written =
        writeAll(fd.get(), text) && ::fchmod(fd.get(), 0644) == 0 && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return REGDB_E_WRITEREGDB;
    }
    syncFolder(std::filesystem::path(path).parent_path());
    return S_OK;
}

// Opens (creating folders as needed) and exclusively locks "<path>.lock". The data file
// itself cannot carry the lock, since every update replaces it with a new inode.
int lockRegistry(const std::string &path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    const std::string lockPath = path + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return -1;
        }
    }
    return fd;
}
} // namespace

std::string Registry::path() {
    std::string configured = environmentValue(kRegistryEnvironmentVariable);
    if (!configured.empty())
        return configured;
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') {
        const std::string home = homeFolder();
        if (home.empty())
            return {};
        dataHome = home + "/.local/share";
    }
    return dataHome + "/korvane/com-registry";
}

HRESULT Registry::read(RegistryTree &out) {
    return catchOutOfMemory([&] { return readFile(path(), out); });
}

HRESULT Registry::update(const std::function<HRESULT(RegistryTree &)> &change) {
    return catchOutOfMemory([&]() -> HRESULT {
        const std::string file = path();
        if (file.empty())
            return REGDB_E_WRITEREGDB;
        const FileDescriptor lock(lockRegistry(file));
        if (!lock.valid())
            return REGDB_E_WRITEREGDB;
        RegistryTree before;
        HRESULT hr = readFile(file, before);
        if (FAILED(hr))
            return hr;
        RegistryTree after = before;
        // The change is the caller's code: whatever it throws must not reach the file.
        try {
            hr = catchOutOfMemory([&] { return change(after); });
        } catch (...) {
            return E_FAIL;
        }
        if (FAILED(hr) || after == before)
            return hr;
        const HRESULT written = replaceFile(file, after.serialize());
        return FAILED(written) ? written : hr;
    });
}

HRESULT Registry::getValue(std::string_view key, std::string_view name, std::string &value) {
    RegistryTree tree;
    const HRESULT hr = read(tree);
    if (FAILED(hr))
        return hr;
    auto found = tree.value(key, name);
    if (!found)
        return REGDB_E_KEYMISSING;
    value = std::move(*found);
    return S_OK;
}

HRESULT Registry::setValue(std::string_view key, std::string_view name, std::string_view value) {
    return update([&](RegistryTree &tree) { return tree.setValue(key, name, value); });
}

HRESULT Registry::deleteTree(std::string_view key) {
    return update([&](RegistryTree &tree) { return tree.deleteTree(key); });
}
