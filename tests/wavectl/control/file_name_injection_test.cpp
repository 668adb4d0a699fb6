// File names as a host may pass them, holding spaces, quotes, command keywords, line breaks,
// percent signs, letters beyond ASCII and bytes that are not UTF-8, absolute or relative: each
// reaches the device as one word that names the host's file, so no name can add a keyword to a
// command, and no two names reach the same file.
#include "base/short_path_codec.h"
#include "control_support.h"
#include "file_content.h"
#include "recording_mci_device.h"
#include "small_wave_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kNames = {
    "with space.wav",
    "quoted \"name\".wav",
    "alias 9 wait.wav",
    "wait",
    "notify",
    "all",
    "alias",
    "line\nbreak notify.wav",
    "tab\tand\rcr.wav",
    "100% \"%20\" %.wav",
    "nön-ascii 日本.wav",
    "-wait",
    "type waveaudio.wav",
    "save 1 x.wav wait",
    "x\xFF.wav",
    "x\xFE.wav",
    "Latin-1 caf\xE9.wav",
    "stray \x80 and cut \xE2\x82.wav",
};

class FileNameInjectionTest : public ControlTest, public testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        fs::create_directory(file("out"));
        previousFolder = fs::current_path();
        fs::current_path(folder());
    }

    void TearDown() override { fs::current_path(previousFolder); }

    // The name as the host passes it: absolute, or relative to the current folder.
    std::string hostName(const std::string &name) const { return GetParam() ? file(name) : name; }

    fs::path previousFolder;
};

TEST_P(FileNameInjectionTest, CommandsCarryEachNameAsOneWordForTheSameFile) {
    RecordingMciDevice device;
    device.answer("status", 0, "100");
    for (const std::string &name : kNames) {
        const std::string path = hostName(name);
        ASSERT_TRUE(writeSmallWave(path, 100)) << name;
        device.commands.clear();
        ASSERT_EQ(callWithPath("Open", path), 0) << name;
        const std::vector<std::string> open = wordsOf(device.texts().at(1));
        ASSERT_EQ(open.size(), 7u) << device.texts().at(1);
        EXPECT_EQ(open[0], "open");
        EXPECT_EQ((std::vector<std::string>(open.begin() + 2, open.end())),
                  (std::vector<std::string>{"alias", open[3], "type", "waveaudio", "wait"}));
        EXPECT_TRUE(fs::equivalent(decodeShortPath(open[1]).value_or(""), path)) << name;

        const std::string target = hostName("out/" + name);
        for (const bool named : {true, false}) {
            const char *method = named ? "SaveAs" : "Save";
            device.commands.clear();
            if (named)
                callWithPath(method, target);
            else
                ASSERT_EQ(callByName(control.get(), method), S_OK);
            EXPECT_EQ(errorCode(control.get()), 0) << method << " " << name;
            const std::vector<std::string> save = wordsOf(device.texts().back());
            ASSERT_EQ(save.size(), 4u) << device.texts().back();
            EXPECT_EQ(save[0], "save");
            EXPECT_EQ(save[1], open[3]);
            EXPECT_EQ(save[3], "wait");
            EXPECT_TRUE(fs::equivalent(decodeShortPath(save[2]).value_or(""), target)) << name;
        }
    }
}

// Each file has a length of its own, so the length the device reports tells which file it
// opened; the saved files are opened again to see what was written where.
TEST_P(FileNameInjectionTest, TheDeviceOpensAndWritesTheNamedFile) {
    int32_t frames = 100;
    for (const std::string &name : kNames) {
        frames += 10;
        const std::string path = hostName(name);
        const std::string target = hostName("out/" + name);
        ASSERT_TRUE(writeSmallWave(path, static_cast<uint32_t>(frames))) << name;
        ASSERT_EQ(callWithPath("Open", path), 0) << name;
        EXPECT_EQ(length(), frames) << name;
        EXPECT_EQ(callWithPath("SaveAs", target), 0) << name;
        Variant from(int32_t{0}), to(int32_t{10});
        ASSERT_EQ(callByName(control.get(), "Delete", {*from.get(), *to.get()}), S_OK);
        ASSERT_EQ(callByName(control.get(), "Save"), S_OK);
        EXPECT_EQ(errorCode(control.get()), 0) << name;

        for (const auto &[file, expected] : {std::pair{path, frames}, {target, frames - 10}}) {
            EXPECT_EQ(callWithPath("Open", file), 0) << file;
            EXPECT_EQ(length(), expected) << file;
        }
    }
}

