// The waveaudio device's sessions, plays, records, edits and completion messages, driven by
// command strings with the test acting as the audio thread.
#include "base/break_key.h"
#include "device_harness.h"
#include "mci/mci_constants.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

constexpr Notice successful(LPARAM id = 1) {
    return {MCI_NOTIFY_SUCCESSFUL, id};
}
constexpr Notice superseded(LPARAM id = 1) {
    return {MCI_NOTIFY_SUPERSEDED, id};
}
constexpr Notice aborted(LPARAM id = 1) {
    return {MCI_NOTIFY_ABORTED, id};
}
constexpr Notice failure(LPARAM id = 1) {
    return {MCI_NOTIFY_FAILURE, id};
}

// A session on the tone file (8000 frames) in sample time format, as the control keeps it.
class ToneTest : public testing::Test, protected DeviceHarness {
  protected:
    void SetUp() override {
        ASSERT_EQ(reply("open /w/tone.wav alias a type waveaudio wait"), "1");
        ASSERT_EQ(send("set a time format samples wait"), MciCode{0});
    }
};

TEST_F(ToneTest, DeviceIdsCountUpAndStartAgainWhenAllAreClosed) {
    EXPECT_EQ(reply("open /w/tone.wav alias b"), "2");
    EXPECT_EQ(send("close a"), MciCode{0});
    EXPECT_EQ(reply("open /w/tone.wav alias c"), "3");
    EXPECT_EQ(send("close b"), MciCode{0});
    EXPECT_EQ(send("close c"), MciCode{0});
    EXPECT_EQ(reply("open /w/tone.wav alias d"), "1");
    EXPECT_EQ(send("close all notify"), MciCode{0});
    expectNotices(__LINE__, {successful(1)});
    EXPECT_EQ(send("close all notify"), MciCode{0});
    EXPECT_EQ(send("status d mode"), MciCode{MCIERR_INVALID_DEVICE_NAME});
    EXPECT_EQ(reply("open /w/tone.wav alias d"), "1");
    expectNotices(__LINE__, {});
}

TEST_F(ToneTest, StatusDescribesTheOpenSound) {
    const std::pair<const char *, const char *> expected[] = {
        {"length", "8000"}, {"position", "0"},         {"bitspersample", "16"},
        {"channels", "1"},  {"samplespersec", "8000"}, {"bytespersec", "16000"},
        {"alignment", "2"}, {"mode", "stopped"}};
    for (const auto &[item, value] : expected)
        EXPECT_EQ(reply(std::string("status a ") + item + " wait"), value) << item;
}

TEST_F(ToneTest, ReplyThatDoesNotFitIsRefusedWithoutWritingPastTheBuffer) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(MciCode{device->sendString("status a length", buffer, 4, window)},
              MciCode{MCIERR_PARAM_OVERFLOW});
    EXPECT_EQ(std::string(buffer, 8), std::string("\0xxxxxx\0", 8));
    EXPECT_EQ(MciCode{device->sendString("status a length", buffer, 5, window)}, MciCode{0});
    EXPECT_STREQ(buffer, "8000");
    EXPECT_EQ(send("status a length notify"), MciCode{0}) << "no buffer drops the reply";
    expectNotices(__LINE__, {successful()});
}

TEST_F(ToneTest, MillisecondsRoundSoThatTheReportedLengthPlaysToItsEnd) {
    ASSERT_EQ(reply("open /w/odd%20rate.wav alias odd"), "2");
    EXPECT_EQ(reply("status odd length"), "9");
    EXPECT_EQ(send("play odd from 0 to 10"), MciCode{MCIERR_OUTOFRANGE});
    ASSERT_EQ(send("play odd from 3 to 9 notify"), MciCode{0});
    audio.pump(1000);
    expectNotices(__LINE__, {successful(2)});
    EXPECT_EQ(reply("status odd position"), "9");
    // Frames 34 (3 ms) to 100 (9 ms), then silence while the stream waits for a play to follow.
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 1000u);
    EXPECT_EQ(played[0], toneSample(34));
    EXPECT_EQ(played[65], toneSample(99));
    EXPECT_EQ(played[66], 0.0f);
}

TEST_F(ToneTest, PlayAdvancesThePositionAndEndsAtItsEnd) {
    ASSERT_EQ(send("play a from 100 to 300 notify"), MciCode{0});
    EXPECT_EQ(reply("status a mode"), "playing");
    audio.pump(50);
    EXPECT_EQ(reply("status a position"), "150");
    audio.pump(1000);
    EXPECT_EQ(reply("status a mode"), "stopped");
    EXPECT_EQ(reply("status a position"), "300");
    expectNotices(__LINE__, {successful()});
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 1050u);
    EXPECT_EQ(played.front(), toneSample(100));
    EXPECT_EQ(played[199], toneSample(299));
    EXPECT_EQ(played[200], 0.0f);
}

