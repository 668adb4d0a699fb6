// The reader against files written by libsndfile, and against files put together byte by byte
// with the extra chunks, cuts and damage that real files have.
#include "mci/wave_file.h"
#include "sndfile_wave.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace {

// 16-bit stereo at 8000 frames a second, ten frames: the shape most rows below start from.
const Bytes kData = numberedBytes(40);
const Bytes kFmt = chunk("fmt ", fmtBody(1, 2, 8000, 16, 4));
const Bytes kPlain = riffWave({kFmt, chunk("data", kData)});
// Where the fields of kPlain lie.
constexpr std::size_t kRiffSizeAt = 4, kFmtSizeAt = 16, kTagAt = 20, kChannelsAt = 22, kRateAt = 24,
                      kBlockAlignAt = 32, kBitsAt = 34, kDataSizeAt = 40;

Bytes patched(Bytes bytes, std::size_t at, uint32_t value, int size) {
    Bytes field;
    appendLittle(field, value, size);
    std::copy(field.begin(), field.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

Bytes cut(const Bytes &bytes, std::size_t size) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

WaveResult<Sound> readBytes(const Bytes &bytes) {
    return readWave(makeMemorySource(bytes));
}

TEST(WaveReaderTest, ReadsWhatLibsndfileWrites) {
    struct Row {
        int sndfileFormat;
        WaveFormat format;
    };
    const Row rows[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, {SampleEncoding::UnsignedInt8, 1, 11025, 8}},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_16, {SampleEncoding::SignedInt16, 2, 44100, 16}},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, {SampleEncoding::SignedInt24, 1, 48000, 24}},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_32, {SampleEncoding::SignedInt32, 2, 96000, 32}},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, {SampleEncoding::Float32, 2, 44100, 32}},
        {SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, {SampleEncoding::SignedInt16, 6, 48000, 16}},
        {SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, {SampleEncoding::Float32, 1, 22050, 32}},
    };
    TemporaryFolder folder;
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << "libsndfile format 0x" << std::hex << row.sndfileFormat
                                        << std::dec << ", " << row.format.channels << " channels");
        const std::string path = folder.file("libsndfile.wav");
        const Bytes frames = numberedBytes(row.format.bytesPerFrame() * 301);
        ASSERT_TRUE(writeWithSndfile(
            path, {row.sndfileFormat, row.format.channels, int(row.format.samplesPerSec), frames}));

        const auto read = openWaveFile(path);
        ASSERT_TRUE(read.ok()) << read.error().reason;
        const WaveFormat &format = read.value().format();
        EXPECT_EQ(format.encoding, row.format.encoding);
        EXPECT_EQ(format.channels, row.format.channels);
        EXPECT_EQ(format.samplesPerSec, row.format.samplesPerSec);
        EXPECT_EQ(format.bitsPerSample, row.format.bitsPerSample);
        EXPECT_EQ(allFrames(read.value()), frames);
    }
}

TEST(WaveReaderTest, SkipsChunksItDoesNotKnow) {
    const Bytes data = chunk("data", kData);
    const Bytes list = chunk("LIST", numberedBytes(5));
    Bytes longFmtBody = fmtBody(1, 2, 8000, 16, 4);
    appendLittle(longFmtBody, 0, 2); // the extra-size field older writers add to plain PCM
    const std::pair<const char *, Bytes> rows[] = {
        {"list before fmt", riffWave({list, kFmt, data})},
        {"fact between fmt and data", riffWave({kFmt, chunk("fact", numberedBytes(4)), data})},
        {"odd chunk and its pad byte", riffWave({kFmt, chunk("junk", numberedBytes(3)), data})},
        {"chunks after data", riffWave({kFmt, data, list, chunk("id3 ", numberedBytes(9))})},
        {"18-byte fmt", riffWave({chunk("fmt ", longFmtBody), data})},
    };
    for (const auto &[name, bytes] : rows) {
        SCOPED_TRACE(name);
        const auto read = readBytes(bytes);
        ASSERT_TRUE(read.ok()) << read.error().reason;
        EXPECT_EQ(allFrames(read.value()), kData);
    }
}

