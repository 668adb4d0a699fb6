// The sample-level operations through a fake device: what they change, the codes in the order
// they are tested, the position kept, the host's file untouched, no temporary file left over.
#include "base/break_key.h"
#include "fake_wave_session.h"
#include "temporary_folder.h"
#include "wavedata/clip_file.h"
#include "wavedata/sample_operations.h"

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <sndfile.h>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

// The frames of a WAV file as libsndfile reads them, each as its bytes.
std::vector<std::vector<uint8_t>> framesReadBySndfile(const std::string &path, int frameBytes) {
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(info.frames * frameBytes));
    const sf_count_t read = sf_read_raw(file, bytes.data(), static_cast<sf_count_t>(bytes.size()));
    sf_close(file);
    EXPECT_EQ(read, static_cast<sf_count_t>(bytes.size())) << path;
    std::vector<std::vector<uint8_t>> frames;
    for (auto at = bytes.begin(); at != bytes.end(); at += frameBytes)
        frames.emplace_back(at, at + frameBytes);
    return frames;
}

class SampleOperationsTest : public testing::Test {
  protected:
    void SetUp() override {
        setenv("TMPDIR", folder.c_str(), 1);
        DeleteClipFile();
    }
    void TearDown() override {
        DeleteClipFile();
        unsetenv("TMPDIR");
    }

    // A host file of frames counted up from 1, one sample per channel per frame.
    std::string hostFile(int channels, int bits, int frames, const char *name = "host.wav") {
        std::vector<uint8_t> data;
        for (int i = 0; i < frames * channels; ++i)
            for (int byte = 0; byte < bits / 8; ++byte)
                data.push_back(static_cast<uint8_t>((i + 1) >> (8 * byte)));
        const std::string path = folder + "/" + name;
        writeFileBytes(path, waveImage(channels, bits, 8000, data));
        return path;
    }

    std::vector<int16_t> samplesOf(FakeWaveSession &session) {
        std::vector<int16_t> array(
            static_cast<std::size_t>(session.GetLength() * session.GetNumChannels()));
        session.code = WavFileToArray(session, array.data(), static_cast<int32_t>(array.size()));
        EXPECT_EQ(session.code, 0);
        return array;
    }

    std::size_t temporaryFiles() {
        return static_cast<std::size_t>(std::count_if(
            fs::directory_iterator(folder), fs::directory_iterator(),
            [](const fs::directory_entry &e) { return e.path().extension() == ".tmp"; }));
    }

    // One folder per test: CTest runs the tests of this file side by side.
    const TemporaryFolder scratch;
    const std::string folder = scratch.path().string();
};

TEST_F(SampleOperationsTest, ArrayRoundTripKeepsPositionAndTheHostsFile) {
    const std::string host = hostFile(2, 16, 1000);
    const std::vector<uint8_t> hostBytes = readFileBytes(host);
    FakeWaveSession session(host);
    session.position = 123;
    std::vector<int16_t> array = samplesOf(session);
    ASSERT_EQ(array.size(), 2000u);
    EXPECT_EQ(array[0], 1) << "left of frame 0";
    EXPECT_EQ(array[1], 2) << "right of frame 0";
    for (int16_t &sample : array)
        sample = static_cast<int16_t>(-sample);
    session.code = ArrayToWavFile(session, array.data(), 2000);
    EXPECT_EQ(session.code, 0);
    EXPECT_EQ(session.position, 123);
    EXPECT_EQ(samplesOf(session), array);
    EXPECT_EQ(readFileBytes(host), hostBytes);
    // A deleted working copy's name may be taken again by a later one, so count, not names.
    EXPECT_EQ(temporaryFiles(), 1u) << "each cycle deletes the working copy before it";
    EXPECT_TRUE(fs::exists(session.workFile));
}

TEST_F(SampleOperationsTest, EightBitElementsAreBytesAndStoreTheirLowByte) {
    FakeWaveSession session(hostFile(1, 8, 3));
    std::vector<int16_t> array = {300, -1, 128};
    session.code = ArrayToWavFile(session, array.data(), 3);
    EXPECT_EQ(samplesOf(session), (std::vector<int16_t>{44, 255, 128}));
}

