// Loads a module and calls DllRegisterServer or DllUnregisterServer.
#include "module_registration.h"

#include "com/creation.h"
#include "com/error_detail.h"
#include "com/module_loader.h"

RegistrationOutcome runRegistration(const std::string &path, RegistrationStep step) {
    const char *function =
        step == RegistrationStep::Register ? "DllRegisterServer" : "DllUnregisterServer";
    RegistrationOutcome outcome;
    // The runtime's own loader, so that a module that creation would refuse to load is never
    // registered: its code would otherwise run here, and its classes be named for nothing.
    LoadedModule module;
    if (FAILED(openModule(module, path))) {
        outcome.message = lastErrorDetail();
        return outcome;
    }
    const auto entry = reinterpret_cast<DllRegisterServerFunc>(module.symbol(function));
    if (!entry) {
        outcome.message = path + " does not export " + function;
        return outcome;
    }
    clearLastErrorDetail();
    outcome.called = true;
    outcome.result = entry();
    outcome.message = std::string(function) + " in " + path +
                      (SUCCEEDED(outcome.result) ? " succeeded: " : " failed: ") +
                      hresultText(outcome.result);
    // The code names the step that failed; the detail says why (file, line, errno text).
    if (FAILED(outcome.result) && !lastErrorDetail().empty())
        outcome.message += ": " + lastErrorDetail();
    return outcome;
}