TEST_F(ToneTest, PlayRangesOutsideTheSoundAreRefusedAndPostNothing) {
    ASSERT_EQ(send("seek a to 4000"), MciCode{0});
    for (const char *command : {"play a from 8001 notify", "play a to 8001 notify",
                                "play a from 10 to 5 notify", "play a to 3999 notify"}) {
        EXPECT_EQ(send(command), MciCode{MCIERR_OUTOFRANGE}) << command;
        EXPECT_EQ(reply("status a mode"), "stopped") << command;
    }
    expectNotices(__LINE__, {});
    EXPECT_EQ(send("play a from 8000 to 8000 notify"), MciCode{0});
    EXPECT_EQ(send("play a from 0 to 0 notify"), MciCode{0});
    expectNotices(__LINE__, {successful(), successful()});
    EXPECT_EQ(reply("status a position"), "0");
}

TEST_F(ToneTest, PlayWithoutFromContinuesFromThePosition) {
    ASSERT_EQ(send("seek a to 7990"), MciCode{0});
    ASSERT_EQ(send("play a   notify "), MciCode{0});
    audio.pump(100);
    const std::vector<float> played = audio.played();
    EXPECT_EQ(played.front(), toneSample(7990));
    EXPECT_EQ(played[9], toneSample(7999));
    EXPECT_EQ(played[10], 0.0f);
    EXPECT_EQ(reply("status a position"), "8000");
}

// The music loop: its notice comes while the last frames are still to be played, and the play
// that follows the rewind joins them in the same stream, so no silence lies between the two.
TEST_F(ToneTest, APlayAfterOneThatRanToItsEndFollowsOnInTheSameStream) {
    ASSERT_EQ(send("play a from 7000 notify"), MciCode{0});
    audio.pump(500);
    audio.pump(400);
    expectNotices(__LINE__, {successful()});
    EXPECT_EQ(reply("status a mode"), "stopped");
    EXPECT_EQ(reply("status a position"), "8000");
    ASSERT_EQ(send("seek a to 0 wait"), MciCode{0});
    ASSERT_EQ(send("play a notify"), MciCode{0});
    EXPECT_EQ(audio.pump(200), 200u);
    EXPECT_EQ(reply("status a position"), "100");
    EXPECT_EQ(audio.streamsStarted(), 1u);
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 1100u);
    EXPECT_EQ(played[999], toneSample(7999));
    EXPECT_EQ(played[1000], toneSample(0));
}

// A loop shorter than two buffers: its notice comes in the buffer that starts it, and a play
// sent from the notice joins the same stream, behind its last frames.
TEST_F(ToneTest, APlayShorterThanTwoBuffersIsFollowedOnInTheSameStream) {
    ASSERT_EQ(send("play a from 0 to 700 notify"), MciCode{0});
    audio.pump(400);
    expectNotices(__LINE__, {successful()});
    ASSERT_EQ(send("play a from 0 to 700 notify"), MciCode{0});
    audio.pump(400);
    audio.pump(400);
    expectNotices(__LINE__, {successful()});
    EXPECT_EQ(audio.pump(400), 200u);
    EXPECT_EQ(audio.streamsStarted(), 1u);
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 1400u);
    EXPECT_EQ(played[699], toneSample(699));
    EXPECT_EQ(played[700], toneSample(0));
}

// A play that fits in one buffer with room to spare ends in that buffer, which silence fills;
// the stream stays open for one buffer more, for a play sent from the notice, and then ends.
TEST_F(ToneTest, APlayThatFitsInOneBufferKeepsItsStreamOpenForOneMoreBuffer) {
    ASSERT_EQ(send("play a from 0 to 100 notify"), MciCode{0});
    EXPECT_EQ(audio.pump(400), 400u);
    expectNotices(__LINE__, {successful()});
    ASSERT_EQ(send("play a from 0 to 100 notify"), MciCode{0});
    EXPECT_EQ(audio.pump(400), 400u);
    expectNotices(__LINE__, {successful()});
    EXPECT_EQ(audio.pump(400), 0u) << "with no play to follow, the stream ends";
    EXPECT_EQ(audio.streamsStarted(), 1u);
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 800u);
    EXPECT_EQ(played[99], toneSample(99));
    EXPECT_EQ(played[100], 0.0f);
    EXPECT_EQ(played[400], toneSample(0));
    EXPECT_EQ(send("stop a"), MciCode{0});
    EXPECT_EQ(reply("status a position"), "100");
}

