// The registry: its tree, its file text, and atomic, locked updates of the file.
#include "com/error_detail.h"
#include "com/registry.h"
#include "test_support.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
void writeFile(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

size_t filesIn(const std::string &folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

// Runs body in a child process and gives its exit status (or 255 when it died).
int inChild(const std::function<int()> &body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}
} // namespace

TEST(RegistryTree, KeysIgnoreCaseAndKeepTheirSpelling) {
    RegistryTree tree;
    ASSERT_EQ(tree.setValue("CLSID\\{ABC}\\InprocServer32", "", "/lib/a.so"), S_OK);
    ASSERT_EQ(tree.setValue("clsid\\{abc}\\inprocserver32", "ThreadingModel", "Both"), S_OK);
    EXPECT_EQ(tree.value("Clsid\\{Abc}\\InprocServer32"), "/lib/a.so");
    EXPECT_EQ(tree.value("CLSID\\{ABC}\\InprocServer32", "threadingmodel"), "Both");
    EXPECT_TRUE(tree.hasKey("CLSID")) << "parents exist implicitly";
    EXPECT_TRUE(tree.hasKey("clsid\\{abc}"));
    EXPECT_FALSE(tree.hasKey("CLSID\\{AB}"));
    EXPECT_EQ(tree.subkeys("CLSID"), std::vector<std::string>{"{ABC}"});
    EXPECT_EQ(tree.keys(), std::vector<std::string>{"CLSID\\{ABC}\\InprocServer32"});
}

TEST(RegistryTree, DeleteTreeRemovesOnlyThatBranch) {
    RegistryTree tree;
    tree.setValue("A\\B", "", "1");
    tree.setValue("A\\B\\C", "", "2");
    tree.setValue("A\\BC", "", "3"); // shares a prefix but is no child
    tree.setValue("AB", "", "4");
    EXPECT_EQ(tree.deleteTree("a\\b"), S_OK);
    EXPECT_EQ(tree.deleteTree("A\\B"), S_FALSE);
    EXPECT_FALSE(tree.hasKey("A\\B\\C"));
    EXPECT_EQ(tree.value("A\\BC"), "3");
    EXPECT_EQ(tree.value("AB"), "4");
    EXPECT_EQ(tree.deleteValue("AB", ""), S_OK);
    EXPECT_EQ(tree.deleteValue("AB", ""), S_FALSE);
    EXPECT_TRUE(tree.hasKey("AB")) << "a key outlives its values";
}

TEST(RegistryTree, SiblingsSortingBeforeTheSeparatorDoNotConfuseTheChildWalk) {
    RegistryTree tree;
    tree.setValue("X\\a\\deep", "", "1"); // "X\a" exists only as a parent
    tree.setValue("X\\a-b", "", "2");     // '-' sorts before the backslash
    tree.setValue("X\\a\\other", "", "3");
    EXPECT_TRUE(tree.hasKey("X\\a"));
    EXPECT_EQ(tree.subkeys("X"), (std::vector<std::string>{"a", "a-b"}));
    tree.setValue("X\\a", "", "4");
    EXPECT_EQ(tree.subkeys("X"), (std::vector<std::string>{"a", "a-b"}));
}

TEST(RegistryTree, RefusesMalformedKeys) {
    RegistryTree tree;
    for (const char *key : {"", "\\A", "A\\", "A\\\\B", "A]B", "A\nB", "A\tB"})
        EXPECT_EQ(tree.setValue(key, "", "v"), E_INVALIDARG) << key;
    EXPECT_EQ(tree.setValue("A", "bad\nname", "v"), E_INVALIDARG);
    EXPECT_TRUE(tree.keys().empty());
}

TEST(RegistryTree, TextRoundTripsAwkwardValues) {
    RegistryTree tree;
    tree.setValue("Paths\\One", "", "/opt/with space/\"quoted\"\\back\\slash");
    tree.setValue("Paths\\One", "name=with=equals", "line\nbreak\r\tand\x01control");
    tree.setValue("Paths\\One", "@", "not the default");
    tree.setValue("Grüße\\[bracket", "", "ünïcödé");
    tree.createKey("Empty\\Key");
    RegistryTree back;
    ASSERT_EQ(RegistryTree::parse(tree.serialize(), back), S_OK) << tree.serialize();
    EXPECT_EQ(back, tree);
    EXPECT_TRUE(back.hasKey("Empty\\Key"));
    EXPECT_EQ(back.value("Paths\\One", "@"), "not the default");
    EXPECT_EQ(back.value("Paths\\One"), "/opt/with space/\"quoted\"\\back\\slash");
}

TEST(RegistryTree, ParseRefusesMalformedText) {
    const struct {
        const char *text;
        size_t line;
    } cases[] = {
        {"@=\"value before any key\"\n", 1},
        {"[Key]\n@=unquoted\n", 2},
        {"[Key]\n@=\"open\n", 2},
        {"[Key]\n\"name\"\"missing equals\"\n", 2},
        {"[Key]\n@=\"v\" trailing\n", 2},
        {"[Key]\n@=\"bad \\q escape\"\n", 2},
        {"[Key]\n@=\"bad \\xZZ\"\n", 2},
        {"; fine\n[]\n", 2},
        {"[Key\\\\Double]\n", 1},
        {"[Key]\ngarbage\n", 2},
    };
    for (const auto &c : cases) {
        RegistryTree tree;
        tree.setValue("Untouched", "", "yes");
        size_t line = 0;
        EXPECT_EQ(RegistryTree::parse(c.text, tree, &line), REGDB_E_INVALIDVALUE) << c.text;
        EXPECT_EQ(line, c.line) << c.text;
        EXPECT_EQ(tree.value("Untouched"), "yes") << "a failed parse leaves the tree alone";
    }
}

TEST(RegistryFile, PathComesFromTheEnvironment) {
    const char *home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv(kRegistryEnvironmentVariable, "/somewhere/reg", 1);
    EXPECT_EQ(Registry::path(), "/somewhere/reg");
    ::unsetenv(kRegistryEnvironmentVariable);
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(Registry::path(), "/data/korvane/com-registry");
    ::setenv(kRegistryEnvironmentVariable, "relative/reg", 1);
    EXPECT_EQ(Registry::path(), "") << "a relative file is refused, not followed into the home";
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), REGDB_E_READREGDB);
    ::unsetenv(kRegistryEnvironmentVariable);
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Registry::path(), "/home/someone/.local/share/korvane/com-registry");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", savedHome.c_str(), 1);
}

