// The null sink keeps time by the injected clock alone: frames advance with it, pause holds it,
// a play ends once after its last frame, and a destroyed stream is silent at once.
#include "manual_audio_clock.h"
#include "mci/audio_backend.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// 80 frames a period, so ten periods are 800 frames and 100 ms.
constexpr StreamFormat kMono8k{8000, 1};

// A sound of `length` frames and the record of what the stream did with it. Its callbacks run on
// the stream's thread, but ManualAudioClock::advance returns only after they ran.
struct Sound {
    explicit Sound(uint64_t lengthIn)
        : length(lengthIn) {}
    PullFrames pull() {
        return [this](std::span<float> out) {
            EXPECT_FALSE(ranOut) << "asked for frames after the sound said it ended";
            ++pulls;
            const uint64_t frames = std::min<uint64_t>(out.size(), length - given);
            given += frames;
            ranOut = frames < out.size();
            return static_cast<std::size_t>(frames);
        };
    }
    StreamEnded ended() {
        return [this](StreamEnd how) { ends.push_back(how); };
    }
    uint64_t length;
    uint64_t given = 0;
    bool ranOut = false;
    int pulls = 0;
    std::vector<StreamEnd> ends;
};

struct NullSinkTest : ::testing::Test {
    std::shared_ptr<ManualAudioClock> clock = std::make_shared<ManualAudioClock>();
    std::unique_ptr<AudioBackend> backend = makeNullBackend(clock);
};

TEST_F(NullSinkTest, FramesAdvanceWithTheClockAndOnlyWithIt) {
    Sound sound(100000);
    auto stream = backend->play(kMono8k, sound.pull(), sound.ended());
    ASSERT_NE(stream, nullptr);
    struct Step {
        std::chrono::nanoseconds advance;
        uint64_t framesDone;
    };
    for (const Step step : {Step{0ms, 0}, Step{9ms, 0}, Step{1ms, 80}, Step{0ms, 80},
                            Step{25ms, 240}, Step{1s, 8240}}) {
        clock->advance(step.advance);
        EXPECT_EQ(stream->framesDone(), step.framesDone)
            << "at " << clock->now().time_since_epoch();
    }
    EXPECT_EQ(sound.given, 8320u) << "one period is handed out ahead of the one playing";
}

TEST_F(NullSinkTest, PauseHoldsTheClockAndResumeFinishesThePeriodInProgress) {
    Sound sound(100000);
    auto stream = backend->play(kMono8k, sound.pull(), sound.ended());
    clock->advance(15ms);
    stream->pause();
    stream->pause();
    clock->advance(500ms);
    EXPECT_EQ(stream->framesDone(), 80u);
    stream->resume();
    clock->advance(4ms);
    EXPECT_EQ(stream->framesDone(), 80u);
    clock->advance(1ms);
    EXPECT_EQ(stream->framesDone(), 160u);
    EXPECT_TRUE(sound.ends.empty());
}

TEST_F(NullSinkTest, APlayEndsOnceWithDrainedWhenItsLastFrameHasPlayed) {
    struct Case {
        uint64_t length;
        std::chrono::milliseconds end;
    };
    for (const Case c : {Case{0, 0ms}, Case{80, 10ms}, Case{200, 25ms}, Case{8001, 1001ms}}) {
        SCOPED_TRACE(testing::Message() << c.length << " frames");
        Sound sound(c.length);
        const auto start = clock->now();
        auto stream = backend->play(kMono8k, sound.pull(), sound.ended());
        if (c.end > 0ms) {
            clock->advance(c.end - 1ms);
            EXPECT_TRUE(sound.ends.empty());
        }
        clock->advance(start + c.end - clock->now());
        EXPECT_EQ(sound.ends, std::vector{StreamEnd::Drained});
        EXPECT_EQ(stream->framesDone(), c.length);
        clock->advance(1s);
        EXPECT_EQ(sound.ends.size(), 1u);
    }
}

TEST_F(NullSinkTest, DestroyingAStreamWakesItAndNoCallbackFollows) {
    Sound played(100000);
    int pushes = 0;
    auto play = backend->play(kMono8k, played.pull(), played.ended());
    auto record = backend->record(
        kMono8k, [&](std::span<const float>) { ++pushes; }, played.ended());
    clock->advance(25ms);
    // Both threads sleep on deadlines this clock will only reach when told, so a destructor
    // that waited for them instead of waking them would never return.
    play.reset();
    record.reset();
    const int pulls = played.pulls;
    clock->advance(1s);
    EXPECT_EQ(played.pulls, pulls);
    EXPECT_EQ(pushes, 2);
    EXPECT_TRUE(played.ends.empty());
}

TEST_F(NullSinkTest, AStreamMayBeDestroyedFromItsEndedCallback) {
    std::unique_ptr<AudioStream> stream;
    Sound sound(100);
    stream = backend->play(kMono8k, sound.pull(), [&](StreamEnd) { stream.reset(); });
    clock->advance(1s);
    EXPECT_EQ(stream, nullptr);
}

TEST_F(NullSinkTest, RecordingGivesSilenceAtTheClockRate) {
    std::vector<float> captured;
    auto stream = backend->record(
        StreamFormat{8000, 2},
        [&](std::span<const float> in) { captured.insert(captured.end(), in.begin(), in.end()); },
        nullptr);
    clock->advance(35ms);
    EXPECT_EQ(stream->framesDone(), 240u);
    EXPECT_EQ(captured, std::vector<float>(480, 0.0f));
}

TEST_F(NullSinkTest, AFormatNoDeviceCouldTakeIsRefused) {
    Sound sound(10);
    for (const StreamFormat format : {StreamFormat{0, 2}, StreamFormat{8000, 0},
                                      StreamFormat{8000, 9}, StreamFormat{4000000000u, 1}}) {
        EXPECT_EQ(backend->play(format, sound.pull(), sound.ended()), nullptr)
            << format.framesPerSecond << " Hz, " << format.channels << " channels";
    }
    EXPECT_EQ(sound.pulls, 0);
}

} // namespace
