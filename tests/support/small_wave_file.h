// A plain PCM WAV file of a given size for tests and soak runs, its samples a ramp that differs
// from frame to frame.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

inline bool writeSmallWave(const std::string &path, uint32_t frames, uint16_t bits = 16,
                           uint16_t channels = 1, uint32_t rate = 8000) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>(value >> (8 * i)));
    };
    const uint32_t blockAlign = channels * (bits / 8u);
    const uint32_t dataBytes = frames * blockAlign;
    out << "RIFF";
    put(36 + dataBytes, 4);
    out << "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * blockAlign, 4);
    put(blockAlign, 2);
    put(bits, 2);
    out << "data";
    put(dataBytes, 4);
    for (uint32_t i = 0; i < frames * channels; ++i)
        put(i * 37u, bits / 8);
    return static_cast<bool>(out.flush());
}