TEST_F(SampleOperationsTest, FailedChecksReportInOrderAndMakeNoFile) {
    int16_t array[8] = {};
    struct Case {
        const char *what;
        int channels, bits, frames;
        bool closed;
        int32_t length;
        int32_t code;
    };
    for (const Case &c : {Case{"closed", 1, 16, 4, true, 4, 515},
                          {"empty", 1, 16, 0, false, 0, 524},
                          {"wrong length", 2, 16, 4, false, 7, 520},
                          {"24-bit", 1, 24, 2, false, 2, 516}}) {
        FakeWaveSession session(hostFile(c.channels, c.bits, c.frames));
        session.fileOpen = !c.closed;
        session.code = ArrayToWavFile(session, array, c.length);
        EXPECT_EQ(session.code, c.code) << c.what;
        EXPECT_EQ(temporaryFiles(), 0u) << c.what;
        EXPECT_TRUE(session.workFile.empty()) << c.what;
    }
}

TEST_F(SampleOperationsTest, CycleFailuresLeaveTheSessionUsableOrClosed) {
    std::vector<int16_t> array(4);
    FakeWaveSession saveFails(hostFile(1, 16, 4));
    saveFails.failSave = true;
    saveFails.code = WavFileToArray(saveFails, array.data(), 4);
    EXPECT_EQ(saveFails.code, 517);
    EXPECT_TRUE(saveFails.deviceOpen);
    EXPECT_EQ(temporaryFiles(), 0u);

    FakeWaveSession reopenFails(hostFile(1, 16, 4));
    reopenFails.failOpen = true;
    reopenFails.code = WavFileToArray(reopenFails, array.data(), 4);
    EXPECT_EQ(reopenFails.code, 519);
    EXPECT_FALSE(reopenFails.IsFileOpen());
}

// A full disk while the working copy is rewritten: the copy the device saved stays whole and
// the session goes on with it.
TEST_F(SampleOperationsTest, AFailedRewriteKeepsTheSavedWorkingCopy) {
    FakeWaveSession session(hostFile(1, 16, 100));
    const std::vector<int16_t> before = samplesOf(session);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    session.onClose = [] {
        const rlimit tiny{10, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &tiny);
    };
    session.code = ChangeVolume(session, 0, -1, 2);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    session.onClose = nullptr;
    EXPECT_EQ(session.code, 517);
    EXPECT_TRUE(session.deviceOpen);
    EXPECT_EQ(samplesOf(session), before);
    EXPECT_EQ(temporaryFiles(), 1u) << "only the working copy";
}

TEST_F(SampleOperationsTest, AClipFileThatVanishedIsAnEmptyClipboard) {
    FakeWaveSession session(hostFile(1, 16, 10));
    session.code = Copy(session, 0, 3);
    std::remove(g_szClipFile);
    session.code = Paste(session, 0, 0);
    EXPECT_EQ(session.code, 523);
    EXPECT_TRUE(session.deviceOpen);
    EXPECT_EQ(session.GetLength(), 10);
}

TEST_F(SampleOperationsTest, VolumeChangesOnlyTheFramesFromUpToTo) {
    FakeWaveSession session(hostFile(2, 16, 4));
    session.code = ChangeVolume(session, 1, 3, 2);
    EXPECT_EQ(session.code, 0);
    EXPECT_EQ(samplesOf(session), (std::vector<int16_t>{1, 2, 6, 8, 10, 12, 7, 8}));
    session.code = ChangeVolume(session, 0, -1, 0);
    EXPECT_EQ(samplesOf(session), std::vector<int16_t>(8, 0)) << "To -1 reaches the last frame";
}

TEST_F(SampleOperationsTest, VolumeRefusesBadRangesAndFactorsBeforeAnyFile) {
    FakeWaveSession session(hostFile(1, 16, 10));
    const float nan = std::nanf("");
    struct Case {
        int32_t from, to;
        float factor;
        int32_t code;
    };
    for (const Case c : {Case{0, 11, 1, 282},
                         {-1, 5, 1, 282},
                         {6, 5, 1, 282},
                         {0, 10, nan, 282},
                         {0, 10, INFINITY, 282},
                         {10, 10, 3, 0}}) {
        session.code = ChangeVolume(session, c.from, c.to, c.factor);
        EXPECT_EQ(session.code, c.code) << c.from << ".." << c.to << " x " << c.factor;
    }
    EXPECT_EQ(samplesOf(session)[9], 10) << "From equal to To changes nothing";
}

TEST_F(SampleOperationsTest, MinusInfinityIsANegativeFactorAndSilences) {
    FakeWaveSession eightBit(hostFile(1, 8, 3, "eight.wav"));
    eightBit.code = ChangeVolume(eightBit, 0, -1, -INFINITY);
    EXPECT_EQ(eightBit.code, 0);
    EXPECT_EQ(samplesOf(eightBit), (std::vector<int16_t>{128, 128, 128}));
    FakeWaveSession sixteenBit(hostFile(2, 16, 2, "sixteen.wav"));
    sixteenBit.code = ChangeVolume(sixteenBit, 0, -1, -INFINITY);
    EXPECT_EQ(sixteenBit.code, 0);
    EXPECT_EQ(samplesOf(sixteenBit), std::vector<int16_t>(4, 0));
}

