// Reading a WAV file: the RIFF header, the walk to the data chunk, and the check of the format
// chunk against the sample encodings the device plays.
#include "base/little_endian.h"
#include "mci/chunk_walker.h"
#include "mci/wave_file.h"
#include "mci/wave_format_tags.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr uint64_t kRiffHeaderSize = 12;
constexpr uint32_t kPlainFmtSize = 16;
constexpr uint32_t kExtensibleFmtSize = 40;
constexpr uint16_t kMaxChannels = 8;
// An extensible format names its encoding by a GUID: the plain format tag in the first two
// bytes, then these fourteen, the same for every encoding the format chunk can also name by tag.
constexpr std::array<uint8_t, 14> kSubFormatTail{0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::size_t kSubFormatOffset = 24;

// Where each field of the format chunk lies in its body.
enum FmtField : std::size_t {
    kTagAt = 0,
    kChannelsAt = 2,
    kRateAt = 4,
    kBlockAlignAt = 12,
    kBitsAt = 14
};

WaveError failure(WaveError::Kind kind, std::string reason, uint64_t offset) {
    return {kind, std::move(reason), offset};
}

// The RIFF size field is not checked against the file: writers that stream leave 0 or
// 0xFFFFFFFF there, and editors that append often leave it stale. The chunks say what is there.
std::optional<WaveError> checkRiffHeader(const ByteSource &source) {
    const uint64_t size = source.size();
    if (size == 0)
        return failure(WaveError::Kind::NotWave, "empty file", 0);
    const auto head = source.bytes(0, static_cast<std::size_t>(std::min(size, kRiffHeaderSize)));
    if (head.size() >= 4) {
        const uint32_t id = loadLittle32(head, 0);
        if (id == fourCc("RIFX"))
            return failure(WaveError::Kind::Unsupported, "big-endian RIFX file", 0);
        if (id == fourCc("RF64"))
            return failure(WaveError::Kind::Unsupported, "RF64 file", 0);
    }
    if (std::memcmp(head.data(), "RIFF", std::min<std::size_t>(head.size(), 4)) != 0)
        return failure(WaveError::Kind::NotWave, "not a RIFF file", 0);
    if (head.size() < kRiffHeaderSize)
        return failure(WaveError::Kind::Truncated, "cut off inside the RIFF header", size);
    if (loadLittle32(head, 8) != fourCc("WAVE"))
        return failure(WaveError::Kind::NotWave, "RIFF file of another form than WAVE", 8);
    return std::nullopt;
}

std::optional<SampleEncoding> encodingOf(uint16_t tag, uint16_t bits) {
    if (tag == kFormatTagFloat)
        return bits == 32 ? std::optional(SampleEncoding::Float32) : std::nullopt;
    if (tag != kFormatTagPcm)
        return std::nullopt;
    switch (bits) {
    case 8:
        return SampleEncoding::UnsignedInt8;
    case 16:
        return SampleEncoding::SignedInt16;
    case 24:
        return SampleEncoding::SignedInt24;
    case 32:
        return SampleEncoding::SignedInt32;
    default:
        return std::nullopt;
    }
}

// The tag of the encoding: the chunk's own, or for the extensible format its sub-format's.
WaveResult<uint16_t> formatTag(std::span<const std::byte> body, uint64_t bodyOffset) {
    const uint16_t tag = loadLittle16(body, kTagAt);
    if (tag != kFormatTagExtensible)
        return tag;
    if (body.size() < kExtensibleFmtSize)
        return failure(WaveError::Kind::NotWave, "extensible fmt chunk shorter than 40 bytes",
                       bodyOffset);
    const auto tail = body.subspan(kSubFormatOffset + 2, kSubFormatTail.size());
    if (std::memcmp(tail.data(), kSubFormatTail.data(), kSubFormatTail.size()) != 0)
        return failure(WaveError::Kind::Unsupported, "unknown extensible sub-format",
                       bodyOffset + kSubFormatOffset);
    return loadLittle16(body, kSubFormatOffset);
}

WaveResult<WaveFormat> readFormat(const ByteSource &source, const RiffChunk &chunk) {
    if (chunk.cutOff())
        return failure(WaveError::Kind::Truncated, "fmt chunk cut off", chunk.headerOffset);
    if (chunk.declaredSize < kPlainFmtSize)
        return failure(WaveError::Kind::NotWave, "fmt chunk shorter than 16 bytes",
                       chunk.headerOffset);
    const uint64_t at = chunk.bodyOffset;
    const auto body = source.bytes(at, std::min(chunk.declaredSize, kExtensibleFmtSize));
    const auto tag = formatTag(body, at);
    if (!tag.ok())
        return tag.error();
    const uint16_t channels = loadLittle16(body, kChannelsAt);
    const uint32_t rate = loadLittle32(body, kRateAt);
    const uint16_t blockAlign = loadLittle16(body, kBlockAlignAt);
    const uint16_t bits = loadLittle16(body, kBitsAt);
    const auto encoding = encodingOf(tag.value(), bits);

    if (tag.value() != kFormatTagPcm && tag.value() != kFormatTagFloat)
        return failure(WaveError::Kind::Unsupported,
                       "format tag " + std::to_string(tag.value()) + " (compressed)", at + kTagAt);
    if (channels == 0)
        return failure(WaveError::Kind::NotWave, "no channels", at + kChannelsAt);
    if (channels > kMaxChannels)
        return failure(WaveError::Kind::Unsupported, "more than 8 channels", at + kChannelsAt);
    if (rate == 0)
        return failure(WaveError::Kind::NotWave, "sampling rate of 0", at + kRateAt);
    if (!encoding)
        return failure(WaveError::Kind::Unsupported, std::to_string(bits) + "-bit samples",
                       at + kBitsAt);
    const WaveFormat format{*encoding, channels, rate, bits};
    if (blockAlign != format.bytesPerFrame())
        return failure(WaveError::Kind::NotWave,
                       "block align does not match channels and sample size", at + kBlockAlignAt);
    // Keeps bytesPerSec() within its 32 bits.
    if (uint64_t{rate} * blockAlign > UINT32_MAX)
        return failure(WaveError::Kind::Unsupported, "sampling rate too high", at + kRateAt);
    return format;
}

// A data chunk that runs past the end of the file is what a recorder leaves when it is stopped
// before it patches the sizes: the whole frames that are there make the sound, and a last
// partial frame is dropped, so that cut-off recordings stay playable.
Sound soundOfData(std::shared_ptr<const ByteSource> source, const WaveFormat &format,
                  const RiffChunk &chunk) {
    Sound sound(format);
    sound.append(std::move(source), chunk.bodyOffset, chunk.availableSize / format.bytesPerFrame());
    return sound;
}

} // namespace