class RegistryFileTest : public ::testing::Test {
  protected:
    PrivateRegistry registry;
};

TEST_F(RegistryFileTest, MissingFileIsAnEmptyRegistry) {
    RegistryTree tree;
    tree.setValue("Stale", "", "x");
    ASSERT_EQ(Registry::read(tree), S_OK);
    EXPECT_TRUE(tree.keys().empty());
    std::string value;
    EXPECT_EQ(Registry::getValue("Anything", "", value), REGDB_E_KEYMISSING);
}

TEST_F(RegistryFileTest, UpdatesAreWrittenAndReadBack) {
    ASSERT_EQ(Registry::setValue("NELOWAV.NeloWavCtrl\\CLSID", "", "{X}"), S_OK);
    ASSERT_EQ(Registry::setValue("Other", "Named", "v"), S_OK);
    std::string value;
    ASSERT_EQ(Registry::getValue("nelowav.nelowavctrl\\clsid", "", value), S_OK);
    EXPECT_EQ(value, "{X}");
    EXPECT_NE(registry.contents().find("[NELOWAV.NeloWavCtrl\\CLSID]\n@=\"{X}\"\n"),
              std::string::npos);
    ASSERT_EQ(Registry::deleteTree("NELOWAV.NeloWavCtrl"), S_OK);
    EXPECT_EQ(Registry::getValue("NELOWAV.NeloWavCtrl\\CLSID", "", value), REGDB_E_KEYMISSING);
    EXPECT_EQ(Registry::getValue("Other", "named", value), S_OK);
    EXPECT_EQ(filesIn(registry.folder()), 2u) << "the file and its lock, no temporaries left";
}

TEST_F(RegistryFileTest, FailedChangeWritesNothing) {
    ASSERT_EQ(Registry::setValue("Kept", "", "1"), S_OK);
    const std::string before = registry.contents();
    EXPECT_EQ(Registry::update([](RegistryTree &tree) {
                  tree.setValue("Half", "", "done");
                  return E_ABORT;
              }),
              E_ABORT);
    EXPECT_EQ(Registry::update([](RegistryTree &) -> HRESULT { throw std::runtime_error("boom"); }),
              E_FAIL);
    EXPECT_EQ(registry.contents(), before);
}

TEST_F(RegistryFileTest, MalformedFileIsNeitherReadNorOverwritten) {
    const std::string garbage = "this is not a registry\n\x01\x02";
    writeFile(registry.path(), garbage);
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), REGDB_E_READREGDB);
    EXPECT_EQ(Registry::setValue("New", "", "v"), REGDB_E_READREGDB);
    EXPECT_EQ(registry.contents(), garbage);
}

TEST_F(RegistryFileTest, FailuresSayWhatFailedAndWhere) {
    const std::string file = registry.path();
    const struct {
        std::function<void()> arrange;
        std::string detail; // what the last error detail must say
    } cases[] = {
        {[&] { writeFile(file, "[Key]\n@=\"fine\"\n@=broken\n"); }, file + " line 3 "},
        {[&] { std::filesystem::create_directory(file); }, file + " is not a regular file"},
        {[&] { ::setenv(kRegistryEnvironmentVariable, "relative/reg", 1); },
         "KORVANE_COM_REGISTRY is not an absolute path: relative/reg"},
        {[&] {
             writeFile(registry.folder() + "/plain-file", "x");
             ::setenv(kRegistryEnvironmentVariable, (registry.folder() + "/plain-file/reg").c_str(),
                      1);
         },
         registry.folder() + "/plain-file/reg: Not a directory"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.detail);
        std::filesystem::remove_all(file);
        ::setenv(kRegistryEnvironmentVariable, file.c_str(), 1);
        c.arrange();
        clearLastErrorDetail();
        RegistryTree tree;
        EXPECT_EQ(Registry::read(tree), REGDB_E_READREGDB);
        EXPECT_NE(lastErrorDetail().find(c.detail), std::string::npos) << lastErrorDetail();
    }
}