// A path of over a thousand bytes, in nested folders with blanks in their names: the device
// opens it, the sound is edited, saved to another such path and found there when reopened.
TEST_P(FileNameInjectionTest, AThousandBytePathOpensAndSavesAnEditedSound) {
    std::string nested;
    for (int depth = 0; depth < 10; ++depth)
        nested += "folder " + std::string(93, char('a' + depth)) + "/";
    fs::create_directories(nested + "out");
    const std::string path = hostName(nested + "host with blanks.wav");
    const std::string target = hostName(nested + "out/saved with blanks.wav");
    ASSERT_GT(path.size(), 1000u);
    ASSERT_TRUE(writeSmallWave(path, 1000, 16, 2));
    const std::string original = contentOf(path);
    ASSERT_EQ(callWithPath("Open", path), 0);
    EXPECT_EQ(length(), 1000);
    ASSERT_EQ(
        callByName(control.get(), "ChangeVolume", {variantI4(0), variantI4(-1), variantR4(0)}),
        S_OK);
    EXPECT_EQ(errorCode(control.get()), 0);
    ASSERT_EQ(callByName(control.get(), "Delete", {variantI4(0), variantI4(10)}), S_OK);
    EXPECT_EQ(callWithPath("SaveAs", target), 0);
    ASSERT_EQ(callWithPath("Open", target), 0);
    EXPECT_EQ(length(), 990);
    EXPECT_EQ(contentOf(target).substr(44), std::string(990 * 4, '\0')) << "silenced";
    EXPECT_EQ(contentOf(path), original);
}

// 100 frames of 16-bit mono, then 90, each behind the plain 44-byte header.
TEST_P(FileNameInjectionTest, NamesThatDifferInOneInvalidByteAreTwoFiles) {
    ASSERT_TRUE(writeSmallWave(file("source.wav"), 100));
    ASSERT_EQ(callWithPath("Open", file("source.wav")), 0);
    EXPECT_EQ(callWithPath("SaveAs", hostName("x\xFF.wav")), 0);
    ASSERT_EQ(call("Delete", {variantI4(0), variantI4(10)}), 0);
    EXPECT_EQ(callWithPath("SaveAs", hostName("x\xFE.wav")), 0);
    EXPECT_EQ(fs::file_size(file("x\xFF.wav")), 244u);
    EXPECT_EQ(fs::file_size(file("x\xFE.wav")), 224u);
    Variant name;
    ASSERT_EQ(callByName(control.get(), "GetWavFilename", {}, name.get()), S_OK);
    EXPECT_EQ(utf8FromBstr(name->bstrVal), hostName("x\xFE.wav"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 4)
        << "source.wav, out and the two saved files";
}

// The system would take each name only up to its zero, which names b.wav.
TEST_P(FileNameInjectionTest, ANameHoldingAZeroIsRefusedAndNothingIsWritten) {
    ASSERT_TRUE(writeSmallWave(file("b.wav"), 100));
    ASSERT_TRUE(writeSmallWave(file("source.wav"), 50));
    const std::string original = contentOf(file("b.wav"));
    const std::string withZero = hostName(std::string("b.wav\0.new", 10));
    ASSERT_EQ(callWithPath("Open", file("source.wav")), 0);
    EXPECT_EQ(callWithPath("SaveAs", withZero), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(length(), 50) << "still open on its own file";
    EXPECT_EQ(callWithPath("Open", withZero), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(length(), 0) << "b.wav is not opened";
    EXPECT_EQ(contentOf(file("b.wav")), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 3);
}

INSTANTIATE_TEST_SUITE_P(AbsoluteAndRelative, FileNameInjectionTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &param) {
                             return param.param ? "Absolute" : "Relative";
                         });

} // namespace
