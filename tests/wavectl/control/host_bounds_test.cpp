// Integers and floats from a host at their extremes, through every method that takes them, and
// host arrays of exactly ArrayLength elements: each call ends with a code that has a text, the
// host's file stays as it was, and no element past ArrayLength is read or written (an exactly
// sized heap array lets the sanitizer build see any access past it).
#include "control_support.h"
#include "file_content.h"
#include "small_wave_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <sstream>

namespace {

constexpr uint32_t kFrames = 100;
constexpr int32_t kIntegers[] = {std::numeric_limits<int32_t>::min(),
                                 std::numeric_limits<int32_t>::max(), -1, 0};
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kFloats[] = {std::numeric_limits<float>::quiet_NaN(), kInfinity, -kInfinity,
                             std::numeric_limits<float>::max(),       -1.0F,     0.0F};

class HostBoundsTest : public ControlTest {
  protected:
    void open(const std::string &path) { ASSERT_EQ(callWithPath("Open", path), 0) << path; }
};

TEST_F(HostBoundsTest, ExtremeArgumentsGiveACodeAndLeaveTheHostsFileAlone) {
    const std::string path = file("host.wav");
    ASSERT_TRUE(writeSmallWave(path, kFrames));
    const std::string before = contentOf(path);
    // Exactly as long as the sound, so that any length but kFrames must be refused untouched.
    const auto elements = std::make_unique<int16_t[]>(kFrames);
    struct Case {
        const char *method;
        std::vector<VARIANT> args; // valid ones; each integer or float in turn takes extremes
    };
    const Case cases[] = {
        {"Play", {variantI4(0), variantI4(1), variantBool(false)}},
        {"Record", {variantI4(0), variantI4(1), variantBool(false)}},
        {"Seek", {variantI4(0)}},
        {"Delete", {variantI4(0), variantI4(1)}},
        {"WavFileToArray", {variantShortArray(elements.get()), variantI4(kFrames)}},
        {"ArrayToWavFile", {variantShortArray(elements.get()), variantI4(kFrames)}},
        {"SetSamplingRate", {variantI4(8000)}},
        {"ChangeVolume", {variantI4(0), variantI4(-1), variantR4(0.5F)}},
        {"Copy", {variantI4(0), variantI4(1)}},
        {"Paste", {variantI4(0), variantI4(1)}},
    };
    for (const Case &c : cases) {
        for (std::size_t at = 0; at < c.args.size(); ++at) {
            std::vector<VARIANT> extremes;
            for (const int32_t value : kIntegers) {
                if (c.args[at].vt == VT_I4)
                    extremes.push_back(variantI4(value));
            }
            for (const float value : kFloats) {
                if (c.args[at].vt == VT_R4)
                    extremes.push_back(variantR4(value));
            }
            for (const VARIANT &extreme : extremes) {
                const std::string what = std::string(c.method) + " argument " +
                                         std::to_string(at + 1) + " = " +
                                         (extreme.vt == VT_I4 ? std::to_string(extreme.lVal)
                                                              : std::to_string(extreme.fltVal));
                open(path);
                std::vector<VARIANT> args = c.args;
                args[at] = extreme;
                ASSERT_EQ(callByName(control.get(), c.method, args), S_OK) << what;
                const MciCode code = errorCode(control.get());
                if (code != MciCode{0}) {
                    EXPECT_NE(errorMessage(control.get()), "Unknown error.")
                        << what << " " << testing::PrintToString(code);
                }
                ASSERT_EQ(callByName(control.get(), "Stop"), S_OK);
                ASSERT_EQ(callByName(control.get(), "Close"), S_OK);
                EXPECT_EQ(contentOf(path), before) << what;
            }
        }
    }
}

// The sound's samples fill exactly ArrayLength elements, in every layout, and come back from
// them; elements after the array keep their values, and a shorter length is refused untouched.
TEST_F(HostBoundsTest, ArraysAreUsedUpToArrayLengthAndNoFurther) {
    constexpr int16_t kGuard = 0x5A5A;
    constexpr std::size_t kGuards = 8;
    const struct {
        uint16_t bits;
        uint16_t channels;
    } layouts[] = {{16, 1}, {16, 2}, {8, 1}, {8, 2}};
    for (const auto &layout : layouts) {
        const std::string what =
            std::to_string(layout.bits) + " bits, " + std::to_string(layout.channels) + " channels";
        const std::string path = file("layout.wav");
        ASSERT_TRUE(writeSmallWave(path, kFrames, layout.bits, layout.channels));
        open(path);
        const auto count = static_cast<int32_t>(kFrames * layout.channels);
        std::vector<int16_t> guarded(static_cast<std::size_t>(count) + kGuards, kGuard);
        ASSERT_EQ(callByName(control.get(), "WavFileToArray",
                             {variantShortArray(guarded.data()), variantI4(count)}),
                  S_OK);
        EXPECT_EQ(errorCode(control.get()), 0) << what;
        EXPECT_EQ(std::vector<int16_t>(guarded.end() - kGuards, guarded.end()),
                  std::vector<int16_t>(kGuards, kGuard))
            << what;

        const auto exact = std::make_unique<int16_t[]>(static_cast<std::size_t>(count));
        std::copy(guarded.begin(), guarded.begin() + count, exact.get());
        for (const char *method : {"ArrayToWavFile", "WavFileToArray"}) {
            ASSERT_EQ(callByName(control.get(), method,
                                 {variantShortArray(exact.get()), variantI4(count)}),
                      S_OK);
            EXPECT_EQ(errorCode(control.get()), 0) << what << " " << method;
        }
        EXPECT_TRUE(std::equal(exact.get(), exact.get() + count, guarded.begin())) << what;

        const auto shorter = std::make_unique<int16_t[]>(static_cast<std::size_t>(count - 1));
        for (const char *method : {"ArrayToWavFile", "WavFileToArray"}) {
            ASSERT_EQ(callByName(control.get(), method,
                                 {variantShortArray(shorter.get()), variantI4(count - 1)}),
                      S_OK);
            EXPECT_EQ(errorCode(control.get()), 520) << what << " " << method;
        }
        ASSERT_EQ(callByName(control.get(), "Close"), S_OK);
    }
}

} // namespace
