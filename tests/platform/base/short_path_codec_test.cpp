// File names survive the trip through a command string, and never split or become a keyword.
#include "base/short_path_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortPathCodecTest, EncodedNamesAreOneWordThatDecodesBack) {
    for (const std::string name :
         {"/tmp/a b.wav", "/q\"uote\".wav", "/100%.wav", "wait", "notify", "/t\tab\nnl\x7f.wav",
          "/caf\xc3\xa9 alias 2 wait.wav", "rel/x.wav", "/%41"}) {
        const std::string encoded = encodeShortPath(name);
        EXPECT_EQ(encoded.find_first_of(" \"\t\n"), std::string::npos) << encoded;
        EXPECT_NE(encoded.find('/'), std::string::npos) << "a bare word could be a keyword";
        EXPECT_EQ(decodeShortPath(encoded),
                  std::optional<std::string>(name.starts_with('/') ? name : "./" + name));
    }
}

// A name of a thousand bytes must still fit a command of 299 characters; its token names it until
// 64 other long names have been shortened, and never names another file after that.
TEST(ShortPathCodecTest, LongNamesTravelAsShortTokensThatDecodeBack) {
    const std::string spelledOut = "/" + std::string(255, 'a');
    EXPECT_EQ(shortenPath(spelledOut), spelledOut);
    const std::string first = "/folder with blanks/" + std::string(980, 'x') + ".wav";
    const std::string token = shortenPath(first);
    EXPECT_LE(token.size(), 256u);
    EXPECT_EQ(token.find_first_of(" \"\t\n"), std::string::npos) << token;
    EXPECT_NE(token.find('/'), std::string::npos) << "a bare word could be a keyword";
    EXPECT_EQ(decodeShortPath(token), first);
    EXPECT_EQ(shortenPath(first), token) << "the same name keeps its token";
    EXPECT_NE(shortenPath(spelledOut + "b"), token);
    for (int i = 0; i < 64; ++i)
        shortenPath("/" + std::string(300, 'y') + std::to_string(i));
    EXPECT_EQ(decodeShortPath(token), std::nullopt);
}

TEST(ShortPathCodecTest, MalformedEscapesAreRefused) {
    for (const char *encoded : {"/a%", "/a%4", "/a%G1", "/a%00b"})
        EXPECT_EQ(decodeShortPath(encoded), std::nullopt) << encoded;
}

} // namespace