TEST_F(RegistryFileTest, UnwritableLocationGivesAnError) {
    const std::string blocker = registry.folder() + "/plain-file";
    writeFile(blocker, "x");
    ::setenv(kRegistryEnvironmentVariable, (blocker + "/com-registry").c_str(), 1);
    EXPECT_EQ(Registry::setValue("Key", "", "v"), REGDB_E_WRITEREGDB);
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), REGDB_E_READREGDB);
}

TEST_F(RegistryFileTest, FailedWriteLeavesTheOldFileIntact) {
    ASSERT_EQ(Registry::setValue("Old", "", "content"), S_OK);
    const std::string before = registry.contents();
    // A file-size limit makes the new file's write fail like a full disk would, even as root.
    const int status = inChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const HRESULT hr = Registry::setValue("Big", "", std::string(4096, 'x'));
        const bool told =
            lastErrorDetail() == "cannot write " + Registry::path() + ": " + std::strerror(EFBIG);
        return hr == REGDB_E_WRITEREGDB && told ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(registry.contents(), before);
    EXPECT_EQ(filesIn(registry.folder()), 2u) << "the temporary file was removed";
}

TEST_F(RegistryFileTest, ReplacingFollowsLinksAndKeepsTheMode) {
    const struct {
        bool linked;
        mode_t mode;
    } cases[] = {{false, 0600}, {false, 0640}, {true, 0600}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "linked " << c.linked << " mode " << std::oct << c.mode);
        std::filesystem::remove_all(registry.folder() + "/real");
        std::filesystem::remove(registry.path());
        std::filesystem::create_directory(registry.folder() + "/real");
        const std::string target = c.linked ? registry.folder() + "/real/reg" : registry.path();
        writeFile(target, "[Old]\n");
        ::chmod(target.c_str(), c.mode);
        if (c.linked)
            std::filesystem::create_symlink("real/reg", registry.path());
        ASSERT_EQ(Registry::setValue("New", "", "v"), S_OK);
        struct stat info {};
        ASSERT_EQ(::lstat(registry.path().c_str(), &info), 0);
        EXPECT_EQ(S_ISLNK(info.st_mode), c.linked);
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        RegistryTree tree;
        ASSERT_EQ(Registry::read(tree), S_OK);
        EXPECT_EQ(tree.keys(), (std::vector<std::string>{"New", "Old"}));
    }
}

TEST_F(RegistryFileTest, UpdateTooLargeToReadBackIsRefused) {
    ASSERT_EQ(Registry::setValue("Kept", "", "1"), S_OK);
    const std::string before = registry.contents();
    EXPECT_EQ(Registry::setValue("Huge", "", std::string(64 * 1024 * 1024, 'x')),
              REGDB_E_WRITEREGDB);
    EXPECT_NE(lastErrorDetail().find("past its limit"), std::string::npos) << lastErrorDetail();
    EXPECT_EQ(registry.contents(), before);
    std::string value;
    EXPECT_EQ(Registry::getValue("Kept", "", value), S_OK);
}

TEST_F(RegistryFileTest, ConcurrentWritersInThreadsLoseNoUpdate) {
    constexpr int kWriters = 4;
    constexpr int kUpdates = 15;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([w] {
            for (int u = 0; u < kUpdates; ++u)
                Registry::setValue("Thread\\" + std::to_string(w) + "\\" + std::to_string(u), "",
                                   "v");
        });
    }
    for (auto &writer : writers)
        writer.join();
    RegistryTree tree;
    ASSERT_EQ(Registry::read(tree), S_OK);
    EXPECT_EQ(tree.keys().size(), static_cast<size_t>(kWriters * kUpdates));
}

TEST_F(RegistryFileTest, ConcurrentWritersInProcessesLoseNoUpdate) {
    constexpr int kWriters = 3;
    constexpr int kUpdates = 15;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t child = ::fork();
        if (child == 0) {
            int failures = 0;
            for (int u = 0; u < kUpdates; ++u) {
                // Read-modify-write of one shared counter: any lost update shows in the total.
                failures += FAILED(Registry::update([](RegistryTree &tree) {
                    const int count = std::stoi(tree.value("Counter").value_or("0"));
                    return tree.setValue("Counter", "", std::to_string(count + 1));
                }));
            }
            ::_exit(failures);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::string value;
    ASSERT_EQ(Registry::getValue("Counter", "", value), S_OK);
    EXPECT_EQ(value, std::to_string(kWriters * kUpdates));
}
