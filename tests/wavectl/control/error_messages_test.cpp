#include "error_messages.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct CodeText {
    int32_t code;
    const char *text;
};

class ErrorMessageTextTest : public testing::TestWithParam<CodeText> {};

TEST_P(ErrorMessageTextTest, GivesTheTextOfTheCode) {
    EXPECT_EQ(ErrorMessageText(GetParam().code), GetParam().text) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    MediaCodes, ErrorMessageTextTest,
    testing::Values(
        CodeText{0, "The specified command was carried out."},
        CodeText{257, "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
        CodeText{258, ""}, CodeText{260, ""},
        CodeText{261, "The driver cannot recognize the specified command."},
        CodeText{274, "The MCI device you are using does not support the specified command."},
        CodeText{275,
                 "Cannot find the specified file. Make sure the path and filename are correct."},
        CodeText{282, "The specified parameter is out of range for the specified command."},
        CodeText{349, "Cannot write to the specified file. Make sure you have enough disk space or "
                      "are still connected to the network."},
        CodeText{512, ""}, CodeText{1, ""}, CodeText{-1, ""}, CodeText{-261, ""},
        CodeText{INT32_MIN, ""}));

INSTANTIATE_TEST_SUITE_P(
    ControlCodes, ErrorMessageTextTest,
    testing::Values(
        CodeText{513, "Unknown error."}, CodeText{514, "Cannot determine WAV header size."},
        CodeText{515, "WAV file is not open."},
        CodeText{516, "This method supports only 8-bit or 16-bit WAV files."},
        CodeText{517, "Cannot save TMP file."}, CodeText{518, "Cannot create WAV buffer."},
        CodeText{519, "Cannot re-open the WAV file."},
        CodeText{520, "Invalid array length.\n\n Array length must be: NumSamples * NumChannels"},
        CodeText{521, "Invalid sampling rate."}, CodeText{522, "Cannot access the Clipboard."},
        CodeText{523, "Clipboard is empty."}, CodeText{524, "WAV file is empty."},
        CodeText{525, "Unknown error."}, CodeText{530, "Unknown error."},
        CodeText{INT32_MAX, "Unknown error."}));

} // namespace
