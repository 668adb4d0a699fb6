// The SDL back end under drivers chosen by CTest (SDL_AUDIODRIVER): SDL's dummy driver; no
// driver or no device (every stream falls back to the null sink); a disk driver that fails.
#include "mci/audio_backend.h"

#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr StreamFormat kStereo22k{22050, 2};
constexpr uint64_t kTwoHundredMs = 4410;

// A 440 Hz tone, and the end of the stream that plays it; callbacks arrive on other threads.
class Tone {
  public:
    explicit Tone(uint64_t length)
        : m_length(length) {}

    PullFrames pull() {
        return [this](std::span<float> out) {
            std::lock_guard lock(m_mutex);
            EXPECT_FALSE(m_ranOut) << "asked for frames after the sound said it ended";
            const uint64_t frames = std::min<uint64_t>(out.size() / 2, m_length - m_given);
            for (uint64_t n = 0; n < frames; ++n)
                out[2 * n] = out[2 * n + 1] = std::sin(0.125f * float(m_given + n));
            m_given += frames;
            m_ranOut = frames < out.size() / 2;
            m_changed.notify_all();
            return static_cast<std::size_t>(frames);
        };
    }
    StreamEnded ended() {
        return [this](StreamEnd how) {
            std::lock_guard lock(m_mutex);
            ++m_endCount;
            m_end = how;
            m_changed.notify_all();
        };
    }
    // The end, or nothing after a generous five seconds.
    std::optional<StreamEnd> waitForEnd() {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 5s, [this] { return m_end.has_value(); });
        return m_end;
    }
    // The frames handed out, once there are some (or after five seconds).
    uint64_t waitForFrames() {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 5s, [this] { return m_given > 0; });
        return m_given;
    }
    int endCount() {
        std::lock_guard lock(m_mutex);
        return m_endCount;
    }

  private:
    const uint64_t m_length;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    uint64_t m_given = 0;
    bool m_ranOut = false;
    int m_endCount = 0;
    std::optional<StreamEnd> m_end;
};

// Captured frames, counted as they arrive.
struct Capture {
    PushFrames push() {
        return [this](std::span<const float> in) {
            std::lock_guard lock(mutex);
            samples += in.size();
            changed.notify_all();
        };
    }
    bool waitForSamples(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return samples >= count; });
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t samples = 0;
};

bool sdlIsLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("libSDL2") != std::string::npos)
            return true;
    return false;
}

// A host that never plays never loads SDL and the sound libraries behind it. The check runs in
// a process of its own, since the other cases here have long loaded it.
TEST(SdlDummyDriverTest, SdlIsLoadedByTheFirstStreamAndNotBefore) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto backend = makeDefaultBackend();
            if (sdlIsLoaded())
                std::_Exit(1);
            Tone tone(kTwoHundredMs);
            auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
            std::_Exit(stream != nullptr && sdlIsLoaded() ? 0 : 2);
        },
        testing::ExitedWithCode(0), "");
}

// A stream hands its device to the back end to close, since SDL's close sleeps two buffers;
// once the back end is gone no close may still run, or a host that then stops SDL (or unloads
// it) closes the same device twice. Run alone, since SDL stops here.
TEST(SdlDummyDriverTest, NoDeviceIsStillClosingOnceTheBackEndIsDestroyed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto backend = makeDefaultBackend();
            Tone tone(10 * kTwoHundredMs);
            auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
            if (stream == nullptr || tone.waitForFrames() == 0)
                std::_Exit(2);
            stream.reset();
            backend.reset();
            void *sdl = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
            void *quit = sdl == nullptr ? nullptr : ::dlsym(sdl, "SDL_QuitSubSystem");
            if (quit == nullptr)
                std::_Exit(3);
            constexpr uint32_t kSdlAudio = 0x10;
            // A close still running would free the device a second time while this sleeps; a
            // join of SDL's audio thread by both would hang until the alarm.
            ::alarm(5);
            reinterpret_cast<void (*)(uint32_t)>(quit)(kSdlAudio);
            std::this_thread::sleep_for(200ms);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(SdlDummyDriverTest, APlayEndsDrainedAfterHandingOverEveryFrame) {
    auto backend = makeDefaultBackend();
    Tone tone(kTwoHundredMs);
    auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(tone.waitForEnd(), StreamEnd::Drained);
    EXPECT_EQ(stream->framesDone(), kTwoHundredMs);
    EXPECT_EQ(tone.endCount(), 1);
}

TEST(SdlDummyDriverTest, APausedPlayAsksForNoFramesUntilItResumes) {
    auto backend = makeDefaultBackend();
    Tone tone(kTwoHundredMs);
    auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
    ASSERT_NE(stream, nullptr);
    ASSERT_GT(tone.waitForFrames(), 0u);
    stream->pause();
    const uint64_t atPause = tone.waitForFrames();
    // The device's own time, not the wall clock's: while a record on it takes in 150 ms, a
    // play that was not paused would have been asked for several buffers.
    Capture deviceTime;
    Tone unused(0);
    auto record = backend->record(kStereo22k, deviceTime.push(), unused.ended());
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(deviceTime.waitForSamples(2 * 3308));
    record.reset();
    EXPECT_LE(tone.waitForFrames() - atPause, 1024u) << "more than the buffer being filled";
    stream->resume();
    EXPECT_EQ(tone.waitForEnd(), StreamEnd::Drained);
    EXPECT_EQ(stream->framesDone(), kTwoHundredMs);
}

TEST(SdlDummyDriverTest, ARecordPushesFramesUntilItIsDestroyed) {
    auto backend = makeDefaultBackend();
    Capture capture;
    Tone unused(0);
    auto stream = backend->record(kStereo22k, capture.push(), unused.ended());
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(capture.waitForSamples(2 * 2048));
    stream.reset();
    EXPECT_EQ(unused.endCount(), 0);
}

TEST(SdlWithoutDeviceTest, APlayFallsBackToTheNullSinkAndKeepsRealTime) {
    auto backend = makeDefaultBackend();
    Tone tone(kTwoHundredMs);
    const auto start = Clock::now();
    auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(tone.waitForEnd(), StreamEnd::Drained);
    EXPECT_GE(Clock::now() - start, 200ms);
    EXPECT_EQ(stream->framesDone(), kTwoHundredMs);
}

TEST(SdlLostDeviceTest, APlayWhoseDeviceFailsEndsWithFailed) {
    auto backend = makeDefaultBackend();
    Tone tone(10 * kTwoHundredMs);
    auto stream = backend->play(kStereo22k, tone.pull(), tone.ended());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(tone.waitForEnd(), StreamEnd::Failed);
    EXPECT_LT(stream->framesDone(), 10 * kTwoHundredMs);
    EXPECT_EQ(tone.endCount(), 1);
}

} // namespace
