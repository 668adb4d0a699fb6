#include "mci/mci_constants.h"
#include "mci/mci_error_text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

struct KnownText {
    DWORD code;
    const char *text;
};

class KnownCodeTest : public testing::TestWithParam<KnownText> {};

TEST_P(KnownCodeTest, GivesThePlatformText) {
    char buffer[300];
    ASSERT_NE(mciGetErrorStringA(GetParam().code, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KnownCodeTest,
    testing::Values(
        KnownText{0, "The specified command was carried out."},
        KnownText{257, "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
        KnownText{261, "The driver cannot recognize the specified command."},
        KnownText{275,
                  "Cannot find the specified file. Make sure the path and filename are correct."},
        KnownText{282, "The specified parameter is out of range for the specified command."},
        KnownText{296,
                  "The specified file cannot be played on the specified MCI device. The file may "
                  "be corrupt, or not in the correct format."},
        KnownText{304, "The filename is invalid. Make sure the filename is not longer than 8 "
                       "characters, followed by a period and an extension."},
        KnownText{349,
                  "Cannot write to the specified file. Make sure you have enough disk space or "
                  "are still connected to the network."}));

class UnknownCodeTest : public testing::TestWithParam<DWORD> {};

TEST_P(UnknownCodeTest, FailsAndLeavesTheBufferUntouched) {
    char buffer[8] = "marker";
    EXPECT_EQ(mciGetErrorStringA(GetParam(), buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "marker");
}

INSTANTIATE_TEST_SUITE_P(Gaps, UnknownCodeTest,
                         testing::Values(1u, 256u, 258u, 260u, 283u, 285u, 307u, 350u, 512u, 513u,
                                         0xFFFFFFFFu, 0x80000000u));

TEST(MciErrorTextTest, EveryTableCodeHasATextThatFitsThreeHundredBytes) {
    const DWORD codes[] = {257, 259, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272,
                           273, 274, 275, 276, 277, 278, 279, 280, 281, 282, 284, 286, 287, 288,
                           289, 290, 291, 292, 293, 294, 295, 296, 297, 298, 299, 300, 301, 302,
                           303, 304, 305, 306, 312, 320, 322, 326, 328, 348, 349};
    for (const DWORD code : codes) {
        char buffer[300] = {};
        EXPECT_NE(mciGetErrorStringA(code, buffer, sizeof buffer), 0) << code;
        EXPECT_GT(std::strlen(buffer), 10u) << code;
        EXPECT_LT(std::strlen(buffer), sizeof buffer - 1) << code;
    }
}

TEST(MciErrorTextTest, ShortBufferGetsATerminatedPrefix) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_NE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "Cannot ");
}

TEST(MciErrorTextTest, NoRoomIsRefused) {
    char buffer[2] = "z";
    EXPECT_EQ(mciGetErrorStringA(0, buffer, 0), 0);
    EXPECT_STREQ(buffer, "z");
    EXPECT_EQ(mciGetErrorStringA(0, nullptr, 300), 0);
}

} // namespace
