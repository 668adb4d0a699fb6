// WAV files written and read by libsndfile, the independent implementation that the tests hold
// our reader and writer against. Frames go through untouched (raw reads and writes).
#pragma once

#include "wave_bytes.h"

#include <optional>
#include <sndfile.h>
#include <string>

struct SndfileWave {
    int format; // SF_FORMAT_WAV or SF_FORMAT_WAVEX with a subtype
    int channels;
    int rate;
    Bytes frames;
};

inline bool writeWithSndfile(const std::string &path, const SndfileWave &wave) {
    SF_INFO info{};
    info.format = wave.format;
    info.channels = wave.channels;
    info.samplerate = wave.rate;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    const auto size = static_cast<sf_count_t>(wave.frames.size());
    const bool written = sf_write_raw(file, wave.frames.data(), size) == size;
    return sf_close(file) == 0 && written;
}

inline std::optional<SndfileWave> readWithSndfile(const std::string &path) {
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return std::nullopt;
    SndfileWave wave{info.format, info.channels, info.samplerate, {}};
    // Raw reads come in whole frames: a multiple of every frame size up to 8 channels of 4 bytes.
    Bytes block(10080);
    const auto blockSize = static_cast<sf_count_t>(block.size());
    for (sf_count_t got; (got = sf_read_raw(file, block.data(), blockSize)) > 0;)
        wave.frames.insert(wave.frames.end(), block.begin(), block.begin() + got);
    sf_close(file);
    // Raw reads of an odd-sized data chunk give its pad byte too; the frames end before it.
    if (const auto frames = static_cast<std::size_t>(info.frames); frames > 0)
        wave.frames.resize(wave.frames.size() / frames * frames);
    return wave;
}
