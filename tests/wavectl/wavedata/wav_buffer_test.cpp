// CWavBuffer loads the clamped byte range or nothing; the piece loops move what they can and
// say how much that was.
#include "base/break_key.h"
#include "base/file_descriptor.h"
#include "base/file_faults.h"
#include "temporary_folder.h"
#include "wavedata/chunked_transfer.h"
#include "wavedata/wav_buffer.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string fileOfBytes(const TemporaryFolder &folder, const std::string &name, int size) {
    const std::string path = folder.file(name);
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < size; ++i)
        out.put(static_cast<char>(i % 251));
    return path;
}

TEST(WavBufferTest, LoadsTheClampedRangeOrNothing) {
    const TemporaryFolder folder;
    const std::string path = fileOfBytes(folder, "buffer-1000.bin", 1000);
    struct Case {
        int32_t first, last, size, firstByte;
    };
    for (const Case c : {Case{0, -1, 1000, 0},
                         {990, 2000, 10, 990},
                         {2000, 3000, 1, 999},
                         {-5, 9, 10, 0},
                         {500, 100, 0, -1}}) {
        CWavBuffer buffer;
        const BOOL loaded = buffer.Load(path.c_str(), c.first, c.last);
        EXPECT_EQ(loaded != 0, c.size > 0) << c.first << ".." << c.last;
        ASSERT_EQ(buffer.m_nSize, c.size) << c.first << ".." << c.last;
        if (c.size > 0)
            EXPECT_EQ(buffer.m_pData[0], c.firstByte % 251);
        else
            EXPECT_EQ(buffer.m_pData, nullptr);
    }
}

TEST(WavBufferTest, LoadsAFileOfSeveralMegabytesWhole) {
    const int size = (5 << 20) + 3;
    const TemporaryFolder folder;
    const std::string path = fileOfBytes(folder, "buffer-large.bin", size);
    CWavBuffer buffer;
    ASSERT_NE(buffer.Load(path.c_str(), 0, -1), 0);
    ASSERT_EQ(buffer.m_nSize, size);
    for (const int at : {0, (2 << 20) - 1, 2 << 20, size - 1})
        EXPECT_EQ(buffer.m_pData[at], at % 251) << at;
}

// A file of more than 16 MB is read in more than one piece; a host that must end stops it.
TEST(WavBufferTest, TheBreakKeyStopsALongLoadAndLeavesItEmpty) {
    const int size = (17 << 20) + 5;
    const TemporaryFolder folder;
    const std::string path = fileOfBytes(folder, "buffer-long.bin", size);
    CWavBuffer buffer;
    PressBreakKey();
    const BOOL broken = buffer.Load(path.c_str(), 0, -1);
    ReleaseBreakKey();
    EXPECT_EQ(broken, 0);
    EXPECT_EQ(buffer.m_pData, nullptr);
    ASSERT_NE(buffer.Load(path.c_str(), 0, -1), 0);
    for (const int at : {(16 << 20) - 1, 16 << 20, size - 1})
        EXPECT_EQ(buffer.m_pData[at], at % 251) << at;
}

TEST(WavBufferTest, EmptyAndMissingFilesFailEmpty) {
    const TemporaryFolder folder;
    for (const std::string &path :
         {fileOfBytes(folder, "buffer-empty.bin", 0), folder.file("no-such-file.bin")}) {
        CWavBuffer buffer;
        EXPECT_EQ(buffer.Load(path.c_str(), 0, -1), 0) << path;
        EXPECT_EQ(buffer.m_nSize, 0);
        EXPECT_EQ(buffer.m_hData, nullptr);
    }
}

// The re-open record holds 128 bytes; a longer path is opened again all the same.
TEST(WavBufferTest, APathOfAnyLengthTheSystemTakesLoads) {
    const TemporaryFolder folder;
    const std::string base = folder.path().string();
    for (const std::string &name :
         {std::string(127 - base.size() - 1, 'n'), std::string(128 - base.size() - 1, 'n'),
          std::string(250, 'n'), std::string(200, 'd') + "/" + std::string(250, 'n')}) {
        std::filesystem::create_directories(std::filesystem::path(folder.file(name)).parent_path());
        const std::string path = fileOfBytes(folder, name, 10);
        CWavBuffer buffer;
        EXPECT_NE(buffer.Load(path.c_str(), 2, -1), 0) << path.size();
        ASSERT_EQ(buffer.m_nSize, 8) << path.size();
        EXPECT_EQ(buffer.m_pData[0], 2);
    }
}

// A stream that takes at most `room` bytes and records the size of each write.
// A fault on the nth write shows where each piece ends: the writes before it moved whole
// pieces, and the failing one stops the transfer short.
TEST(ChunkedTransferTest, WritesInPiecesOfAtMost60000AndReportsShortWrites) {
    const std::vector<uint8_t> block(150000, 7);
    struct Case {
        int32_t count;
        int failingWrite; // 0 for none
        int32_t moved;
    };
    for (const Case &c : {Case{150000, 0, 150000}, Case{150000, 3, 120000}, Case{60000, 2, 60000},
                          Case{60001, 2, 60000}, Case{150000, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << c.count << " failing at " << c.failingWrite);
        TemporaryFolder folder;
        const std::string path = folder.file("pieces");
        const FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
        ASSERT_TRUE(fd.valid());
        if (c.failingWrite != 0)
            armFileFault({FileCall::Write, "", ENOSPC, c.failingWrite});
        EXPECT_EQ(WriteInPieces(fd.get(), block.data(), c.count), c.moved);
        disarmFileFaults();
        EXPECT_EQ(std::filesystem::file_size(path), static_cast<uintmax_t>(c.moved));
    }
}

} // namespace
