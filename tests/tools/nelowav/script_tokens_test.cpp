#include "nelowav_host/script_tokens.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    const char *line;
    std::vector<std::pair<std::string, bool>> words;
};

class SplitScriptLineTest : public testing::TestWithParam<Split> {};

TEST_P(SplitScriptLineTest, GivesTheWords) {
    std::string error;
    const auto words = splitScriptLine(GetParam().line, error);
    ASSERT_TRUE(words.has_value()) << error;
    std::vector<std::pair<std::string, bool>> got;
    for (const ScriptWord &word : *words)
        got.emplace_back(word.text, word.quoted);
    EXPECT_EQ(got, GetParam().words) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitScriptLineTest,
    testing::Values(Split{"", {}}, Split{"   \t ", {}}, Split{"# only a comment", {}},
                    Split{"Play 0 -1 false",
                          {{"Play", false}, {"0", false}, {"-1", false}, {"false", false}}},
                    Split{"  Seek\t500  # to the middle", {{"Seek", false}, {"500", false}}},
                    Split{"Open \"/tmp/a b#c.wav\"", {{"Open", false}, {"/tmp/a b#c.wav", true}}},
                    Split{R"(SaveAs "say \"hi\" \\ there")",
                          {{"SaveAs", false}, {R"(say "hi" \ there)", true}}},
                    Split{"Open \"\"", {{"Open", false}, {"", true}}},
                    Split{"Open \"x\"# note", {{"Open", false}, {"x", true}}},
                    Split{"WavFileToArray @out.bin 10\r",
                          {{"WavFileToArray", false}, {"@out.bin", false}, {"10", false}}},
                    Split{"Open a#b #c", {{"Open", false}, {"a#b", false}}},
                    Split{R"(WavFileToArray @"a \"b\".bin"# note)",
                          {{"WavFileToArray", false}, {R"(@a "b".bin)", false}}}));

class SplitScriptLineErrorTest : public testing::TestWithParam<const char *> {};

TEST_P(SplitScriptLineErrorTest, IsRefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(splitScriptLine(GetParam(), error).has_value()) << GetParam();
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitScriptLineErrorTest,
                         testing::Values("Open \"no end", "Open \"ends with a backslash\\\"",
                                         "Open ab\"cd\"", "Open \"ab\"cd", "M @\"no end",
                                         "M @\"a\"b"));

} // namespace
