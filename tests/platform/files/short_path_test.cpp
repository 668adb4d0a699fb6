// GetShortPathNameA: only for existing paths, and never past the caller's buffer.
#include "files/short_path.h"
#include "temporary_folder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ShortPathTest, GivesTheEncodedFormOfAnExistingPathWithinTheBuffer) {
    const TemporaryFolder folder;
    const std::string path = folder.file("short path \"test\".wav");
    std::ofstream(path) << "x";
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(buffer), length);
    EXPECT_EQ(std::strchr(buffer, ' '), nullptr);

    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(GetShortPathNameA(path.c_str(), small, sizeof small), length + 1);
    EXPECT_EQ(small[0], '#') << "nothing is written when the result does not fit";
}

TEST(ShortPathTest, FailsForAMissingOrEmptyPath) {
    char buffer[300] = "";
    errno = 0;
    EXPECT_EQ(GetShortPathNameA("/nonexistent/x.wav", buffer, sizeof buffer), 0u);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(GetShortPathNameA("", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetShortPathNameA(nullptr, buffer, sizeof buffer), 0u);
}

} // namespace
