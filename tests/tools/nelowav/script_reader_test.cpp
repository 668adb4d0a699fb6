#include "nelowav_host/script_reader.h"
#include "temporary_folder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A pipe holding text, its writing end left open when asked (more may still come).
struct Pipe {
    explicit Pipe(const std::string &text, bool keepOpen = false) {
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        EXPECT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        if (!keepOpen)
            closeWriter();
    }
    ~Pipe() {
        ::close(ends[0]);
        closeWriter();
    }
    void closeWriter() {
        if (ends[1] >= 0)
            ::close(ends[1]);
        ends[1] = -1;
    }
    int ends[2] = {-1, -1};
};

struct Reading {
    std::string script;
    std::vector<std::string> lines; // read before the end or the failure
    std::string failure;            // empty when the script reads to its end
};

class ScriptReaderTest : public testing::TestWithParam<Reading> {};

TEST_P(ScriptReaderTest, GivesTheLinesThenTheEndOrTheReason) {
    const Pipe source(GetParam().script);
    ScriptReader reader(source.ends[0], -1);
    std::vector<std::string> lines;
    std::string line;
    std::string error;
    ScriptReader::Status status;
    while ((status = reader.next(line, error)) == ScriptReader::Status::Line)
        lines.push_back(line);
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
    const int folder = ::open(scratch.path().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ScriptReader reader(folder, -1);
    std::string line;
    std::string error;
    EXPECT_EQ(reader.next(line, error), ScriptReader::Status::Failed);
    EXPECT_EQ(error, "the script cannot be read: Is a directory");
    ::close(folder);
}

// A signal caught before the wait for the next line began must end that wait all the same.
TEST(ScriptReaderTest, AWaitForMoreInputGivesWayToAnInterruptionAlreadyThere) {
    const Pipe source("Stop\nPla", true);
    const Pipe interruption("", true);
    ScriptReader reader(source.ends[0], interruption.ends[0]);
    std::string line;
    std::string error;
    ASSERT_EQ(reader.next(line, error), ScriptReader::Status::Line);
    EXPECT_EQ(line, "Stop");
    ASSERT_EQ(::write(interruption.ends[1], "!", 1), 1);
    EXPECT_EQ(reader.next(line, error), ScriptReader::Status::Interrupted);
}

} // namespace
