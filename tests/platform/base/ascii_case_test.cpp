// Only the 26 ASCII letters fold, in narrow and UTF-16 text alike, whatever the locale.
#include "base/ascii_case.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiCaseTest, OnlyTheAsciiLettersFold) {
    // The neighbours of both letter ranges, and Latin-1 letters whose case a locale would fold.
    EXPECT_EQ(asciiLowered("@AZ[`az{\xc3\x89\xc9"), "@az[`az{\xc3\x89\xc9");
    EXPECT_EQ(asciiLower(u'\u00C9'), u'\u00C9');
    EXPECT_EQ(asciiLower(u'Q'), u'q');
}

TEST(AsciiCaseTest, EqualityIgnoresOnlyAsciiCase) {
    EXPECT_TRUE(equalsIgnoringAsciiCase("Black's Turn", "BLACK'S turn"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("[x", "{x"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Seek", "Seeks"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xc3\x89", "\xc3\xa9")) << "no folding beyond ASCII";

    EXPECT_TRUE(equalsIgnoringAsciiCase(u"ArrayLength", "arrayLENGTH"));
    EXPECT_FALSE(equalsIgnoringAsciiCase(u"Seek", "Seeks"));
    EXPECT_FALSE(equalsIgnoringAsciiCase(u"\u00C3", "\xc3")) << "a UTF-8 byte is no letter";
}

} // namespace
