// Loading a shared module by its absolute path, refusing one that any user could have changed:
// the one way every layer loads code that is not linked in.
#pragma once

#include <optional>
#include <string>

enum class ModuleLoadFailure {
    NotAbsolute,    // never loaded: the path would be resolved against the search path
    NotFound,       // no file at the path
    OpenToEveryone, // never loaded: every user could have changed the file (base/module_trust.h)
    CannotLoad,     // the loader refused the file or one of its dependencies
};

struct ModuleLoadError {
    ModuleLoadFailure failure;
    std::string reason; // names the path and says why, for a message or a trace
};

// A loaded module; closed on destruction unless kept for the rest of the process.
class LoadedModule {
  public:
    LoadedModule() = default;
    LoadedModule(const LoadedModule &) = delete;
    LoadedModule &operator=(const LoadedModule &) = delete;
    LoadedModule(LoadedModule &&other) noexcept;
    LoadedModule &operator=(LoadedModule &&other) noexcept;
    ~LoadedModule();

    // Nothing once the module is loaded.
    std::optional<ModuleLoadError> open(const std::string &path);
    void *symbol(const char *name) const;
    void *handle() const { return m_handle; }
    // For a module whose code may run on other threads until the process ends.
    void keepLoaded() { m_handle = nullptr; }
    void close();

  private:
    void *m_handle = nullptr;
};
