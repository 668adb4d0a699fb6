// How long a device's buffer lasts at each rate: every wait measured in buffers (a stop after the
// end, a play's notice before its last frame) must cost the same time at 8 kHz as at 96 kHz.
#include "mci/stream_timing.h"

#include <gtest/gtest.h>

namespace {

TEST(StreamTimingTest, ADeviceBufferLastsTwentyMillisecondsAtEveryRate) {
    const std::pair<uint32_t, uint16_t> expected[] = {{8000, 160},    {11025, 221}, {22050, 441},
                                                      {44100, 882},   {48000, 960}, {96000, 1920},
                                                      {384000, 7680}, {1, 1}};
    for (const auto &[rate, frames] : expected)
        EXPECT_EQ(deviceBufferFrames(rate), frames) << rate << " Hz";
}

} // namespace
