// The sample format of a sound, as a WAV file's format chunk describes it.
#pragma once

#include <cstdint>

enum class SampleEncoding : uint8_t {
    UnsignedInt8,
    SignedInt16,
    SignedInt24,
    SignedInt32,
    Float32
};

struct WaveFormat {
    SampleEncoding encoding = SampleEncoding::UnsignedInt8;
    uint16_t channels = 1;
    uint32_t samplesPerSec = 11025;
    uint16_t bitsPerSample = 8;

    // Bytes of one frame (one sample per channel), the file's block alignment.
    uint32_t bytesPerFrame() const { return uint32_t{channels} * (bitsPerSample / 8u); }
    uint32_t bytesPerSec() const { return samplesPerSec * bytesPerFrame(); }
};
