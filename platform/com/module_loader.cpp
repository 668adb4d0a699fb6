// dlopen with the runtime's rules.
#include "module_loader.h"

#include "com/error_detail.h"
#include "com/module_trust.h"

#include <cerrno>
#include <dlfcn.h>
#include <string>
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

HRESULT LoadedModule::open(const std::string &path) {
    close();
    // A relative path would be resolved against whatever the current folder or the library
    // search path happens to be, which lets the wrong code in.
    if (path.empty() || path.front() != '/') {
        setLastErrorDetail("the module path \"" + path + "\" is not absolute");
        return CO_E_BAD_PATH;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int failure = errno;
        setLastSystemErrorDetail("no module at " + path, failure);
        return CO_E_DLLNOTFOUND;
    }
    if (const std::string open = placeOpenToEveryone(path); !open.empty()) {
        setLastErrorDetail("the module " + path + " is not loaded: " + open +
                           " is writable by every user");
        return E_ACCESSDENIED;
    }
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const std::string reason = loaderError();
        // The loader names the file itself unless the fault lies in one of its dependencies.
        setLastErrorDetail("cannot load " +
                           (reason.starts_with(path + ": ") ? reason : path + ": " + reason));
        return CO_E_ERRORINDLL;
    }
    return S_OK;
}

void *LoadedModule::symbol(const char *name) const {
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}

void LoadedModule::close() {
    if (void *handle = std::exchange(m_handle, nullptr))
        ::dlclose(handle);
}