// A play that follows on is queued behind the last frames of the one before, which was already
// reported complete: whatever ends the follow-on must let those frames be heard first.
class FollowOnEndTest : public testing::TestWithParam<const char *>, protected DeviceHarness {};

TEST_P(FollowOnEndTest, LetsTheLastFramesOfTheEndedPlayBeHeard) {
    ASSERT_EQ(reply("open /w/tone.wav alias a type waveaudio"), "1");
    ASSERT_EQ(send("set a time format samples"), MciCode{0});
    ASSERT_EQ(send("play a from 7000 notify"), MciCode{0});
    audio.pump(500);
    audio.pump(400);
    ASSERT_EQ(send("play a from 0 notify"), MciCode{0});
    std::atomic<bool> sent{false};
    std::thread audioThread([&] {
        while (!sent) {
        }
        // Never so far that the follow-on ends: the command finds it either just joined, and
        // these buffers drain the stream, or three buffers on, past its start.
        for (int buffer = 0; buffer < 3 && audio.pump(400) == 400; ++buffer) {
        }
    });
    sent = true;
    EXPECT_EQ(send(GetParam()), MciCode{0});
    audioThread.join();
    expectNotices(__LINE__, {successful(), aborted()});
    const std::vector<float> played = audio.played();
    ASSERT_GE(played.size(), 1000u);
    EXPECT_EQ(played[999], toneSample(7999));
}

INSTANTIATE_TEST_SUITE_P(Commands, FollowOnEndTest,
                         testing::Values("stop a", "seek a to 10", "close a", "play a from 5"));

TEST_F(ToneTest, PauseAndResumeOnlyApplyToARunningPlay) {
    EXPECT_EQ(send("pause a"), MciCode{MCIERR_NONAPPLICABLE_FUNCTION});
    EXPECT_EQ(send("resume a"), MciCode{MCIERR_NONAPPLICABLE_FUNCTION});
    ASSERT_EQ(send("play a from 0 notify"), MciCode{0});
    audio.pump(100);
    EXPECT_EQ(send("pause a"), MciCode{0});
    EXPECT_EQ(send("pause a"), MciCode{0});
    EXPECT_EQ(reply("status a mode"), "paused");
    EXPECT_EQ(audio.pump(100), 0u) << "a paused stream plays nothing";
    EXPECT_EQ(send("resume a"), MciCode{0});
    EXPECT_EQ(send("resume a"), MciCode{MCIERR_NONAPPLICABLE_FUNCTION});
    EXPECT_EQ(reply("status a mode"), "playing");
    audio.pump(50);
    EXPECT_EQ(send("pause a"), MciCode{0});
    EXPECT_EQ(send("stop a"), MciCode{0});
    EXPECT_EQ(reply("status a position"), "150");
    EXPECT_EQ(send("resume a"), MciCode{MCIERR_NONAPPLICABLE_FUNCTION});
    expectNotices(__LINE__, {aborted()});
}

TEST_F(ToneTest, RecordInsertsAtThePositionAndEndsAfterItsFrames) {
    ASSERT_EQ(send("seek a to 100"), MciCode{0});
    ASSERT_EQ(send("record a to 150 notify"), MciCode{0});
    EXPECT_EQ(reply("status a mode"), "recording");
    audio.capture(30, 0.5f);
    EXPECT_EQ(reply("status a position"), "130");
    audio.capture(30, 0.5f);
    expectNotices(__LINE__, {successful()});
    EXPECT_EQ(reply("status a mode"), "stopped");
    EXPECT_EQ(reply("status a position"), "150");
    EXPECT_EQ(reply("status a length"), "8050");

    ASSERT_EQ(send("play a from 99 to 152"), MciCode{0});
    audio.pump(1000);
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 1000u);
    EXPECT_EQ(played[53], 0.0f);
    EXPECT_EQ(played[0], toneSample(99));
    EXPECT_EQ(played[1], 0.5f);
    EXPECT_EQ(played[50], 0.5f);
    EXPECT_EQ(played[51], toneSample(100));
}

TEST_F(ToneTest, RecordWithoutAnEndGoesOnUntilStopped) {
    ASSERT_EQ(send("record a from 8000  notify "), MciCode{0});
    audio.capture(700, 0.25f);
    audio.capture(300, -0.25f);
    EXPECT_EQ(reply("status a length"), "9000");
    ASSERT_EQ(send("stop a wait"), MciCode{0});
    expectNotices(__LINE__, {aborted()});
    EXPECT_EQ(reply("status a position"), "9000");
    EXPECT_EQ(send("record a from 9001"), MciCode{MCIERR_OUTOFRANGE});
    EXPECT_EQ(send("record a from 10 to 5"), MciCode{MCIERR_OUTOFRANGE});
}

