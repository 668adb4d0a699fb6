// What both back ends agree on about a stream: which formats they take, and how long frames last.
#pragma once

#include "mci/audio_backend.h"

#include <chrono>
#include <cstdint>

// SDL2 outputs at most 8 channels; the null sink takes the same limits, so whether a sound
// plays never depends on whether the machine has a sound card.
constexpr uint16_t kMaxStreamChannels = 8;
constexpr uint32_t kMaxStreamFramesPerSecond = 384000;

inline bool isStreamFormatSupported(StreamFormat format) {
    return format.channels >= 1 && format.channels <= kMaxStreamChannels &&
           format.framesPerSecond >= 1 && format.framesPerSecond <= kMaxStreamFramesPerSecond;
}

// Split into whole seconds and the rest so that long positions never overflow the product.
inline std::chrono::nanoseconds framesDuration(uint64_t frames, uint32_t framesPerSecond) {
    constexpr uint64_t kNanosPerSecond = 1'000'000'000;
    const uint64_t seconds = frames / framesPerSecond;
    const uint64_t rest = frames % framesPerSecond;
    return std::chrono::seconds(static_cast<int64_t>(seconds)) +
           std::chrono::nanoseconds(static_cast<int64_t>(rest * kNanosPerSecond / framesPerSecond));
}

// The frames of one buffer that a device is asked for: 20 ms at every rate, so that positions
// are exact to one buffer, the end of a play is known to within a few, and the desktop's sound
// server is never starved. A buffer of a fixed number of frames lasts 128 ms at 8 kHz for 23 ms
// at 44.1 kHz, and every wait measured in buffers with it.
constexpr uint32_t kDeviceBuffersPerSecond = 50;

constexpr uint16_t deviceBufferFrames(uint32_t framesPerSecond) {
    return static_cast<uint16_t>((framesPerSecond + kDeviceBuffersPerSecond - 1) /
                                 kDeviceBuffersPerSecond);
}
