// Identifiers' text form and status-code names.
#include "com/guid.h"
#include "com/hresult.h"

#include <gtest/gtest.h>

TEST(Guid, TextRoundTripsInUpperCase) {
    const struct {
        const char *text;
        const char *canonical;
    } cases[] = {
        {"{00000000-0000-0000-C000-000000000046}", "{00000000-0000-0000-C000-000000000046}"},
        {"{6c1e4a13-5b2d-4e8f-9a01-2b3c4d5e6f70}", "{6C1E4A13-5B2D-4E8F-9A01-2B3C4D5E6F70}"},
        {"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
    };
    for (const auto &c : cases) {
        const auto guid = guidFromString(c.text);
        ASSERT_TRUE(guid) << c.text;
        EXPECT_EQ(guidToString(*guid), c.canonical);
        EXPECT_EQ(guidFromString(guidToString(*guid)), guid);
    }
}

TEST(Guid, FieldsFollowTheTextOrder) {
    const GUID guid = makeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");
    EXPECT_EQ(guid.Data1, 0x01234567u);
    EXPECT_EQ(guid.Data2, 0x89ABu);
    EXPECT_EQ(guid.Data3, 0xCDEFu);
    const uint8_t tail[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(guid.Data4[i], tail[i]);
    EXPECT_NE(guid, GUID_NULL);
    EXPECT_LT(GUID_NULL, guid);
}

TEST(Guid, MalformedTextIsRefused) {
    const char *cases[] = {
        "",
        "{}",
        "00000000-0000-0000-C000-000000000046",     // no braces
        "{00000000-0000-0000-C000-000000000046",    // no closing brace
        "{00000000-0000-0000-C000-0000000000461}",  // one digit too many
        "{0000000-00000-0000-C000-000000000046}",   // dash in the wrong place
        "{00000000-0000-0000-C000-00000000004G}",   // not hex
        "{00000000 0000-0000-C000-000000000046}",   // space for a dash
        "{ 0000000-0000-0000-C000-000000000046}",   // blank inside
        "{00000000-0000-0000-C000-000000000046} ",  // trailing blank
        "{00000000-0000-0000-C0000000000000046--}", // dashes moved
        "{+0000000-0000-0000-C000-000000000046}",   // sign
    };
    for (const char *text : cases)
        EXPECT_FALSE(guidFromString(text)) << '"' << text << '"';
}

TEST(Hresult, NamesAndTextForMessages) {
    EXPECT_EQ(hresultText(S_OK), "0x00000000 S_OK");
    EXPECT_EQ(hresultText(REGDB_E_CLASSNOTREG), "0x80040154 REGDB_E_CLASSNOTREG");
    EXPECT_EQ(hresultText(makeHresult(0x80040200u)), "0x80040200 SELFREG_E_TYPELIB");
    EXPECT_EQ(hresultText(makeHresult(0x80040201u)), "0x80040201 SELFREG_E_CLASS");
    EXPECT_EQ(hresultText(makeHresult(0x8BADF00Du)), "0x8BADF00D");
    EXPECT_EQ(hresultName(makeHresult(0x8BADF00Du)), "");
    EXPECT_TRUE(FAILED(DISP_E_TYPEMISMATCH));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}
