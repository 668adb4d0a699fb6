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

TEST(ShortPathCodecTest, MalformedEscapesAreRefused) {
    for (const char *encoded : {"/a%", "/a%4", "/a%G1", "/a%00b"})
        EXPECT_EQ(decodeShortPath(encoded), std::nullopt) << encoded;
}

} // namespace
