// The load failures of the base loader as the runtime's codes.
#include "module_loader.h"

#include "com/error_detail.h"

namespace {
HRESULT codeFor(ModuleLoadFailure failure) {
    switch (failure) {
    case ModuleLoadFailure::NotAbsolute:
        return CO_E_BAD_PATH;
    case ModuleLoadFailure::NotFound:
        return CO_E_DLLNOTFOUND;
    case ModuleLoadFailure::OpenToEveryone:
        return E_ACCESSDENIED;
    case ModuleLoadFailure::CannotLoad:
        break;
    }
    return CO_E_ERRORINDLL;
}
} // namespace

HRESULT openModule(LoadedModule &module, const std::string &path) {
    const auto error = module.open(path);
    if (!error)
        return S_OK;
    setLastErrorDetail(error->reason);
    return codeFor(error->failure);
}
