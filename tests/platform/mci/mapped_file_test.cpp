// Mapping a file: its bytes as they are, and a clear error for what cannot be mapped.
#include "mci/byte_source.h"
#include "temporary_folder.h"
#include "wave_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(MappedFileTest, GivesTheFileAsItIs) {
    TemporaryFolder folder;
    for (const std::size_t size : {0u, 1u, 70000u}) {
        const Bytes bytes = numberedBytes(size);
        writeFile(folder.file("file"), bytes);
        const auto mapped = mapFile(folder.file("file"));
        ASSERT_TRUE(mapped.ok()) << mapped.error().reason;
        ASSERT_EQ(mapped.value()->size(), size);
        const auto view = mapped.value()->bytes(0, size);
        EXPECT_EQ(Bytes(view.begin(), view.end()), bytes);
    }
}

TEST(MappedFileTest, RefusesWhatIsNoFile) {
    TemporaryFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    const std::pair<std::string, WaveError::Kind> rows[] = {
        {folder.file("missing.wav"), WaveError::Kind::NotFound},
        {folder.file("missing/sound.wav"), WaveError::Kind::NotFound},
        {folder.path().string(), WaveError::Kind::Unreadable},
        {folder.file("fifo"), WaveError::Kind::Unreadable}, // and does not wait for a writer
    };
    for (const auto &[path, kind] : rows) {
        const auto mapped = mapFile(path);
        ASSERT_FALSE(mapped.ok()) << path;
        EXPECT_EQ(mapped.error().kind, kind) << path << ": " << mapped.error().reason;
    }
}

} // namespace
