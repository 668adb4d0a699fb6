// The registry file failing under a reader or a writer: every failure gives the registry's
// code with a reason, leaves the file as it was and no temporary beside it, and a lock held by
// someone else is waited for only a bounded time.
#include "base/file_faults.h"
#include "com/error_detail.h"
#include "com/registry.h"
#include "test_support.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::size_t filesIn(const std::string &folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

class RegistryFaultTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Registry::setValue("Old", "", "content"), S_OK); }
    void TearDown() override { disarmFileFaults(); }

    PrivateRegistry registry;
};

TEST_F(RegistryFaultTest, AFailingFileCallGivesTheCodeAndKeepsTheFile) {
    struct Case {
        FileCall call;
        const char *part; // after the registry's folder
        int error;
        HRESULT readCode;
        HRESULT writeCode;
        const char *detail; // how the reason of a failed read, else of the write, starts
    } cases[] = {
        {FileCall::Open, "/com-registry", EACCES, REGDB_E_READREGDB, REGDB_E_WRITEREGDB, "cannot read "},
        {FileCall::Read, "/com-registry", EIO, REGDB_E_READREGDB, REGDB_E_READREGDB, "cannot read "},
        {FileCall::Open, "/com-registry.lock", EACCES, S_OK, REGDB_E_WRITEREGDB, "cannot open the lock "},
        {FileCall::Lock, "/com-registry.lock", ENOLCK, S_OK, REGDB_E_WRITEREGDB, "cannot lock "},
        {FileCall::Open, "/.com-registry.", EACCES, S_OK, REGDB_E_WRITEREGDB, "cannot create a file beside "},
        {FileCall::Write, "/.com-registry.", ENOSPC, S_OK, REGDB_E_WRITEREGDB, "cannot write "},
        {FileCall::Sync, "/.com-registry.", EIO, S_OK, REGDB_E_WRITEREGDB, "cannot write "},
        {FileCall::Rename, "/com-registry", EXDEV, S_OK, REGDB_E_WRITEREGDB, "cannot replace "},
    };
    const std::string before = registry.contents();
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << registry.folder() + c.part << " errno " << c.error);
        armFileFault({c.call, registry.folder() + c.part, c.error, 1, true});
        clearLastErrorDetail();
        RegistryTree tree;
        EXPECT_EQ(Registry::read(tree), c.readCode);
        const HRESULT written = Registry::setValue("New", "", "v");
        EXPECT_EQ(written, c.writeCode);
        if (c.readCode != S_OK) {
            EXPECT_EQ(Registry::read(tree), c.readCode) << "again, for its reason";
        }
        EXPECT_EQ(lastErrorDetail().find(c.detail), 0u) << lastErrorDetail();
        disarmFileFaults();
        EXPECT_EQ(registry.contents(), before);
        EXPECT_EQ(filesIn(registry.folder()), 2u) << "the file and its lock only";
    }
}

TEST_F(RegistryFaultTest, ALockHeldElsewhereIsWaitedForABoundedTime) {
    const int holder = ::open((registry.path() + ".lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    std::thread release([holder] {
        std::this_thread::sleep_for(200ms);
        ::flock(holder, LOCK_UN);
    });
    EXPECT_EQ(Registry::setValue("AfterRelease", "", "v"), S_OK);
    release.join();

    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const std::string before = registry.contents();
    const auto start = Clock::now();
    EXPECT_EQ(Registry::setValue("WhileHeld", "", "v"), REGDB_E_WRITEREGDB);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 1s);
    EXPECT_LT(waited, 10s);
    EXPECT_NE(lastErrorDetail().find("is held by another program"), std::string::npos)
        << lastErrorDetail();
    EXPECT_EQ(registry.contents(), before);
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), S_OK) << "reading takes no lock";
    ::close(holder);
}

} // namespace
