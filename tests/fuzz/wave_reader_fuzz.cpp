// The device's WAV reader over arbitrary bytes held in memory: it either refuses them with a
// reason inside the file, or gives a sound whose every frame can be read and converted.
#include "mci/byte_source.h"
#include "mci/sample_conversion.h"
#include "mci/wave_file.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto *bytes = reinterpret_cast<const std::byte *>(data);
    WaveResult<Sound> sound = readWave(makeMemorySource({bytes, bytes + size}));
    if (!sound.ok()) {
        if (sound.error().reason.empty() || sound.error().offset > size)
            std::abort();
        return 0;
    }
    const WaveFormat &format = sound.value().format();
    const uint64_t frameBytes = format.bytesPerFrame();
    if (frameBytes == 0 || sound.value().frameCount() * frameBytes > size)
        std::abort();
    std::vector<std::byte> raw(static_cast<size_t>(sound.value().frameCount() * frameBytes));
    if (sound.value().readFrames(0, raw) != sound.value().frameCount())
        std::abort();
    std::vector<float> samples(raw.size() / (format.bitsPerSample / 8u));
    samplesToFloat(format, raw, samples);
    for (float sample : samples)
        if (!(sample >= -1.0f && sample <= 1.0f))
            std::abort();
    return 0;
}
