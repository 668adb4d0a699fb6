// The device's command language, seen as a caller sees it: each malformed command gets its
// error number and an empty reply, and the notations the platform allows are understood.
#include "device_harness.h"
#include "mci/mci_constants.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Refusal {
    const char *command;
    MCIERROR code;
};

void PrintTo(const Refusal &row, std::ostream *out) {
    *out << '"' << row.command << '"';
}

class RefusedCommandTest : public testing::TestWithParam<Refusal>, protected DeviceHarness {};

TEST_P(RefusedCommandTest, GivesItsErrorAnEmptyReplyAndNoNotice) {
    ASSERT_EQ(reply("open /w/tone.wav alias a type waveaudio"), "1");
    const Answer answer = ask(GetParam().command);
    EXPECT_EQ(answer.code, MciCode{GetParam().code});
    EXPECT_EQ(answer.reply, "");
    expectNotices(__LINE__, {});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedCommandTest,
    testing::Values(
        Refusal{"", MCIERR_MISSING_COMMAND_STRING}, Refusal{"    ", MCIERR_MISSING_COMMAND_STRING},
        Refusal{"rewind a", MCIERR_UNRECOGNIZED_COMMAND},
        Refusal{"play", MCIERR_MISSING_DEVICE_NAME}, Refusal{"open", MCIERR_MISSING_DEVICE_NAME},
        Refusal{"open alias b wait", MCIERR_MISSING_DEVICE_NAME},
        Refusal{"play b notify", MCIERR_INVALID_DEVICE_NAME},
        Refusal{"play b sideways", MCIERR_INVALID_DEVICE_NAME},
        Refusal{"play a sideways notify", MCIERR_UNRECOGNIZED_KEYWORD},
        Refusal{"play a\tfrom 0", MCIERR_INVALID_DEVICE_NAME},
        Refusal{"stop a from 0", MCIERR_UNRECOGNIZED_KEYWORD},
        Refusal{"play a from", MCIERR_BAD_INTEGER},
        Refusal{"play a from -1 notify", MCIERR_BAD_INTEGER},
        Refusal{"delete a from -1  wait", MCIERR_BAD_INTEGER},
        Refusal{"play a from +1", MCIERR_BAD_INTEGER},
        Refusal{"play a from 0x10", MCIERR_BAD_INTEGER},
        Refusal{"play a from 12ms", MCIERR_BAD_INTEGER},
        Refusal{"play a from 1:2:3:4:5", MCIERR_BAD_INTEGER},
        Refusal{"play a from 256:0", MCIERR_BAD_INTEGER},
        Refusal{"play a from 4294967296", MCIERR_BAD_INTEGER},
        Refusal{"play a from 99999999999999999999999", MCIERR_BAD_INTEGER},
        Refusal{"seek a to", MCIERR_BAD_INTEGER},
        Refusal{"play a from 1 from 2", MCIERR_DUPLICATE_FLAGS},
        Refusal{"play a notify wait notify", MCIERR_DUPLICATE_FLAGS},
        Refusal{"status a", MCIERR_MISSING_PARAMETER},
        Refusal{"status a wait notify", MCIERR_MISSING_PARAMETER},
        Refusal{"status a volume", MCIERR_BAD_CONSTANT},
        Refusal{"status a length position", MCIERR_FLAGS_NOT_COMPATIBLE},
        Refusal{"status a mode mode", MCIERR_DUPLICATE_FLAGS},
        Refusal{"set a", MCIERR_MISSING_PARAMETER},
        Refusal{"set a time format", MCIERR_MISSING_PARAMETER},
        Refusal{"set a time format frames", MCIERR_BAD_TIME_FORMAT},
        Refusal{"seek a", MCIERR_MISSING_PARAMETER},
        Refusal{"seek a to start to 5", MCIERR_FLAGS_NOT_COMPATIBLE},
        Refusal{"seek a to end to start", MCIERR_FLAGS_NOT_COMPATIBLE},
        Refusal{"seek a to 5 to 6", MCIERR_DUPLICATE_FLAGS},
        Refusal{"open \"/w/tone.wav alias b", MCIERR_NO_CLOSING_QUOTE},
        Refusal{"open \"/w/tone.wav\"x alias b", MCIERR_EXTRA_CHARACTERS},
        Refusal{"open /w/tone.wav alias A", MCIERR_DUPLICATE_ALIAS},
        Refusal{"open /w/missing.wav alias a", MCIERR_DUPLICATE_ALIAS},
        Refusal{"open /w/missing.wav alias b", MCIERR_FILE_NOT_FOUND},
        Refusal{"open /w/bad.wav alias b", MCIERR_INVALID_FILE},
        Refusal{"open /w/no%20channels.wav alias b", MCIERR_INVALID_FILE},
        Refusal{"open /w/tone.wav alias b type cdaudio", MCIERR_INVALID_DEVICE_NAME},
        Refusal{"open /w/tone.wav alias", MCIERR_MISSING_STRING_ARGUMENT},
        Refusal{"open /w/tone.wav alias all", MCIERR_CANNOT_USE_ALL},
        Refusal{"play all", MCIERR_CANNOT_USE_ALL}, Refusal{"save a", MCIERR_UNNAMED_RESOURCE},
        Refusal{"save a /w/x.wav /w/y.wav", MCIERR_UNRECOGNIZED_KEYWORD}));