TEST_F(SampleOperationsTest, PasteReplacesFramesWithTheClip) {
    FakeWaveSession session(hostFile(2, 16, 100));
    session.code = Paste(session, 0, 0);
    EXPECT_EQ(session.code, 523) << "before any Copy";
    session.code = Copy(session, 10, 19);
    EXPECT_EQ(session.code, 0);
    session.code = Paste(session, 50, 50);
    ASSERT_EQ(session.code, 0);
    EXPECT_EQ(session.GetLength(), 109);
    const std::vector<int16_t> samples = samplesOf(session);
    EXPECT_EQ(samples[100], 21) << "the clip's first frame at 50";
    EXPECT_EQ(samples[120], 103) << "old frame 51 after the clip";
    const std::vector<uint8_t> file = readFileBytes(session.openedFile);
    EXPECT_EQ(file[4] | file[5] << 8, static_cast<int>(file.size() - 8));
    EXPECT_EQ(file[40] | file[41] << 8, static_cast<int>(file.size() - 44));
}

// Copy 0 9 then Paste 50 50 on 100 frames gives frames 0 to 49, the clip (old frames 0 to 9),
// then old frames 51 to 99, however many channels a frame holds.
TEST_F(SampleOperationsTest, CopyAndPasteMoveWholeFramesOfAnyChannelCount) {
    struct Case {
        int channels, bits;
    };
    for (const Case c : {Case{1, 16},
                         {2, 16},
                         {3, 16},
                         {4, 16},
                         {5, 16},
                         {6, 16},
                         {7, 16},
                         {8, 16},
                         {3, 8},
                         {6, 8}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels of " << c.bits << " bits");
        const int frameBytes = c.channels * c.bits / 8;
        const std::string host = hostFile(c.channels, c.bits, 100);
        const auto before = framesReadBySndfile(host, frameBytes);
        ASSERT_EQ(before.size(), 100u);
        FakeWaveSession session(host);
        session.code = Copy(session, 0, 9);
        EXPECT_EQ(session.code, 0);
        session.code = Paste(session, 50, 50);
        EXPECT_EQ(session.code, 0);
        const auto after = framesReadBySndfile(session.openedFile, frameBytes);
        ASSERT_EQ(after.size(), 109u);
        EXPECT_EQ(after[49], before[49]);
        EXPECT_EQ(after[50], before[0]);
        EXPECT_EQ(after[59], before[9]);
        EXPECT_EQ(after[60], before[51]);
        EXPECT_EQ(after[108], before[99]);
    }
}

// Into 16-bit stereo, whose frames are 4 bytes, 8 bytes of an 8-bit mono clip go in as two
// frames, byte for byte; 3 bytes would shift every later frame and change nothing.
TEST_F(SampleOperationsTest, AClipOfPartFramesIsRefusedAndWholeFramesGoInByteForByte) {
    FakeWaveSession source(hostFile(1, 8, 10, "source.wav"));
    FakeWaveSession target(hostFile(2, 16, 100, "target.wav"));
    target.position = 40;
    source.code = Copy(source, 0, 2);
    target.code = Paste(target, 20, 20);
    EXPECT_EQ(target.code, 296);
    EXPECT_EQ(target.GetLength(), 100);
    EXPECT_EQ(target.position, 40);
    EXPECT_TRUE(target.workFile.empty()) << "no working copy made";

    source.code = Copy(source, 0, 7);
    target.code = Paste(target, 20, 20);
    ASSERT_EQ(target.code, 0);
    EXPECT_EQ(target.GetLength(), 101);
    const std::vector<int16_t> samples = samplesOf(target);
    EXPECT_EQ(std::vector<int16_t>(samples.begin() + 40, samples.begin() + 45),
              (std::vector<int16_t>{0x0201, 0x0403, 0x0605, 0x0807, 43}));
}

// 2^30 - 1 frames of 16-bit stereo are 4 GB of samples, more than one buffer holds: every
// operation that loads the sound refuses it before it saves a working copy.
TEST_F(SampleOperationsTest, ASoundTooLargeForOneBufferIsRefusedBeforeAnyWorkingCopy) {
    FakeWaveSession source(hostFile(2, 16, 10, "source.wav"));
    source.code = Copy(source, 0, 0);
    FakeWaveSession session(hostFile(2, 16, 10));
    const int32_t frames = 1073741823;
    session.reportedLength = frames;
    int16_t array[1] = {};
    const std::pair<const char *, std::function<void()>> operations[] = {
        {"WavFileToArray", [&] { session.code = WavFileToArray(session, array, 2 * frames); }},
        {"ArrayToWavFile", [&] { session.code = ArrayToWavFile(session, array, 2 * frames); }},
        {"ChangeVolume", [&] { session.code = ChangeVolume(session, 0, -1, 2); }},
        {"Copy", [&] { session.code = Copy(session, 0, -1); }},
        {"Paste", [&] { session.code = Paste(session, 0, 0); }},
    };
    const std::size_t filesBefore = temporaryFiles();
    for (const auto &[name, operation] : operations) {
        session.code = 0;
        operation();
        EXPECT_EQ(session.code, 518) << name;
        EXPECT_TRUE(session.workFile.empty()) << name;
    }
    EXPECT_EQ(temporaryFiles(), filesBefore);
}

// A signal makes the host press the break key while an edit of a large sound runs: the edit is
// abandoned, and the sound, its position, the clip and the host's file stay as they were.
TEST_F(SampleOperationsTest, TheBreakKeyAbandonsALongEdit) {
    // More samples than one slice of work and more bytes than one piece of a file.
    const int32_t frames = 2500000;
    const std::string host = hostFile(2, 16, frames);
    const std::vector<uint8_t> hostBytes = readFileBytes(host);
    FakeWaveSession session(host);
    session.code = Copy(session, 0, 0);
    const std::vector<int16_t> before = samplesOf(session);
    std::vector<int16_t> array(before.size());
    const std::pair<const char *, std::function<void()>> operations[] = {
        {"WavFileToArray",
         [&] { session.code = WavFileToArray(session, array.data(), 2 * frames); }},
        {"ArrayToWavFile",
         [&] { session.code = ArrayToWavFile(session, array.data(), 2 * frames); }},
        {"ChangeVolume", [&] { session.code = ChangeVolume(session, 0, -1, 0.5f); }},
        {"Copy", [&] { session.code = Copy(session, 0, -1); }},
        {"Paste", [&] { session.code = Paste(session, 0, 0); }},
    };
    session.position = 77;
    session.onClose = [] { PressBreakKey(); };
    for (const auto &[name, operation] : operations) {
        SCOPED_TRACE(name);
        operation();
        ReleaseBreakKey();
        EXPECT_EQ(session.code, 288);
        EXPECT_TRUE(session.deviceOpen);
        EXPECT_EQ(session.position, 77);
        const auto entries =
            std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        EXPECT_EQ(entries, 3)
            << "the host's file, the working copy and the clip, nothing half-made";
    }
    session.onClose = nullptr;
    EXPECT_EQ(samplesOf(session), before);
    EXPECT_EQ(g_nClipSize, 4);
    EXPECT_EQ(readFileBytes(host), hostBytes);
}

TEST_F(SampleOperationsTest, ClipCrossesInstancesAndFillsAnEmptySound) {
    FakeWaveSession source(hostFile(1, 8, 10, "source.wav"));
    source.code = Copy(source, 2, 4);
    FakeWaveSession empty(hostFile(1, 8, 0, "empty.wav"));
    empty.code = Paste(empty, 0, -1);
    ASSERT_EQ(empty.code, 0);
    EXPECT_EQ(samplesOf(empty), (std::vector<int16_t>{3, 4, 5}));
}

TEST_F(SampleOperationsTest, SamplingRateRewritesTheRateFieldsOnly) {
    const std::string host = hostFile(2, 16, 10);
    FakeWaveSession session(host);
    for (const int32_t rate : {0, 44101, -5}) {
        session.code = SetSamplingRate(session, rate);
        EXPECT_EQ(session.code, 521) << rate;
    }
    session.code = SetSamplingRate(session, 22050);
    ASSERT_EQ(session.code, 0);
    const std::vector<uint8_t> file = readFileBytes(session.openedFile);
    EXPECT_EQ(file[24] | file[25] << 8, 22050);
    EXPECT_EQ(file[28] | file[29] << 8 | file[30] << 16, 22050 * 4);
    EXPECT_EQ(readFileBytes(host)[24] | readFileBytes(host)[25] << 8, 8000);
}

TEST_F(SampleOperationsTest, NothingIsLeftBehind) {
    {
        FakeWaveSession session(hostFile(1, 16, 10));
        session.code = Copy(session, 0, -1);
        session.code = ChangeVolume(session, 0, -1, 0.5f);
    }
    DeleteClipFile();
    EXPECT_EQ(temporaryFiles(), 0u);
}

} // namespace
