// The SDL back end lives in a module of its own beside the media library, which the device
// loads at its first play or record: SDL and the sound libraries it pulls in cost a host that
// never sounds nothing at start-up.
#pragma once

#include "mci/audio_backend.h"

inline constexpr const char *kSdlBackendModule = "libkorvane_sdl_audio.so";
inline constexpr const char *kSdlBackendEntry = "korvaneMakeSdlBackend";

// The module's one entry: a new SDL back end, owned by the caller; nullptr without memory.
extern "C" AudioBackend *korvaneMakeSdlBackend();