class CommandTextTest : public testing::Test, protected DeviceHarness {};

TEST_F(CommandTextTest, NullAndOverlongTextsAreRefused) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(MciCode{device->sendString(nullptr, buffer, sizeof buffer, window)},
              MciCode{MCIERR_MISSING_COMMAND_STRING});
    EXPECT_STREQ(buffer, "");
    const std::string overlong = "status a mode" + std::string(70000, ' ');
    EXPECT_EQ(send(overlong), MciCode{MCIERR_OUTOFRANGE});
}

TEST_F(CommandTextTest, KeywordsIgnoreCaseAndRunsOfSpaces) {
    ASSERT_EQ(reply("OPEN   /w/tone.wav   ALIAS Tone   TYPE WaveAudio   WAIT"), "1");
    EXPECT_EQ(reply("SET tone TIME FORMAT SAMPLES"), "");
    EXPECT_EQ(send("Seek TONE  To   700   Wait"), MciCode{0});
    EXPECT_EQ(reply("status tone POSITION"), "700");
    EXPECT_EQ(send("set tone time format MS"), MciCode{0});
    EXPECT_EQ(reply("status tone length"), "1000");
}

TEST_F(CommandTextTest, QuotedAndEncodedFileNamesOpen) {
    EXPECT_EQ(reply("open \"/w/odd rate.wav\" alias q"), "1");
    EXPECT_EQ(reply(std::string("open ") + kOddRatePath + " alias e"), "2");
    EXPECT_EQ(reply("status e samplespersec"), "11025");
}

// Every prefix of the control's commands, and each with one byte changed, gets an answer:
// success or an error, never a crash or a hang (the sanitizer build runs this too). The last
// byte is always replaced, so a "wait" at the end never makes a play wait for this thread.
TEST_F(CommandTextTest, EveryTruncationAndByteChangeIsAnsweredCleanly) {
    const std::string commands[] = {"open /w/tone.wav alias a type waveaudio wait",
                                    "play a from 0 to 250:0  notify wait",
                                    "record a from :1 to 300 notify ",
                                    "seek a to end wait",
                                    "status a position wait",
                                    "save a \"/w/x y.wav\" wait",
                                    "delete a from 5  wait",
                                    "close a wait"};
    for (const std::string &command : commands) {
        for (std::size_t length = 0; length <= command.size(); ++length) {
            for (const char replacement : {'\0', ' ', '"', ':', '9', '\xFF'}) {
                std::string text = command.substr(0, length);
                if (length > 0)
                    text[length - 1] = replacement;
                ask(text);
                audio.pump(1000);
                audio.capture(500, 0.0f);
            }
        }
    }
    EXPECT_EQ(send("close all"), MciCode{0});
}

struct Notation {
    const char *text;
    const char *value;
};

void PrintTo(const Notation &row, std::ostream *out) {
    *out << row.text;
}

class IntegerNotationTest : public testing::TestWithParam<Notation>, protected DeviceHarness {};

TEST_P(IntegerNotationTest, NamesThePosition) {
    ASSERT_EQ(reply("open /w/tone.wav alias a"), "1");
    ASSERT_EQ(send("set a time format samples"), MciCode{0});
    ASSERT_EQ(send(std::string("seek a to ") + GetParam().text), MciCode{0});
    EXPECT_EQ(reply("status a position"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerNotationTest,
                         testing::Values(Notation{"1500", "1500"}, Notation{"0001500", "1500"},
                                         Notation{"250:0", "250"}, Notation{"220:5:0", "1500"},
                                         Notation{"220:5:0:0", "1500"}, Notation{":1", "256"},
                                         Notation{"7:", "7"}, Notation{":", "0"}));

} // namespace