TEST_F(ToneTest, RecordingOneFrameGivesAnEmptySoundItsFirstFrame) {
    ASSERT_EQ(reply("open /w/empty.wav alias e"), "2");
    ASSERT_EQ(send("set e time format samples"), MciCode{0});
    EXPECT_EQ(reply("status e length"), "0");
    ASSERT_EQ(send("record e from 0 to 1 notify"), MciCode{0});
    audio.capture(512, 0.0f);
    expectNotices(__LINE__, {successful(2)});
    EXPECT_EQ(reply("status e length"), "1");
    EXPECT_EQ(send("save e /w/one%20frame.wav wait"), MciCode{0});
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0], std::make_pair(std::string("/w/one frame.wav"), uint64_t{1}));
}

TEST_F(ToneTest, DeleteRemovesItsRangeAndRefusesOneOutside) {
    ASSERT_EQ(send("delete a from 100 to 200 wait"), MciCode{0});
    EXPECT_EQ(reply("status a length"), "7900");
    EXPECT_EQ(send("delete a from 100 to 7901"), MciCode{MCIERR_OUTOFRANGE});
    EXPECT_EQ(send("delete a from 7901"), MciCode{MCIERR_OUTOFRANGE});
    ASSERT_EQ(send("play a from 99 to 101"), MciCode{0});
    audio.pump(10);
    const std::vector<float> played = audio.played();
    ASSERT_EQ(played.size(), 10u);
    EXPECT_EQ(played[0], toneSample(99));
    EXPECT_EQ(played[1], toneSample(200));
    EXPECT_EQ(audio.pump(10), 0u);
    ASSERT_EQ(send("seek a to 7000"), MciCode{0});
    ASSERT_EQ(send("delete a  wait"), MciCode{0});
    EXPECT_EQ(reply("status a length"), "7000");
}

TEST_F(ToneTest, SaveHandsTheSoundToTheWriterAndReportsItsFailure) {
    ASSERT_EQ(send("play a from 0 notify"), MciCode{0});
    EXPECT_EQ(send("save a /w/out.wav notify wait"), MciCode{0});
    expectNotices(__LINE__, {aborted(), successful()});
    EXPECT_EQ(reply("status a mode"), "stopped");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0], std::make_pair(std::string("/w/out.wav"), uint64_t{8000}));
    EXPECT_EQ(send(std::string("save a ") + kUnwritablePath + " notify"),
              MciCode{MCIERR_FILE_NOT_SAVED});
    EXPECT_EQ(send(std::string("save a ") + kReadOnlyPath), MciCode{MCIERR_FILE_WRITE});
    expectNotices(__LINE__, {});
}

TEST_F(ToneTest, ASaveOrDeleteThatFailsLeavesThePlayRunning) {
    ASSERT_EQ(send("play a from 0 to 300 notify"), MciCode{0});
    audio.pump(100);
    const std::pair<std::string, MCIERROR> refused[] = {
        {std::string("save a ") + kUnwritablePath + " notify", MCIERR_FILE_NOT_SAVED},
        {"delete a from 8001 notify", MCIERR_OUTOFRANGE}};
    for (const auto &[command, code] : refused) {
        EXPECT_EQ(send(command), MciCode{code}) << command;
        EXPECT_EQ(reply("status a mode"), "playing") << command;
    }
    audio.pump(1000);
    expectNotices(__LINE__, {successful()});
    const std::vector<float> played = audio.played();
    EXPECT_EQ(played[299], toneSample(299));
    EXPECT_EQ(played[300], 0.0f);
}

TEST_F(ToneTest, APlayThatCannotStartIsRefused) {
    audio.refuseStreams();
    EXPECT_EQ(send("play a from 0 notify"), MciCode{MCIERR_WAVE_OUTPUTSUNSUITABLE});
    EXPECT_EQ(reply("status a mode"), "stopped");
    expectNotices(__LINE__, {});
}

// What becomes of a play's notice as later commands arrive. A command starting with '!' is
// sent without a callback window.
struct NoticeCase {
    const char *name;
    std::vector<const char *> later;
    bool playToEnd;
    bool failStream;
    std::vector<Notice> expected;
};

void PrintTo(const NoticeCase &row, std::ostream *out) {
    *out << row.name;
}

