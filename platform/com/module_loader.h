// Loading a module by path for the runtime: only absolute paths, with the failure told apart.
#pragma once

#include "com/hresult.h"

#include <string>

// A loaded module; closed on destruction unless released.
class LoadedModule {
  public:
    LoadedModule() = default;
    LoadedModule(const LoadedModule &) = delete;
    LoadedModule &operator=(const LoadedModule &) = delete;
    LoadedModule(LoadedModule &&other) noexcept;
    LoadedModule &operator=(LoadedModule &&other) noexcept;
    ~LoadedModule();

    // CO_E_BAD_PATH for a path that is not absolute (never loaded), CO_E_DLLNOTFOUND when
    // no file is there, E_ACCESSDENIED when every user could have changed the file
    // (com/module_trust.h; never loaded), CO_E_ERRORINDLL when the file cannot be loaded; the
    // last error detail then names the path and gives the reason.
    HRESULT open(const std::string &path);
    void *symbol(const char *name) const;
    void *handle() const { return m_handle; }
    void close();

  private:
    void *m_handle = nullptr;
};
