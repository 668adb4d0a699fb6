// The library is loaded at run time by the name SDL loads it by, so both share one copy and
// its handler, and the build needs no ALSA headers: the two declarations below are the
// library's stable interface.
#include "mci/alsa_messages.h"

#include "mci/mci_trace.h"

#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>

namespace {

using AlsaErrorHandler = void (*)(const char *file, int line, const char *function, int error,
                                  const char *format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);

constexpr const char *kAlsaLibrary = "libasound.so.2";

__attribute__((format(printf, 5, 6))) void
traceAlsaMessage(const char *file, int line, const char *function, int, const char *format, ...) {
    if (!mciTraceEnabled())
        return;
    char message[400];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    mciTrace("alsa: %s:%d (%s) %s", file, line, function, message);
}

} // namespace

void routeAlsaMessagesToTrace() {
    // Never closed: SDL holds the same library, and unloading it would drop the handler.
    void *alsa = dlopen(kAlsaLibrary, RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) {
        mciTrace("no ALSA library: %s", dlerror());
        return;
    }
    const auto setHandler =
        reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr)
        setHandler(&traceAlsaMessage);
}
