// Automation strings: length prefix, embedded zeros, the null string and UTF-8 conversion.
#include "com/automation_string.h"

#include <gtest/gtest.h>

TEST(AutomationString, KeepsLengthAndEmbeddedZeros) {
    const OLECHAR text[] = {u'a', 0, u'b'};
    BStr s = BStr::attach(SysAllocStringLen(text, 3));
    ASSERT_NE(s.get(), nullptr);
    EXPECT_EQ(SysStringLen(s.get()), 3u);
    EXPECT_EQ(SysStringByteLen(s.get()), 6u);
    EXPECT_EQ(s.get()[1], 0);
    EXPECT_EQ(s.get()[3], 0) << "terminated after the last character";
    EXPECT_EQ(SysStringLen(BStr::attach(SysAllocString(u"hello")).get()), 5u);
}

TEST(AutomationString, NullStandsForEmpty) {
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(utf8FromBstr(nullptr), "");
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
    BStr zeroFilled = BStr::attach(SysAllocStringLen(nullptr, 2));
    EXPECT_EQ(zeroFilled.length(), 2u);
    EXPECT_EQ(zeroFilled.get()[0], 0);
}

TEST(AutomationString, ReallocationReplacesTheText) {
    BSTR s = SysAllocString(u"old");
    ASSERT_TRUE(SysReAllocString(&s, u"newer"));
    EXPECT_EQ(utf8FromBstr(s), "newer");
    SysFreeString(s);
}

TEST(AutomationString, Utf8RoundTrips) {
    const char *cases[] = {
        "", "plain", "Grüße, Pardane", "日本語", "emoji \xF0\x9F\x8E\xB5 note", "with\nline"};
    for (const char *text : cases) {
        BStr s(text);
        EXPECT_EQ(s.utf8(), text);
    }
    EXPECT_EQ(BStr("\xF0\x9F\x8E\xB5").length(), 2u) << "astral characters take a surrogate pair";
}

// A file name is any string of bytes: each byte outside valid UTF-8 travels as U+DC00 + byte.
TEST(AutomationString, MalformedInputBecomesEscapedBytes) {
    const struct {
        std::string utf8;
        std::u16string expected;
    } cases[] = {
        {"a\x80z", u"a\xDC80z"},                           // stray continuation byte
        {"\xC3", u"\xDCC3"},                               // truncated sequence
        {"caf\xE9.wav", u"caf\xDCE9.wav"},                 // Latin-1
        {"\xC0\xAF", u"\xDCC0\xDCAF"},                     // overlong slash
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},           // encoded surrogate
        {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"}, // beyond U+10FFFF
        {"\xC3\xA9\xFF", u"\u00E9\xDCFF"},                 // valid letter, then a stray byte
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(utf16FromUtf8(c.utf8), c.expected);
    const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC7F};
    EXPECT_EQ(utf8FromUtf16(std::u16string_view(lone, 4)), "x\xEF\xBF\xBDy\xEF\xBF\xBD")
        << "only U+DC80 to U+DCFF stand for bytes";
}

TEST(AutomationString, EveryByteStringRoundTrips) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string bytes{char(first), char(second), '\xE2', '\x82'};
            ASSERT_EQ(BStr(bytes).utf8(), bytes) << first << " " << second;
        }
    }
    EXPECT_NE(utf16FromUtf8("x\xFF.wav"), utf16FromUtf8("x\xFE.wav"));
}
