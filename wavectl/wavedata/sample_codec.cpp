// Sample arithmetic of the sample-level operations. The 8-bit scaling uses 1 - factor rounded
// to single precision, as hosts' earlier results were computed, so files come out the same.
#include "wavedata/sample_codec.h"

#include "base/little_endian.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace {

int16_t readSigned16(const uint8_t *bytes) {
    return static_cast<int16_t>(loadLittle16(std::as_bytes(std::span(bytes, 2)), 0));
}

void writeSigned16(uint8_t *bytes, int16_t value) {
    storeLittle16(std::as_writable_bytes(std::span(bytes, 2)), 0, static_cast<uint16_t>(value));
}

double truncatedAndClipped(double value, double low, double high) {
    return std::clamp(std::trunc(value), low, high);
}

// What every possible sample becomes, indexed by its bit pattern: a sound has far more samples
// than a sample has values, so each value is worked out once and the samples only look it up.
std::vector<int16_t> scaledValues(int bits, float factor) {
    const double f = factor < 0 ? 0.0 : static_cast<double>(factor);
    const auto g = static_cast<double>(static_cast<float>(1.0 - f));
    std::vector<int16_t> scaled(std::size_t{1} << bits);
    for (std::size_t raw = 0; raw < scaled.size(); ++raw) {
        const double s =
            bits == 8 ? static_cast<double>(raw) : static_cast<int16_t>(static_cast<uint16_t>(raw));
        scaled[raw] =
            static_cast<int16_t>(bits == 8 ? truncatedAndClipped(s - (s - 128) * g, 0, 255)
                                           : truncatedAndClipped(s * f, -32768, 32767));
    }
    return scaled;
}

} // namespace

int16_t ReadSample(const uint8_t *data, int bits, std::size_t i) {
    return bits == 8 ? static_cast<int16_t>(data[i]) : readSigned16(data + 2 * i);
}

void WriteSample(uint8_t *data, int bits, std::size_t i, int16_t value) {
    if (bits == 8)
        data[i] = static_cast<uint8_t>(static_cast<uint16_t>(value) & 0xFF);
    else
        writeSigned16(data + 2 * i, value);
}

void ScaleSamples(uint8_t *data, int bits, std::size_t count, float factor) {
    const std::vector<int16_t> scaled = scaledValues(bits, factor);
    if (bits == 8) {
        for (std::size_t i = 0; i < count; ++i)
            data[i] = static_cast<uint8_t>(scaled[data[i]]);
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        writeSigned16(data + 2 * i, scaled[static_cast<uint16_t>(readSigned16(data + 2 * i))]);
}

std::optional<ClampedFrames> ClampFrameRange(int32_t From, int32_t To, int32_t length) {
    if (To == -1 || To >= length)
        To = length - 1;
    if (From >= length)
        From = length - 1;
    To = std::max(To, 0);
    From = std::max(From, 0);
    if (To < From)
        return std::nullopt;
    return ClampedFrames{From, To};
}

uint32_t AverageBytesPerSecond(int bits, int channels, int32_t rate) {
    return static_cast<uint32_t>(static_cast<int64_t>(bits) * channels * rate / 8);
}
