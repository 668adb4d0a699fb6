// The SDL back end lives in a module of its own beside the media library, which the device
// loads at its first play or record: SDL and the sound libraries it pulls in cost a host that
// never sounds nothing at start-up.
#pragma once

#include "mci/audio_backend.h"

#include <memory>
#include <string>

inline constexpr const char *kSdlBackendModule = "libkorvane_sdl_audio.so";
inline constexpr const char *kSdlBackendEntry = "korvaneMakeSdlBackend";

// The module's one entry: a new SDL back end, owned by the caller; nullptr without memory.
extern "C" AudioBackend *korvaneMakeSdlBackend();

// The back end of the module at path, loaded through the platform's loader (absolute paths only,
// never a file that every user could have changed) and kept loaded; nullptr with why set when it
// cannot be had.
std::unique_ptr<AudioBackend> loadBackendModule(const std::string &path, std::string &why);