TEST(WaveReaderTest, DamagedFilesGiveAnErrorOrTheFramesThatAreThere) {
    // An extensible format whose sub-format GUID is PCM's but for its last byte.
    Bytes extensible = fmtBody(0xFFFE, 2, 8000, 16, 4);
    appendLittle(extensible, 22, 2);
    appendLittle(extensible, 16, 2);
    appendLittle(extensible, 3, 4);
    for (int byte : {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x70})
        extensible.push_back(static_cast<std::byte>(byte));
    struct Row {
        const char *name;
        Bytes bytes;
        std::optional<WaveError::Kind> error;
        uint64_t frames = 0;
    };
    using enum WaveError::Kind;
    const Row rows[] = {
        {"riff size all ones", patched(kPlain, kRiffSizeAt, 0xFFFFFFFF, 4), {}, 10},
        {"data size all ones", patched(kPlain, kDataSizeAt, 0xFFFFFFFF, 4), {}, 10},
        {"data cut inside a frame", cut(kPlain, kPlain.size() - 2), {}, 9},
        {"data size not whole frames", patched(kPlain, kDataSizeAt, 39, 4), {}, 9},
        {"fmt size all ones", patched(kPlain, kFmtSizeAt, 0xFFFFFFFF, 4), Truncated},
        {"fmt of 14 bytes",
         riffWave({chunk("fmt ", cut(fmtBody(1, 2, 8000, 16, 4), 14)), chunk("data", kData)}),
         NotWave},
        {"zero channels", patched(kPlain, kChannelsAt, 0, 2), NotWave},
        {"nine channels", patched(kPlain, kChannelsAt, 9, 2), Unsupported},
        {"rate of 0", patched(kPlain, kRateAt, 0, 4), NotWave},
        {"rate too high", patched(kPlain, kRateAt, 0x7FFFFFFF, 4), Unsupported},
        {"block align mismatch", patched(kPlain, kBlockAlignAt, 3, 2), NotWave},
        {"12-bit samples", patched(kPlain, kBitsAt, 12, 2), Unsupported},
        {"compressed tag", patched(kPlain, kTagAt, 2, 2), Unsupported},
        {"64-bit float", patched(patched(kPlain, kTagAt, 3, 2), kBitsAt, 64, 2), Unsupported},
        {"unknown extensible guid", riffWave({chunk("fmt ", extensible), chunk("data", kData)}),
         Unsupported},
        {"fmt after data", riffWave({chunk("data", kData), kFmt}), NotWave},
        {"no data", riffWave({kFmt}), NotWave},
        {"second fmt", riffWave({kFmt, kFmt, chunk("data", kData)}), NotWave},
        {"chunk past the end before data",
         riffWave({kFmt, patched(chunk("LIST", numberedBytes(4)), 4, 100, 4)}), Truncated},
        {"big-endian", patched(kPlain, 0, 0x58464952, 4), Unsupported},
        {"not riff", patched(kPlain, 0, 0x4B4E554A, 4), NotWave},
        {"not wave", patched(kPlain, 8, 0x20495641, 4), NotWave},
        {"empty", {}, NotWave},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto read = readBytes(row.bytes);
        if (row.error) {
            ASSERT_FALSE(read.ok());
            EXPECT_EQ(read.error().kind, *row.error) << read.error().reason;
            EXPECT_FALSE(read.error().reason.empty());
            EXPECT_LE(read.error().offset, row.bytes.size());
        } else {
            ASSERT_TRUE(read.ok()) << read.error().reason;
            EXPECT_EQ(allFrames(read.value()), cut(kData, row.frames * 4));
        }
    }
}

// Every cut of a file with chunks around its data, and single damaged bytes in its headers:
// the reader gives an error or a sound that is a prefix of the whole one, and never reads out
// of bounds (the sanitizer build watches that).
TEST(WaveReaderTest, EveryCutAndDamagedByteIsHandledCleanly) {
    const Bytes data = numberedBytes(400);
    const Bytes whole = riffWave({chunk("LIST", numberedBytes(7)), kFmt,
                                  chunk("fact", numberedBytes(4)), chunk("data", data)});
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const auto read = readBytes(cut(whole, size));
        if (read.ok()) {
            EXPECT_EQ(allFrames(read.value()), cut(data, read.value().frameCount() * 4)) << size;
        } else {
            EXPECT_LE(read.error().offset, size);
        }
    }
    for (std::size_t at = 0; at < whole.size() - data.size(); ++at) {
        for (uint32_t value : {0x00u, 0x01u, 0x7Fu, 0x80u, 0xFFu}) {
            const auto read = readBytes(patched(whole, at, value, 1));
            if (read.ok()) {
                EXPECT_LE(allFrames(read.value()).size(), whole.size()) << at;
            }
        }
    }
}

} // namespace
