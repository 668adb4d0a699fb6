#include "control/error_messages.h"

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

// Examples a host sees, one for each kind of code: the device's text for its own codes (none
// for a code it has no text for), the control's texts, and "Unknown error." past them.
INSTANTIATE_TEST_SUITE_P(
    Examples, ErrorMessageTextTest,
    testing::Values(
        CodeText{0, "The specified command was carried out."},
        CodeText{275,
                 "Cannot find the specified file. Make sure the path and filename are correct."},
        CodeText{258, ""}, CodeText{512, ""}, CodeText{-1, ""}, CodeText{INT32_MIN, ""},
        CodeText{513, "Unknown error."}, CodeText{514, "Cannot determine WAV header size."},
        CodeText{520, "Invalid array length.\n\n Array length must be: NumSamples * NumChannels"},
        CodeText{524, "WAV file is empty."}, CodeText{525, "Unknown error."},
        CodeText{INT32_MAX, "Unknown error."}));

} // namespace
