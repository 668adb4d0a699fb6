// The volume arithmetic, the 8-bit array mapping and the clamping of frame ranges.
#include "wavedata/sample_codec.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

int16_t scaledOnce(int bits, int16_t sample, float factor) {
    std::vector<uint8_t> data(2);
    WriteSample(data.data(), bits, 0, sample);
    ScaleSamples(data.data(), bits, 1, factor);
    return ReadSample(data.data(), bits, 0);
}

TEST(SampleCodecTest, ScalingTruncatesTowardZeroAndClips) {
    struct Case {
        int bits;
        int16_t sample;
        float factor;
        int16_t expected;
    };
    for (const Case c : {Case{16, 20000, 2, 32767},
                         {16, -20000, 2, -32768},
                         {16, 1000, 2, 2000},
                         {16, -3, 0.5f, -1},
                         {16, 3, 0.5f, 1},
                         {16, 1234, 1, 1234},
                         {16, -77, -3, 0},
                         {8, 200, 2, 255},
                         {8, 100, 2, 72},
                         {8, 0, 2, 0},
                         {8, 0, 0.5f, 64},
                         {8, 255, 0.5f, 191},
                         {8, 255, 1000, 255},
                         {8, 0, 1000, 0},
                         {8, 37, 1, 37},
                         {8, 250, -1, 128}}) {
        EXPECT_EQ(scaledOnce(c.bits, c.sample, c.factor), c.expected)
            << c.bits << "-bit " << c.sample << " x " << c.factor;
    }
}

TEST(SampleCodecTest, ScalingChangesExactlyTheGivenSamples) {
    struct Case {
        int bits;
        std::vector<int16_t> samples;
        std::vector<int16_t> expected;
    };
    for (const Case &c : {Case{16, {-32768, -1, 0, 32767, 500}, {-16384, 0, 0, 16383, 500}},
                          Case{8, {0, 127, 128, 255, 10}, {64, 127, 128, 191, 10}}}) {
        std::vector<uint8_t> data(c.samples.size() * 2);
        for (std::size_t i = 0; i < c.samples.size(); ++i)
            WriteSample(data.data(), c.bits, i, c.samples[i]);
        ScaleSamples(data.data(), c.bits, c.samples.size() - 1, 0.5f);
        for (std::size_t i = 0; i < c.samples.size(); ++i)
            EXPECT_EQ(ReadSample(data.data(), c.bits, i), c.expected[i]) << c.bits << "-bit " << i;
    }
}

TEST(SampleCodecTest, EightBitElementsStoreTheirLowByte) {
    uint8_t data[3] = {};
    WriteSample(data, 8, 0, 300);
    WriteSample(data, 8, 1, -1);
    WriteSample(data, 8, 2, 256);
    EXPECT_EQ(ReadSample(data, 8, 0), 44);
    EXPECT_EQ(ReadSample(data, 8, 1), 255);
    EXPECT_EQ(ReadSample(data, 8, 2), 0);
}

TEST(SampleCodecTest, FrameRangesClampToTheSound) {
    struct Case {
        int32_t from, to, length;
        std::optional<ClampedFrames> expected;
    };
    for (const Case &c : {Case{0, -1, 100, ClampedFrames{0, 99}},
                          {10, 19, 100, ClampedFrames{10, 19}},
                          {-5, 3, 100, ClampedFrames{0, 3}},
                          {90, 500, 100, ClampedFrames{90, 99}},
                          {200, 300, 100, ClampedFrames{99, 99}},
                          {0, -1, 0, ClampedFrames{0, 0}},
                          {20, 10, 100, std::nullopt}}) {
        const auto range = ClampFrameRange(c.from, c.to, c.length);
        ASSERT_EQ(range.has_value(), c.expected.has_value()) << c.from << ".." << c.to;
        if (range) {
            EXPECT_EQ(range->from, c.expected->from) << c.from << ".." << c.to;
            EXPECT_EQ(range->to, c.expected->to) << c.from << ".." << c.to;
        }
    }
}

} // namespace
