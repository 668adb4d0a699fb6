// Sample conversion, little-endian as WAV stores it. Integers scale by a power of two, so that
// every stored value maps to a distinct float and back to itself; NaN becomes silence, since
// turning it into an integer is undefined.
#include "mci/sample_conversion.h"

#include "base/little_endian.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kScale8 = 128.0;
constexpr double kScale16 = 32768.0;
constexpr double kScale24 = 8388608.0;
constexpr double kScale32 = 2147483648.0;
constexpr int kUnsigned8Zero = 128;

// Bytes b[0..count) as a little-endian two's complement value.
int64_t readSigned(const std::byte *b, std::size_t count) {
    const uint64_t value = loadLittle({b, count}, 0, count);
    const uint64_t signBit = uint64_t{1} << (8 * count - 1);
    return static_cast<int64_t>(value ^ signBit) - static_cast<int64_t>(signBit);
}

void writeSigned(int64_t value, std::byte *b, std::size_t count) {
    storeLittle({b, count}, 0, static_cast<uint64_t>(value), count);
}

// The nearest integer to sample * scale within [-scale, scale - 1].
int64_t quantize(float sample, double scale) {
    if (std::isnan(sample))
        return 0;
    const double scaled = std::round(static_cast<double>(sample) * scale);
    return static_cast<int64_t>(std::clamp(scaled, -scale, scale - 1.0));
}

// A stored float as the back ends take it: a file may hold any bits, but what is played stays
// within full scale, and NaN is silence here too.
float readFloat(const std::byte *b) {
    const uint32_t bits = loadLittle32({b, 4}, 0);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

void writeFloat(float value, std::byte *b) {
    if (std::isnan(value))
        value = 0.0f;
    value = std::clamp(value, -1.0f, 1.0f);
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    storeLittle32({b, 4}, 0, bits);
}

} // namespace

void samplesToFloat(const WaveFormat &format, std::span<const std::byte> raw,
                    std::span<float> out) {
    const int width = format.bitsPerSample / 8;
    if (width == 0)
        return;
    const std::size_t count = raw.size() / static_cast<std::size_t>(width);
    for (std::size_t i = 0; i < count && i < out.size(); ++i) {
        const std::byte *b = raw.data() + i * static_cast<std::size_t>(width);
        switch (format.encoding) {
        case SampleEncoding::UnsignedInt8:
            out[i] = static_cast<float>((std::to_integer<int>(b[0]) - kUnsigned8Zero) / kScale8);
            break;
        case SampleEncoding::SignedInt16:
            out[i] = static_cast<float>(static_cast<double>(readSigned(b, 2)) / kScale16);
            break;
        case SampleEncoding::SignedInt24:
            out[i] = static_cast<float>(static_cast<double>(readSigned(b, 3)) / kScale24);
            break;
        case SampleEncoding::SignedInt32:
            out[i] = static_cast<float>(static_cast<double>(readSigned(b, 4)) / kScale32);
            break;
        case SampleEncoding::Float32:
            out[i] = readFloat(b);
            break;
        }
    }
}

void floatToSamples(const WaveFormat &format, std::span<const float> in, std::span<std::byte> out) {
    const auto width = static_cast<std::size_t>(format.bitsPerSample / 8);
    if (width == 0)
        return;
    const std::size_t count = std::min(in.size(), out.size() / width);
    for (std::size_t i = 0; i < count; ++i) {
        std::byte *b = out.data() + i * width;
        switch (format.encoding) {
        case SampleEncoding::UnsignedInt8:
            b[0] = static_cast<std::byte>(quantize(in[i], kScale8) + kUnsigned8Zero);
            break;
        case SampleEncoding::SignedInt16:
            writeSigned(quantize(in[i], kScale16), b, 2);
            break;
        case SampleEncoding::SignedInt24:
            writeSigned(quantize(in[i], kScale24), b, 3);
            break;
        case SampleEncoding::SignedInt32:
            writeSigned(quantize(in[i], kScale32), b, 4);
            break;
        case SampleEncoding::Float32:
            writeFloat(in[i], b);
            break;
        }
    }
}
