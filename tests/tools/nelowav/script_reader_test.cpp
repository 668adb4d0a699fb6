#include "script_reader.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace {

struct Reading {
    std::string script;
    std::vector<std::string> lines; // read before the end or the failure
    std::string failure;            // empty when the script reads to its end
};

class ScriptReaderTest : public testing::TestWithParam<Reading> {};

TEST_P(ScriptReaderTest, GivesTheLinesThenTheEndOrTheReason) {
    std::string script = GetParam().script;
    std::FILE *source = ::fmemopen(script.data(), script.size(), "r");
    ASSERT_NE(source, nullptr);
    ScriptReader reader(source);
    std::vector<std::string> lines;
    std::string line;
    std::string error;
    ScriptReader::Status status;
    while ((status = reader.next(line, error)) == ScriptReader::Status::Line)
        lines.push_back(line);
    std::fclose(source);
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(status == ScriptReader::Status::Failed ? error : "", GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptReaderTest,
    testing::Values(Reading{"", {}, ""},
                    Reading{"Stop\n\nPlay 0 -1 false", {"Stop", "", "Play 0 -1 false"}, ""},
                    Reading{
                        "\xEF\xBB\xBFStop\n\xEF\xBB\xBFStop\n", {"Stop", "\xEF\xBB\xBFStop"}, ""},
                    Reading{std::string(kMaxScriptLineLength, 'x') + "\nStop",
                            {std::string(kMaxScriptLineLength, 'x'), "Stop"},
                            ""},
                    Reading{"Stop\n" + std::string(kMaxScriptLineLength + 1, 'x'),
                            {"Stop"},
                            "the line is longer than 8192 bytes"}));

TEST(ScriptReaderTest, AFolderIsAReadErrorNotAnEmptyScript) {
    const TemporaryFolder scratch;
    std::FILE *folder = std::fopen(scratch.path().c_str(), "r");
    ASSERT_NE(folder, nullptr);
    ScriptReader reader(folder);
    std::string line;
    std::string error;
    EXPECT_EQ(reader.next(line, error), ScriptReader::Status::Failed);
    EXPECT_EQ(error, "the script cannot be read: Is a directory");
    std::fclose(folder);
}

} // namespace
