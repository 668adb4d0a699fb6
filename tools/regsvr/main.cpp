// regsvr: registers or unregisters an in-process object module.
#include "korvane_version.h"
#include "module_registration.h"
#include "usage.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

namespace {
constexpr int kExitSuccess = 0;
constexpr int kExitFunctionFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitModule = 3;

int usageError(const std::string &message) {
    std::fprintf(stderr, "regsvr: %s (see regsvr --help)\n", message.c_str());
    return kExitUsage;
}

int run(int argc, char **argv) {
    RegistrationStep step = RegistrationStep::Register;
    const char *module = nullptr;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && (arg == "-h" || arg == "--help")) {
            std::fputs(kUsage, stdout);
            return kExitSuccess;
        }
        if (!optionsEnded && arg == "--version") {
            std::fputs("regsvr " KORVANE_VERSION "\n", stdout);
            return kExitSuccess;
        }
        if (!optionsEnded && (arg == "-u" || arg == "--unregister")) {
            step = RegistrationStep::Unregister;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usageError("unknown option " + std::string(arg));
        } else if (module) {
            return usageError("only one MODULE may be given");
        } else {
            module = argv[i];
        }
    }
    if (!module)
        return usageError("no MODULE given");
    char resolved[PATH_MAX];
    if (!::realpath(module, resolved)) {
        std::fprintf(stderr, "regsvr: %s: %s\n", module, std::strerror(errno));
        return kExitModule;
    }
    const RegistrationOutcome outcome = runRegistration(resolved, step);
    if (!outcome.called) {
        std::fprintf(stderr, "regsvr: %s\n", outcome.message.c_str());
        return kExitModule;
    }
    if (FAILED(outcome.result)) {
        std::fprintf(stderr, "regsvr: %s\n", outcome.message.c_str());
        return kExitFunctionFailed;
    }
    std::printf("%s\n", outcome.message.c_str());
    return kExitSuccess;
}
} // namespace

int main(int argc, char **argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "regsvr: %s\n", e.what());
        return kExitModule;
    }
}
