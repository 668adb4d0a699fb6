// Stored samples and floats: every stored value survives the trip to float and back, the zero
// level of each format is 0, and floats outside the range are clipped, not wrapped.
#include "mci/sample_conversion.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct EncodingCase {
    const char *name;
    WaveFormat format;
    std::vector<std::byte> silence;  // one sample of the zero level
    std::vector<std::byte> loudest;  // one sample of the most positive value
    std::vector<std::byte> quietest; // one sample of the most negative value
};

void PrintTo(const EncodingCase &row, std::ostream *out) {
    *out << row.name;
}

std::vector<std::byte> bytes(std::initializer_list<int> values) {
    std::vector<std::byte> out;
    for (const int value : values)
        out.push_back(static_cast<std::byte>(value));
    return out;
}

std::vector<std::byte> join(std::vector<std::byte> first, const std::vector<std::byte> &second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class EncodingTest : public testing::TestWithParam<EncodingCase> {
  protected:
    std::vector<std::byte> toSamples(std::vector<float> in) const {
        std::vector<std::byte> out(in.size() * GetParam().format.bitsPerSample / 8);
        floatToSamples(GetParam().format, in, out);
        return out;
    }
    float toFloat(const std::vector<std::byte> &raw) const {
        float out = -99.0f;
        samplesToFloat(GetParam().format, raw, {&out, 1});
        return out;
    }
};

TEST_P(EncodingTest, ZeroIsSilenceExtremesRoundTripAndOutsideClips) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(toFloat(GetParam().silence), 0.0f);
    EXPECT_EQ(toSamples({0.0f, std::nanf("")}), join(GetParam().silence, GetParam().silence));
    EXPECT_EQ(toSamples({1.5f, -inf}), join(GetParam().loudest, GetParam().quietest));
    for (const auto &raw : {GetParam().loudest, GetParam().quietest}) {
        const float value = toFloat(raw);
        EXPECT_LE(std::abs(value), 1.0f);
        EXPECT_EQ(toSamples({value}), raw);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EncodingTest,
                         testing::Values(EncodingCase{"Unsigned8",
                                                      {SampleEncoding::UnsignedInt8, 1, 8000, 8},
                                                      bytes({128}),
                                                      bytes({255}),
                                                      bytes({0})},
                                         EncodingCase{"Signed16",
                                                      {SampleEncoding::SignedInt16, 1, 8000, 16},
                                                      bytes({0, 0}),
                                                      bytes({0xFF, 0x7F}),
                                                      bytes({0x00, 0x80})},
                                         EncodingCase{"Signed24",
                                                      {SampleEncoding::SignedInt24, 1, 8000, 24},
                                                      bytes({0, 0, 0}),
                                                      bytes({0xFF, 0xFF, 0x7F}),
                                                      bytes({0, 0, 0x80})},
                                         EncodingCase{"Signed32",
                                                      {SampleEncoding::SignedInt32, 1, 8000, 32},
                                                      bytes({0, 0, 0, 0}),
                                                      bytes({0xFF, 0xFF, 0xFF, 0x7F}),
                                                      bytes({0, 0, 0, 0x80})},
                                         EncodingCase{"Float32",
                                                      {SampleEncoding::Float32, 1, 8000, 32},
                                                      bytes({0, 0, 0, 0}),
                                                      bytes({0, 0, 0x80, 0x3F}),
                                                      bytes({0, 0, 0x80, 0xBF})}),
                         [](const testing::TestParamInfo<EncodingCase> &row) {
                             return row.param.name;
                         });

TEST(SampleConversionTest, StoredFloatsBeyondFullScaleAndNaNPlayWithinFullScale) {
    // 2.0, minus infinity and a NaN, as a file may hold them.
    const auto raw = bytes({0, 0, 0, 0x40, 0, 0, 0x80, 0xFF, 0, 0, 0xC0, 0x7F});
    std::vector<float> out(3);
    samplesToFloat({SampleEncoding::Float32, 1, 8000, 32}, raw, out);
    EXPECT_EQ(out, (std::vector<float>{1.0f, -1.0f, 0.0f}));
}

TEST(SampleConversionTest, EverySixteenBitValueSurvivesTheRoundTrip) {
    const WaveFormat format{SampleEncoding::SignedInt16, 2, 44100, 16};
    std::vector<std::byte> raw;
    for (int value = -32768; value < 32768; ++value) {
        raw.push_back(static_cast<std::byte>(value & 0xFF));
        raw.push_back(static_cast<std::byte>((value >> 8) & 0xFF));
    }
    std::vector<float> floats(raw.size() / 2);
    samplesToFloat(format, raw, floats);
    EXPECT_EQ(floats[32768], 0.0f);
    EXPECT_EQ(floats[32769], 1.0f / 32768.0f) << "scaled by a power of two, not by 32767";
    std::vector<std::byte> back(raw.size());
    floatToSamples(format, floats, back);
    EXPECT_EQ(back, raw);
}

} // namespace
