// Finding and merging the installation's registries.
#include "com/system_registry.h"

#include "base/ascii_case.h"
#include "base/trace_area.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
constexpr std::string_view kServerKeySuffix = "\\InprocServer32";
constexpr std::string_view kTypeLibraryRoot = "TypeLib\\";
// TypeLib\{LIBID}\VERSION\LCID\PLATFORM, whose value is the library's file.
constexpr std::size_t kTypeLibraryFileKeyDepth = 5;

void addIfPresent(const fs::path &file, std::vector<std::string> &files) {
    std::error_code error;
    const fs::path real = fs::canonical(file, error);
    if (error || !fs::is_regular_file(real, error))
        return;
    for (const std::string &known : files)
        if (known == real.string())
            return;
    files.push_back(real.string());
}

// The installation this library belongs to, wherever the program that loaded it lies.
void addBesideLibrary(std::vector<std::string> &files) {
    addIfPresent(installationRegistry(loadedLibraryFile(), KORVANE_DATA_FROM_LIBRARY), files);
}

// The installation of the running program: bin/ (the tools) or lib/games/korvane/ (the game)
// below its prefix.
void addBesideProgram(std::vector<std::string> &files) {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return;
    addIfPresent(program.parent_path() / "../share/korvane/com-registry", files);
    addIfPresent(program.parent_path() / "../../../share/korvane/com-registry", files);
}

void addAlongDataDirs(std::vector<std::string> &files) {
    const char *value = std::getenv("XDG_DATA_DIRS");
    std::string_view dirs = value != nullptr && *value != '\0' ? value : kDefaultDataDirs;
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        // Relative entries are ignored, as the base-directory rules say.
        if (dir.starts_with('/'))
            addIfPresent(fs::path(dir) / "korvane/com-registry", files);
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
}

// The keys whose value is a module's file: a class's server, and a type library's file.
bool namesModuleFile(std::string_view key) {
    if (key.size() >= kServerKeySuffix.size() &&
        equalsIgnoringAsciiCase(key.substr(key.size() - kServerKeySuffix.size()), kServerKeySuffix))
        return true;
    return key.size() > kTypeLibraryRoot.size() &&
           equalsIgnoringAsciiCase(key.substr(0, kTypeLibraryRoot.size()), kTypeLibraryRoot) &&
           static_cast<std::size_t>(std::count(key.begin(), key.end(), '\\')) ==
               kTypeLibraryFileKeyDepth - 1;
}

// A user's registration of a module file that is gone, as after deleting the clone that
// registered its build: it must not hide the installation's registration of the same class.
bool namesMissingModule(const RegistryTree &user, const std::string &key) {
    if (!namesModuleFile(key))
        return false;
    const std::optional<std::string> module = user.value(key);
    std::error_code error;
    // A file that cannot be looked at (a folder without search permission) is not known to be
    // gone, so the user's entry stands.
    return module && !module->empty() && !fs::exists(*module, error) && !error;
}

// Once per key and process: the registry is read again for each step of a creation.
void traceSkippedEntry(const std::string &key, const std::string &module) {
    static const bool enabled = traceAreaListed(std::getenv("KORVANE_TRACE"), "com");
    if (!enabled)
        return;
    static std::mutex tracedGuard;
    static std::set<std::string> traced; // guarded by tracedGuard
    const std::lock_guard lock(tracedGuard);
    if (traced.insert(asciiLowered(key)).second)
        writeTraceLine("com", "skipped the user's entry [" + key + "]: its module " + module +
                                  " no longer exists; the installation's entry is used");
}

} // namespace

std::vector<std::string> systemRegistryFiles() {
    std::vector<std::string> files;
    const char *privateRegistry = std::getenv("KORVANE_COM_REGISTRY");
    if (privateRegistry != nullptr && *privateRegistry != '\0')
        return files;
    addBesideLibrary(files);
    addBesideProgram(files);
    addAlongDataDirs(files);
    return files;
}

fs::path installationRegistry(const fs::path &libraryFile, const fs::path &dataFromLibrary) {
    if (!libraryFile.is_absolute())
        return {};
    return (libraryFile.parent_path() / dataFromLibrary / "korvane/com-registry")
        .lexically_normal();
}

fs::path loadedLibraryFile() {
    Dl_info info{};
    // Any function of this library names it; this one is at hand.
    if (dladdr(reinterpret_cast<const void *>(&loadedLibraryFile), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    return info.dli_fname;
}

void mergeSystemKeys(const RegistryTree &system, RegistryTree &user) {
    for (const std::string &key : system.keys()) {
        if (user.hasKey(key)) {
            if (!namesMissingModule(user, key))
                continue;
            traceSkippedEntry(key, *user.value(key));
        }
        user.createKey(key);
        for (const std::string &name : system.valueNames(key))
            user.setValue(key, name, *system.value(key, name));
    }
}
