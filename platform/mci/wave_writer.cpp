// Saving a sound as a WAV file with the plain 44-byte header, streamed a block at a time from
// its pieces into a file that replaces the target only when complete.
#include "mci/chunk_walker.h"
#include "mci/little_endian.h"
#include "mci/replacement_file.h"
#include "mci/wave_file.h"
#include "mci/wave_format_tags.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 44;
constexpr uint32_t kFmtBodySize = 16;
// Large enough that the system calls cost nothing next to the copying, small enough to be
// allocated without a second thought.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

WaveError writeFailure(const char *reason) {
    return {WaveError::Kind::WriteFailed, reason, 0};
}

// The bytes of the data chunk: all of the sound's frames, checked against the 32-bit sizes of
// the header (the RIFF size, 36 bytes more than the data and its pad byte, is the larger).
WaveResult<uint32_t> dataBytesOf(const Sound &sound) {
    const WaveFormat &format = sound.format();
    const uint64_t frameBytes = format.bytesPerFrame();
    if (frameBytes == 0)
        return writeFailure("no sample format");
    if (uint64_t{format.samplesPerSec} * frameBytes > UINT32_MAX)
        return writeFailure("sampling rate too high for a WAV file");
    const uint64_t limit = UINT32_MAX - (kHeaderSize - kChunkHeaderSize) - 1;
    if (sound.frameCount() > limit / frameBytes)
        return writeFailure("too large for a WAV file");
    return static_cast<uint32_t>(sound.frameCount() * frameBytes);
}

std::array<std::byte, kHeaderSize> headerOf(const WaveFormat &format, uint32_t dataBytes) {
    std::array<std::byte, kHeaderSize> header{};
    const uint16_t tag =
        format.encoding == SampleEncoding::Float32 ? kFormatTagFloat : kFormatTagPcm;
    const uint32_t padding = dataBytes & 1u;
    storeLittle32(header, 0, fourCc("RIFF"));
    storeLittle32(header, 4, static_cast<uint32_t>(kHeaderSize - 8) + dataBytes + padding);
    storeLittle32(header, 8, fourCc("WAVE"));
    storeLittle32(header, 12, fourCc("fmt "));
    storeLittle32(header, 16, kFmtBodySize);
    storeLittle16(header, 20, tag);
    storeLittle16(header, 22, format.channels);
    storeLittle32(header, 24, format.samplesPerSec);
    storeLittle32(header, 28, format.bytesPerSec());
    storeLittle16(header, 32, static_cast<uint16_t>(format.bytesPerFrame()));
    storeLittle16(header, 34, format.bitsPerSample);
    storeLittle32(header, 36, fourCc("data"));
    storeLittle32(header, 40, dataBytes);
    return header;
}

std::optional<WaveError> writeFrames(const Sound &sound, ReplacementFile &file) {
    const std::size_t frameBytes = sound.format().bytesPerFrame();
    std::vector<std::byte> block;
    try {
        // A short sound needs no more than its own size: saves of short edits come often.
        const uint64_t frames =
            std::min<uint64_t>(kBlockBytes / frameBytes, std::max<uint64_t>(sound.frameCount(), 1));
        block.resize(static_cast<std::size_t>(frames) * frameBytes);
    } catch (const std::bad_alloc &) {
        return WaveError{WaveError::Kind::NoMemory, "no memory for the write buffer", 0};
    }
    for (uint64_t first = 0; first < sound.frameCount();) {
        const uint64_t copied = sound.readFrames(first, block);
        if (copied == 0)
            return writeFailure("the sound ended before its last frame");
        if (auto error = file.write(std::span(block).first(copied * frameBytes)))
            return error;
        first += copied;
    }
    return std::nullopt;
}

} // namespace

WaveResult<WaveSaved> saveWaveFile(const Sound &sound, const std::string &path) {
    const auto dataBytes = dataBytesOf(sound);
    if (!dataBytes.ok())
        return dataBytes.error();
    ReplacementFile file(path);
    const auto header = headerOf(sound.format(), dataBytes.value());
    const std::array<std::byte, 1> pad{};
    std::optional<WaveError> error = file.create();
    if (!error)
        error = file.write(header);
    if (!error)
        error = writeFrames(sound, file);
    if (!error && dataBytes.value() % 2 != 0)
        error = file.write(pad);
    if (!error)
        error = file.commit();
    if (error)
        return *error;
    return WaveSaved{};
}