class PlayNoticeTest : public testing::TestWithParam<NoticeCase>, protected DeviceHarness {};

TEST_P(PlayNoticeTest, PostsTheFlagsInOrder) {
    ASSERT_EQ(reply("open /w/tone.wav alias a"), "1");
    ASSERT_EQ(send("play a from 0 notify"), MciCode{0});
    for (const std::string command : GetParam().later) {
        const bool anonymous = command.starts_with('!');
        ASSERT_EQ(send(anonymous ? command.substr(1) : command, anonymous ? nullptr : window),
                  MciCode{0})
            << command;
    }
    if (GetParam().failStream)
        audio.fail();
    if (GetParam().playToEnd)
        audio.pump(100000);
    expectNotices(__LINE__, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlayNoticeTest,
    testing::Values(
        NoticeCase{"PlayEnds", {}, true, false, {successful()}},
        NoticeCase{"StreamFails", {}, false, true, {failure()}},
        NoticeCase{"Stop", {"stop a"}, true, false, {aborted()}},
        NoticeCase{"StopWithNotify", {"stop a notify"}, false, false, {aborted(), successful()}},
        NoticeCase{"Close", {"close a"}, false, false, {aborted()}},
        NoticeCase{"Seek", {"seek a to 10 wait"}, false, false, {aborted()}},
        NoticeCase{"NewPlayWithNotify",
                   {"play a from 5 notify"},
                   true,
                   false,
                   {superseded(), successful()}},
        NoticeCase{"NewPlayWithoutNotify", {"play a from 5"}, true, false, {aborted()}},
        NoticeCase{"NewRecord", {"record a"}, false, false, {aborted()}},
        NoticeCase{"StatusWithNotify",
                   {"status a mode notify"},
                   true,
                   false,
                   {superseded(), successful()}},
        NoticeCase{
            "NotifyFromNoWindow", {"!status a position notify"}, true, false, {superseded()}},
        NoticeCase{"CommandsWithoutNotify",
                   {"status a mode", "pause a", "resume a"},
                   true,
                   false,
                   {successful()}},
        NoticeCase{"PauseWithNotify",
                   {"pause a notify", "resume a"},
                   true,
                   false,
                   {superseded(), successful()}}),
    [](const testing::TestParamInfo<NoticeCase> &row) { return row.param.name; });

TEST_F(ToneTest, WaitReturnsWhenThePlayEndsOnTheAudioThread) {
    std::thread audioThread([this] {
        audio.waitForStreams(1);
        while (audio.pump(64) == 64) {
        }
    });
    EXPECT_EQ(send("play a from 7000 notify wait"), MciCode{0});
    audioThread.join();
    EXPECT_EQ(reply("status a position"), "8000");
    expectNotices(__LINE__, {successful()});
}

TEST_F(ToneTest, WaitReturnsWhenAnotherThreadStopsTheRecord) {
    std::thread other([this] {
        audio.waitForStreams(1);
        audio.capture(10, 0.5f);
        EXPECT_EQ(send("stop a"), MciCode{0});
    });
    EXPECT_EQ(send("record a from 0 to 100000 notify wait"), MciCode{0});
    other.join();
    EXPECT_EQ(reply("status a position"), "10");
    expectNotices(__LINE__, {aborted()});
}

// Nothing pumps the fake stream, so without the break these waits would never return.
TEST_F(ToneTest, TheBreakKeyEndsWaitsButNotWhatTheyWaitFor) {
    std::thread user([this] {
        audio.waitForStreams(1);
        // Usually late enough to find the wait asleep; a press before it must break it too.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        PressBreakKey();
    });
    EXPECT_EQ(send("play a from 0 notify wait"), MciCode{MCIERR_DEVICE_LOCKED});
    user.join();
    EXPECT_EQ(reply("status a mode"), "playing");
    EXPECT_EQ(send("record a from 0 to 100000 wait"), MciCode{MCIERR_DEVICE_LOCKED});
    EXPECT_EQ(reply("status a mode"), "recording");
    ReleaseBreakKey();
    std::thread other([this] {
        audio.waitForStreams(3);
        EXPECT_EQ(send("stop a"), MciCode{0});
    });
    EXPECT_EQ(send("play a from 0 wait"), MciCode{0});
    other.join();
    expectNotices(__LINE__, {aborted()});
}

TEST_F(ToneTest, ClosingTheDeviceDuringAPlayIsSafe) {
    ASSERT_EQ(send("play a from 0 notify"), MciCode{0});
    audio.pump(10);
    device.reset();
    EXPECT_EQ(audio.pump(10), 0u);
}

} // namespace
