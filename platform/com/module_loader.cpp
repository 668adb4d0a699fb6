// dlopen with the runtime's rules.
#include "module_loader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <utility>

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
    if (path.empty() || path.front() != '/')
        return CO_E_BAD_PATH;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return CO_E_DLLNOTFOUND;
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return m_handle ? S_OK : CO_E_ERRORINDLL;
}

void *LoadedModule::symbol(const char *name) const {
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}

void LoadedModule::close() {
    if (void *handle = std::exchange(m_handle, nullptr))
        ::dlclose(handle);
}
