// CreateFileA: a new file only, with the umask applied, never through a symbolic link.
#include "file_content.h"
#include "files/create_file.h"
#include "temporary_folder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

HANDLE createNew(const std::string &name) {
    return CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

class CreateFileTest : public testing::Test {
  protected:
    const TemporaryFolder scratch;
    const std::string folder = scratch.path().string();
};

TEST_F(CreateFileTest, MakesAnEmptyFileWithMode0644LessTheUmask) {
    const mode_t previous = ::umask(027);
    const HANDLE handle = createNew(folder + "/new.wav");
    ::umask(previous);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_NE(CloseHandle(handle), 0);
    struct stat status {};
    ASSERT_EQ(::stat((folder + "/new.wav").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(status.st_size, 0);
    EXPECT_EQ(CloseHandle(INVALID_HANDLE_VALUE), 0);
}

TEST_F(CreateFileTest, LeavesAnExistingNameAndWhatALinkThereNamesAlone) {
    const std::string target = folder + "/target.wav";
    std::ofstream(target) << "keep";
    ::symlink(target.c_str(), (folder + "/link.wav").c_str());
    ::symlink((folder + "/absent.wav").c_str(), (folder + "/dangling.wav").c_str());
    for (const char *name : {"/target.wav", "/link.wav", "/dangling.wav"}) {
        errno = 0;
        EXPECT_EQ(createNew(folder + name), INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(errno, EEXIST) << name;
    }
    EXPECT_EQ(contentOf(target), "keep");
    EXPECT_FALSE(std::filesystem::exists(folder + "/absent.wav"));
}

} // namespace
