// Loads a module and calls DllRegisterServer or DllUnregisterServer.
#include "module_registration.h"

#include "com/creation.h"
#include "com/error_detail.h"

#include <dlfcn.h>

RegistrationOutcome runRegistration(const std::string &path, RegistrationStep step) {
    const char *function =
        step == RegistrationStep::Register ? "DllRegisterServer" : "DllUnregisterServer";
    RegistrationOutcome outcome;
    void *module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *reason = ::dlerror();
        outcome.message = "cannot load " + path + ": " + (reason ? reason : "unknown error");
        return outcome;
    }
    const auto entry = reinterpret_cast<DllRegisterServerFunc>(::dlsym(module, function));
    if (!entry) {
        outcome.message = path + " does not export " + function;
    } else {
        clearLastErrorDetail();
        outcome.called = true;
        outcome.result = entry();
        outcome.message = std::string(function) + " in " + path +
                          (SUCCEEDED(outcome.result) ? " succeeded: " : " failed: ") +
                          hresultText(outcome.result);
        // The code names the step that failed; the detail says why (file, line, errno text).
        if (FAILED(outcome.result) && !lastErrorDetail().empty())
            outcome.message += ": " + lastErrorDetail();
    }
    ::dlclose(module);
    return outcome;
}
