// The rewrite behind the working copy and the clip: the new file is its owner's alone, and a
// symbolic link planted at the name is replaced, never written through.
#include "file_content.h"
#include "temporary_folder.h"
#include "wavedata/scratch_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

TEST(ReplaceFileContentTest, TheNewFileIsTheOwnersAloneAndALinkIsNotFollowed) {
    const mode_t previous = ::umask(0);
    const uint8_t bytes[] = {'n', 'e', 'w'};
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "a link planted at the name" : "a plain file");
        TemporaryFolder folder;
        const std::string victim = folder.file("victim");
        const std::string path = folder.file("wav0001.tmp");
        std::ofstream(victim) << "kept";
        if (linked)
            fs::create_symlink(victim, path);
        else
            std::ofstream(path) << "old";
        ASSERT_TRUE(ReplaceFileContent(path, bytes, sizeof bytes));
        struct stat info {};
        ASSERT_EQ(::lstat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        EXPECT_EQ(contentOf(path), "new");
        EXPECT_EQ(contentOf(victim), "kept");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
                  2);
    }
    ::umask(previous);
}

} // namespace
