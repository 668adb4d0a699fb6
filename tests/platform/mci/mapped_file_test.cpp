// Mapping a file: its bytes as they are, and a clear error for what cannot be mapped.
#include "mci/byte_source.h"
#include "temporary_folder.h"
#include "wave_bytes.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Another program may cut the file short under the session: the lost pages read as zeros,
// while a SIGBUS from a mapping of someone else's still ends the process.
TEST(MappedFileTest, PagesCutFromTheFileReadAsZeros) {
    TemporaryFolder folder;
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const Bytes bytes = numberedBytes(3 * page);
    writeFile(folder.file("file"), bytes);
    const auto mapped = mapFile(folder.file("file"));
    ASSERT_TRUE(mapped.ok());
    std::filesystem::resize_file(folder.file("file"), page + 10);
    const auto view = mapped.value()->bytes(0, 3 * page);
    Bytes expected(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(page + 10));
    expected.resize(3 * page);
    EXPECT_EQ(Bytes(view.begin(), view.end()), expected);

    EXPECT_DEATH(
        {
            const int fd = ::open(folder.file("file").c_str(), O_RDONLY);
            const auto *other = static_cast<const volatile char *>(
                ::mmap(nullptr, 3 * page, PROT_READ, MAP_PRIVATE, fd, 0));
            ::ftruncate(::open(folder.file("file").c_str(), O_WRONLY), 0);
            [[maybe_unused]] const char lost = other[2 * page];
        },
        "");
}

} // namespace
