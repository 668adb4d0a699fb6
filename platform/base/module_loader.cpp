// dlopen behind the checks that keep the wrong code out.
#include "base/module_loader.h"

#include "base/module_trust.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <utility>

namespace {
std::string loaderError() {
    const char *reason = ::dlerror();
    return reason ? reason : "unknown error";
}
} // namespace

LoadedModule::LoadedModule(LoadedModule &&other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)) {
}

LoadedModule &LoadedModule::operator=(LoadedModule &&other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

LoadedModule::~LoadedModule() {
    close();
}

std::optional<ModuleLoadError> LoadedModule::open(const std::string &path) {
    close();
    // A relative path would be resolved against whatever the current folder or the library
    // search path happens to be, which lets the wrong code in.
    if (path.empty() || path.front() != '/')
        return ModuleLoadError{ModuleLoadFailure::NotAbsolute,
                               "the module path \"" + path + "\" is not absolute"};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return ModuleLoadError{ModuleLoadFailure::NotFound,
                               "no module at " + path + ": " + std::strerror(errno)};
    if (const std::string open = placeOpenToEveryone(path); !open.empty())
        return ModuleLoadError{ModuleLoadFailure::OpenToEveryone, "the module " + path +
                                                                      " is not loaded: " + open +
                                                                      " is writable by every user"};
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const std::string reason = loaderError();
        // The loader names the file itself unless the fault lies in one of its dependencies.
        return ModuleLoadError{
            ModuleLoadFailure::CannotLoad,
            "cannot load " + (reason.starts_with(path + ": ") ? reason : path + ": " + reason)};
    }
    return std::nullopt;
}

void *LoadedModule::symbol(const char *name) const {
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}

void LoadedModule::close() {
    if (void *handle = std::exchange(m_handle, nullptr))
        ::dlclose(handle);
}
