// FindHeaderSize on files the test writes: the first "data" in the first 10004 bytes decides.
#include "base/short_path_codec.h"
#include "temporary_folder.h"
#include "wave_builder.h"
#include "wavedata/find_header_size.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

// Filler that holds no letter of the tag.
std::string filler(std::size_t size) {
    return std::string(size, 'x');
}

std::string withTagAt(std::size_t offset, std::size_t size) {
    std::string bytes = filler(size);
    bytes.replace(offset, 4, "data");
    return bytes;
}

// A mono 8-bit PCM file at 8000 samples a second, with an optional chunk before the samples.
std::string waveFile(const Bytes &chunkBeforeData, uint32_t frames) {
    return textOf(riffWave({chunk("fmt ", fmtBody(1, 1, 8000, 8, 1)), chunkBeforeData,
                            chunk("data", Bytes(frames, std::byte{0x80}))}));
}

TEST(FindHeaderSizeTest, GivesTheOffsetAfterTheFirstTagAndItsLength) {
    struct Case {
        const char *what;
        std::string bytes;
        int32_t expected;
    };
    // "INFOmetadata" follows RIFF (12 bytes), fmt (24) and the LIST header (8): its tag is at 52.
    const Case cases[] = {
        {"plain header", waveFile({}, 100), 44},
        {"tag inside an earlier chunk", waveFile(chunk("LIST", bytesOf("INFOmetadata")), 100), 60},
        {"tag at the last offset scanned", withTagAt(10000, 10100), 10008},
        {"tag just past it", withTagAt(10001, 10100), 0},
        {"tag ending the file", withTagAt(50, 54), 58},
        {"tag at offset 0, the scan's first and only match", "data" + waveFile({}, 4), 0},
        {"no tag", filler(20000), 0},
        {"three bytes", "dat", 0},
        {"empty", "", 0},
    };
    const TemporaryFolder folder;
    const std::string path = folder.file("find header size.wav");
    for (const Case &c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        EXPECT_EQ(FindHeaderSize(encodeShortPath(path).c_str()), c.expected) << c.what;
    }
    std::remove(path.c_str());
    EXPECT_EQ(FindHeaderSize(encodeShortPath(path).c_str()), 0) << "missing file";
    EXPECT_EQ(FindHeaderSize(folder.path().c_str()), 0) << "a folder";
}

} // namespace
