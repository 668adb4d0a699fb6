// nelowav: the scripting host of the NELOWAV wave control.
#include "activex/termination_signal.h"
#include "application_start.h"
#include "base/file_descriptor.h"
#include "com/creation.h"
#include "control_host.h"
#include "interface/nelowav_ids.h"
#include "interface_listing.h"
#include "korvane_version.h"
#include "script_runner.h"
#include "usage.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr int kExitScriptRan = 0;
constexpr int kExitNoControl = 1;
constexpr int kExitScriptError = 2;

struct Options {
    bool json = false;
    bool list = false;
    std::string script; // empty or "-": standard input
};

int usageError(const std::string &message) {
    std::fprintf(stderr, "nelowav: %s (see nelowav --help)\n", message.c_str());
    return kExitScriptError;
}

int runScript(ScriptReader &script, const Options &options, bool canShowDialogs) {
    CoInitialize(nullptr);
    ControlHost host;
    ScriptRunner runner(host, options.json ? OutputStyle::Json : OutputStyle::Plain,
                        canShowDialogs);
    std::string error;
    if (FAILED(host.create(
            kNeloWavProgId, [&runner](int16_t notifyCode) { runner.onDone(notifyCode); }, error))) {
        std::fprintf(stderr, "nelowav: %s\n", error.c_str());
        return kExitNoControl;
    }
    if (options.list) {
        std::fputs(listInterface(host.methodsInfo(), "").c_str(), stdout);
        std::fputs(listInterface(host.eventsInfo(), "event ").c_str(), stdout);
        return kExitScriptRan;
    }
    return runner.run(script);
}

int run(int argc, char **argv) {
    // A reader that goes away (as `| head -1` does) then fails the next write with EPIPE,
    // which ends the script as any failed write does: 2, after the clean-up.
    std::signal(SIGPIPE, SIG_IGN);
    Options options;
    bool scriptGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return kExitScriptRan;
        }
        if (arg == "--version") {
            std::fputs("nelowav " KORVANE_VERSION "\n", stdout);
            return kExitScriptRan;
        }
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--list") {
            options.list = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            return usageError("unknown option " + std::string(arg));
        } else if (scriptGiven) {
            return usageError("only one SCRIPT may be given");
        } else {
            options.script = arg;
            scriptGiven = true;
        }
    }
    if (options.list && options.json)
        return usageError("--list prints plain text only, so it does not go with --json");

    FileDescriptor file(-1);
    if (!options.script.empty() && options.script != "-") {
        file = FileDescriptor(::open(options.script.c_str(), O_RDONLY | O_CLOEXEC));
        if (!file.valid()) {
            std::fprintf(stderr, "nelowav: cannot read %s: %s\n", options.script.c_str(),
                         std::strerror(errno));
            return kExitScriptError;
        }
    }

    bool canShowDialogs = false;
    const auto application = startApplication(argc, argv, canShowDialogs);
    // The control goes before this returns, deleting its working copy, and the module's clip
    // goes when the process exits in order: a signal must not cut that short.
    const TerminationSignal termination;
    ScriptReader script(file.valid() ? file.get() : STDIN_FILENO, termination.caughtDescriptor());
    const int status = runScript(script, options, canShowDialogs);
    return TerminationSignal::exitStatus() != 0 ? TerminationSignal::exitStatus() : status;
}

} // namespace

int main(int argc, char **argv) {
    int status = kExitScriptError;
    try {
        status = run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "nelowav: %s\n", e.what());
    }
    // Output lost to a full disk or a closed pipe must not pass for a run that went well.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && status == kExitScriptRan) {
        std::fprintf(stderr, "nelowav: cannot write the output: %s\n", std::strerror(errno));
        status = kExitScriptError;
    }
    return status;
}