WaveResult<Sound> readWave(std::shared_ptr<const ByteSource> source) {
    if (const auto error = checkRiffHeader(*source))
        return *error;
    ChunkWalker walker(*source, kRiffHeaderSize);
    std::optional<WaveFormat> format;
    for (;;) {
        auto step = walker.next();
        if (!step.ok())
            return step.error();
        if (!step.value())
            return failure(WaveError::Kind::NotWave, format ? "no data chunk" : "no fmt chunk",
                           source->size());
        const RiffChunk &chunk = *step.value();
        if (chunk.id == fourCc("fmt ")) {
            if (format)
                return failure(WaveError::Kind::NotWave, "second fmt chunk", chunk.headerOffset);
            auto read = readFormat(*source, chunk);
            if (!read.ok())
                return read.error();
            format = read.value();
        } else if (chunk.id == fourCc("data")) {
            if (!format)
                return failure(WaveError::Kind::NotWave, "data chunk before fmt chunk",
                               chunk.headerOffset);
            return soundOfData(std::move(source), *format, chunk);
        } else if (chunk.cutOff()) {
            return failure(WaveError::Kind::Truncated, "chunk runs past the end of the file",
                           chunk.headerOffset);
        }
    }
}

WaveResult<Sound> openWaveFile(const std::string &path) {
    auto mapped = mapFile(path);
    if (!mapped.ok())
        return mapped.error();
    return readWave(std::move(mapped.value()));
}
