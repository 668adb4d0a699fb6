// A plain PCM WAV file of a given size for tests and soak runs, its samples a ramp that differs
// from frame to frame.
#pragma once

#include "wave_builder.h"

#include <cstdint>
#include <string>

inline bool writeSmallWave(const std::string &path, uint32_t frames, uint16_t bits = 16,
                           uint16_t channels = 1, uint32_t rate = 8000) {
    Bytes samples;
    for (uint32_t i = 0; i < frames * channels; ++i)
        appendLittle(samples, i * 37u, bits / 8);
    return writeFile(path, pcmWave(channels, bits, rate, samples));
}
