// Starting SDL's audio alone: the host owns the windowing, so video is never started, and SDL
// must leave the host's signals and event queue alone.
#include "mci/sdl_audio_subsystem.h"

#include "mci/alsa_messages.h"
#include "mci/mci_trace.h"

#include <SDL.h>
#include <string>

namespace {

std::string startAudio() {
    // Otherwise SDL turns Ctrl+C into a quit event that nobody reads, and the host never stops.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    routeAlsaMessagesToTrace();
    SDL_ClearError();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        const std::string why = SDL_GetError();
        return why.empty() ? "SDL's audio subsystem did not start" : why;
    }
    // SDL tries its drivers in turn and keeps the error of the last one it passed over.
    const std::string passedOver = SDL_GetError();
    // Device hot-plug events would pile up in a queue that only a video host reads.
    SDL_EventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    SDL_EventState(SDL_AUDIODEVICEREMOVED, SDL_IGNORE);
    mciTrace(
        "SDL audio started with driver %s%s%s", SDL_GetCurrentAudioDriver(),
        passedOver.empty() ? "" : "; a driver tried before it did not start: ", passedOver.c_str());
    return {};
}

} // namespace

const char *sdlAudioStartFailure() {
    static const std::string failure = startAudio();
    return failure.empty() ? nullptr : failure.c_str();
}
