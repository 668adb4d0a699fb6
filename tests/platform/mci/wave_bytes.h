// Small helpers around the WAV files the builder makes, for the tests of reading and writing
// sound files.
#pragma once

#include "mci/sound.h"
#include "mci/wave_error.h"
#include "wave_builder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

inline Bytes allFrames(const Sound &sound) {
    Bytes bytes(sound.frameCount() * sound.format().bytesPerFrame());
    sound.readFrames(0, bytes);
    return bytes;
}

inline Bytes fileBytes(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> text{std::istreambuf_iterator<char>(file), {}};
    return Bytes(reinterpret_cast<const std::byte *>(text.data()),
                 reinterpret_cast<const std::byte *>(text.data()) + text.size());
}

// Error kinds by name in failure messages.
inline void PrintTo(WaveError::Kind kind, std::ostream *out) {
    static const char *const names[] = {"NotFound",    "Unreadable", "NotWave",     "Truncated",
                                        "Unsupported", "NoMemory",   "WriteFailed", "NotWritable",
                                        "Broken"};
    *out << names[static_cast<int>(kind)];
}
