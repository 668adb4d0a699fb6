// GetTempPathA and GetTempFileNameA: the folder from TMPDIR, and unique private files in it.
#include "files/temp_files.h"
#include "temporary_folder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <sys/stat.h>

namespace {

// Sets TMPDIR (or unsets it, for nullopt) for one scope.
class ScopedTmpdir {
  public:
    explicit ScopedTmpdir(const std::optional<std::string> &value) {
        if (const char *old = std::getenv("TMPDIR"))
            m_old = old;
        value ? ::setenv("TMPDIR", value->c_str(), 1) : ::unsetenv("TMPDIR");
    }
    ~ScopedTmpdir() { m_old ? ::setenv("TMPDIR", m_old->c_str(), 1) : ::unsetenv("TMPDIR"); }

  private:
    std::optional<std::string> m_old;
};

TEST(TempPathTest, GivesAnAbsoluteTmpdirOrTmpWithATrailingSlash) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "/tmp/"},    {"", "/tmp/"},
        {"relative/dir", "/tmp/"},  {"/var/tmp", "/var/tmp/"},
        {"/var/tmp/", "/var/tmp/"},
    };
    for (const auto &[tmpdir, expected] : cases) {
        ScopedTmpdir scope(tmpdir);
        char buffer[PATH_MAX];
        EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), expected.size()) << expected;
        EXPECT_EQ(std::string(buffer), expected);
    }
}

TEST(TempPathTest, ATooSmallBufferGetsTheSizeNeededAndNothingWritten) {
    ScopedTmpdir scope("/abc");
    char buffer[8] = "#######";
    EXPECT_EQ(GetTempPathA(5, buffer), 6u);
    EXPECT_STREQ(buffer, "#######");
    EXPECT_EQ(GetTempPathA(0, nullptr), 6u);
    EXPECT_EQ(GetTempPathA(6, buffer), 5u);
    EXPECT_STREQ(buffer, "/abc/");
    EXPECT_EQ(GetTempPathA(6, nullptr), 0u);
}

class TempFileNameTest : public testing::Test {
  protected:
    const TemporaryFolder scratch;
    const std::string folder = scratch.path().string();
};

// Calls within one tick start from the same number, so most of these find their first
// choice taken and move on.
TEST_F(TempFileNameTest, CreatesUniqueEmptyFilesOnlyTheOwnerMayRead) {
    const std::regex pattern(folder + "/wav[0-9A-F]{4}\\.tmp");
    std::set<std::string> names;
    for (int i = 0; i < 50; ++i) {
        char name[PATH_MAX];
        const UINT number = GetTempFileNameA(folder.c_str(), "wavelet", 0, name);
        ASSERT_NE(number, 0u);
        EXPECT_TRUE(std::regex_match(name, pattern)) << name;
        struct stat status {};
        ASSERT_EQ(::stat(name, &status), 0) << name;
        EXPECT_EQ(status.st_mode & 07777, 0600u) << name;
        EXPECT_EQ(status.st_size, 0) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 50u);
}

TEST_F(TempFileNameTest, RefusesANameThatWouldNotFitTheSystemsLimit) {
    // "/", three prefix letters, four digits and ".tmp" add 12 bytes to the folder's name.
    constexpr DWORD kLimit = PATH_MAX;
    for (const DWORD length : {kLimit - 1, kLimit}) {
        const std::string longFolder = "/" + std::string(length - 13, 'f');
        char name[PATH_MAX + 1];
        std::memset(name, '#', sizeof name);
        errno = 0;
        const bool fits = length < kLimit;
        EXPECT_EQ(GetTempFileNameA(longFolder.c_str(), "wav", 7, name), fits ? 7u : 0u);
        EXPECT_EQ(name[0], fits ? '/' : '#') << "nothing is written for a name that does not fit";
        EXPECT_EQ(fits ? std::strlen(name) : std::size_t{0}, fits ? length : 0u);
        EXPECT_EQ(errno, fits ? 0 : ENAMETOOLONG);
    }
    char name[PATH_MAX];
    EXPECT_EQ(GetTempFileNameA((folder + "/missing").c_str(), "wav", 0, name), 0u);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
