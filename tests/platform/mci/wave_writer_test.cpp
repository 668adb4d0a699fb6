// The writer against libsndfile as the reader, and saving safely: over the file that the sound
// maps, and not at all when the folder or the disk refuses.
#include "base/break_key.h"
#include "mci/wave_file.h"
#include "sndfile_wave.h"
#include "temporary_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

constexpr WaveFormat kStereo16{SampleEncoding::SignedInt16, 2, 44100, 16};

Sound soundOf(const WaveFormat &format, const Bytes &frames) {
    Sound sound(format);
    sound.append(makeMemorySource(frames), 0, frames.size() / format.bytesPerFrame());
    return sound;
}

std::size_t entriesIn(const std::filesystem::path &folder) {
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

mode_t modeOf(const std::string &path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Makes writes past a size fail as a full disk would, for the caller's scope; unlike a
// read-only folder it also stops root.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

  private:
    rlimit m_previous{};
    void (*m_previousHandler)(int);
};

TEST(WaveWriterTest, LibsndfileReadsWhatWeWrite) {
    struct Row {
        WaveFormat format;
        int sndfileFormat;
    };
    const Row rows[] = {
        {{SampleEncoding::UnsignedInt8, 1, 11025, 8}, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {{SampleEncoding::UnsignedInt8, 2, 22050, 8}, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {{SampleEncoding::SignedInt16, 1, 8000, 16}, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {kStereo16, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {{SampleEncoding::SignedInt24, 1, 48000, 24}, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {{SampleEncoding::SignedInt32, 2, 96000, 32}, SF_FORMAT_WAV | SF_FORMAT_PCM_32},
        {{SampleEncoding::Float32, 2, 44100, 32}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    };
    TemporaryFolder folder;
    const std::string path = folder.file("saved.wav");
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.format.bitsPerSample << " bits, "
                                        << row.format.channels << " channels");
        // An odd count, so that 8-bit mono needs the pad byte.
        const Bytes frames = numberedBytes(row.format.bytesPerFrame() * 1001);
        ASSERT_TRUE(saveWaveFile(soundOf(row.format, frames), path).ok());

        EXPECT_EQ(std::filesystem::file_size(path), 44 + frames.size() + frames.size() % 2);
        const auto read = readWithSndfile(path);
        ASSERT_TRUE(read) << sf_strerror(nullptr);
        EXPECT_EQ(read->format, row.sndfileFormat);
        EXPECT_EQ(read->channels, row.format.channels);
        EXPECT_EQ(read->rate, int(row.format.samplesPerSec));
        EXPECT_EQ(read->frames, frames);
    }
}

TEST(WaveWriterTest, SavesOverTheFileItsSoundMaps) {
    TemporaryFolder folder;
    const std::string path = folder.file("sound.wav");
    const Bytes frames = numberedBytes(4 * 1000);
    ASSERT_TRUE(saveWaveFile(soundOf(kStereo16, frames), path).ok());
    EXPECT_EQ(modeOf(path), 0644u) << "a new file";
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    auto opened = openWaveFile(path);
    ASSERT_TRUE(opened.ok());
    Sound &sound = opened.value();
    sound.erase(100, 900);
    Bytes expected(frames.begin(), frames.begin() + 400);
    expected.insert(expected.end(), frames.end() - 400, frames.end());
    ASSERT_TRUE(saveWaveFile(sound, path).ok());

    EXPECT_EQ(allFrames(openWaveFile(path).value()), expected);
    EXPECT_EQ(allFrames(sound), expected) << "the old mapping outlives the rename";
    EXPECT_EQ(modeOf(path), 0640u) << "keeps the permissions of the file it replaces";
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WaveWriterTest, FailedSaveLeavesTheTargetAsItWas) {
    enum class Fault { MissingFolder, ReadOnlyFolder, DiskFull, DiskFullCopyingAFile, TooLarge };
    const Bytes old = numberedBytes(1000, 9);
    const auto megabyte = makeMemorySource(numberedBytes(1 << 20));
    TemporaryFolder sources;
    writeFile(sources.file("megabyte.raw"), numberedBytes(1 << 20));
    const auto mappedMegabyte = mapFile(sources.file("megabyte.raw")).value();
    for (const Fault fault : {Fault::MissingFolder, Fault::ReadOnlyFolder, Fault::DiskFull,
                              Fault::DiskFullCopyingAFile, Fault::TooLarge}) {
        SCOPED_TRACE(static_cast<int>(fault));
        if (fault == Fault::ReadOnlyFolder && ::geteuid() == 0)
            continue; // root writes into read-only folders; DiskFull covers it there
        TemporaryFolder folder;
        const std::string target =
            folder.file(fault == Fault::MissingFolder ? "missing/old.wav" : "old.wav");
        if (fault != Fault::MissingFolder)
            writeFile(target, old);
        Sound sound(kStereo16);
        // 4100 megabytes of frames for the sound too large, one for the others.
        for (int count = fault == Fault::TooLarge ? 4100 : 1; count > 0; --count)
            sound.append(fault == Fault::DiskFullCopyingAFile ? mappedMegabyte : megabyte, 0,
                         (1 << 20) / 4);
        if (fault == Fault::ReadOnlyFolder)
            ::chmod(folder.path().c_str(), 0555);
        std::optional<FileSizeLimit> limit;
        if (fault == Fault::DiskFull || fault == Fault::DiskFullCopyingAFile)
            limit.emplace(64 * 1024);

        const auto saved = saveWaveFile(sound, target);
        limit.reset();
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error().kind, fault == Fault::ReadOnlyFolder
                                          ? WaveError::Kind::NotWritable
                                          : WaveError::Kind::WriteFailed);
        EXPECT_FALSE(saved.error().reason.empty());
        EXPECT_EQ(fileBytes(target), fault == Fault::MissingFolder ? Bytes{} : old);
        EXPECT_EQ(entriesIn(folder.path()), fault == Fault::MissingFolder ? 0u : 1u);
    }
}

// The source of a long save that presses the break key when the save asks for its second
// piece, as a signal that arrives while the save runs.
class PressingOnSecondPiece final : public ByteSource {
  public:
    explicit PressingOnSecondPiece(std::shared_ptr<const ByteSource> inner)
        : m_inner(std::move(inner)) {}
    uint64_t size() const override { return m_inner->size(); }
    std::span<const std::byte> bytes(uint64_t offset, std::size_t length) const override {
        return m_inner->bytes(offset, length);
    }
    int fileDescriptor() const override {
        if (++m_pieces == 2)
            PressBreakKey();
        return m_inner->fileDescriptor();
    }

  private:
    std::shared_ptr<const ByteSource> m_inner;
    mutable int m_pieces = 0;
};

TEST(WaveWriterTest, TheBreakKeyEndsALongSaveAndLeavesTheTargetAsItWas) {
    const Bytes frames = numberedBytes(std::size_t{24} << 20);
    TemporaryFolder sources;
    writeFile(sources.file("frames.raw"), frames);
    for (const bool mapped : {false, true}) {
        SCOPED_TRACE(mapped ? "frames in a file" : "frames in memory");
        TemporaryFolder folder;
        const std::string target = folder.file("old.wav");
        const Bytes old = numberedBytes(1000, 9);
        writeFile(target, old);
        Sound sound(kStereo16);
        sound.append(
            std::make_shared<PressingOnSecondPiece>(
                mapped ? mapFile(sources.file("frames.raw")).value() : makeMemorySource(frames)),
            0, frames.size() / 4);

        const auto saved = saveWaveFile(sound, target);
        ReleaseBreakKey();
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error().kind, WaveError::Kind::Broken);
        EXPECT_EQ(fileBytes(target), old);
        EXPECT_EQ(entriesIn(folder.path()), 1u) << "no partial file beside the target";
    }
}

} // namespace
