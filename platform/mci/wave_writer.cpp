// Saving a sound as a WAV file with the plain 44-byte header, written piece by piece into a file
// that replaces the target only when complete: durably for a person's file, without the
// flushes for a scratch file that its maker marked as one.
#include "base/break_key.h"
#include "base/file_replacement.h"
#include "base/little_endian.h"
#include "base/scratch_files.h"
#include "mci/chunk_walker.h"
#include "mci/wave_file.h"
#include "mci/wave_format_tags.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr uint32_t kFmtBodySize = 16;

WaveError writeFailure(const char *reason) {
    return {WaveError::Kind::WriteFailed, reason, 0};
}

WaveError waveErrorOf(const ReplaceFailure &failure) {
    const auto kind = failure.kind == ReplaceFailure::Kind::NotPermitted
                          ? WaveError::Kind::NotWritable
                          : WaveError::Kind::WriteFailed;
    return {kind, failure.reason, 0};
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
    const uint64_t limit = UINT32_MAX - (kPlainWaveHeaderSize - kChunkHeaderSize) - 1;
    if (sound.frameCount() > limit / frameBytes)
        return writeFailure("too large for a WAV file");
    return static_cast<uint32_t>(sound.frameCount() * frameBytes);
}

std::array<std::byte, kPlainWaveHeaderSize> headerOf(const WaveFormat &format, uint32_t dataBytes) {
    std::array<std::byte, kPlainWaveHeaderSize> header{};
    const uint16_t tag =
        format.encoding == SampleEncoding::Float32 ? kFormatTagFloat : kFormatTagPcm;
    const uint32_t padding = dataBytes & 1u;
    storeLittle32(header, 0, fourCc("RIFF"));
    storeLittle32(header, 4, static_cast<uint32_t>(kPlainWaveHeaderSize - 8) + dataBytes + padding);
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

// Each piece of the frames is one copy inside the kernel where the run lies in a file, so the
// frames of an opened sound never pass through this process (faulting in the mapping and copying
// it cost more than the write), and the disk writes what is copied while the copying goes on.
// What the kernel did not copy goes through this process's own memory: if the file was cut
// short under the session, reading the lost pages here meets the mapping's guard, which reads
// them as silence, where a write straight from the mapping would fail with EFAULT.
std::optional<ReplaceFailure> writePiece(const Sound::ByteRun &run, uint64_t offset,
                                         uint64_t length, FileReplacement &file) {
    const int from = run.source.fileDescriptor();
    if (from < 0)
        return file.write(run.source.bytes(offset, static_cast<std::size_t>(length)));
    const uint64_t copied = file.copyFrom(from, offset, length);
    file.startWriteBack();
    constexpr std::size_t kBufferSize = std::size_t{1} << 16;
    std::vector<std::byte> buffer;
    for (uint64_t at = offset + copied; at < offset + length; at += kBufferSize) {
        const auto piece = run.source.bytes(
            at, static_cast<std::size_t>(std::min<uint64_t>(kBufferSize, offset + length - at)));
        buffer.assign(piece.begin(), piece.end());
        if (auto error = file.write(buffer))
            return error;
    }
    return std::nullopt;
}

// A host presses the break key when it must end: a long save then stops at its next piece,
// leaving the target as it was, rather than keeping the host for seconds.
std::optional<WaveError> writeFrames(const Sound &sound, FileReplacement &file) {
    constexpr uint64_t kPiece = uint64_t{8} << 20;
    uint64_t written = 0;
    for (const Sound::ByteRun &run : sound.byteRuns()) {
        for (uint64_t at = 0; at < run.length; at += kPiece) {
            if (BreakKeyPressed())
                return WaveError{WaveError::Kind::Broken, "broken off by the break key",
                                 kPlainWaveHeaderSize + written};
            const uint64_t piece = std::min(kPiece, run.length - at);
            if (auto error = writePiece(run, run.offset + at, piece, file))
                return waveErrorOf(*error);
            written += piece;
        }
    }
    return std::nullopt;
}

} // namespace

WaveResult<WaveSaved> saveWaveFile(const Sound &sound, const std::string &path) {
    const auto dataBytes = dataBytesOf(sound);
    if (!dataBytes.ok())
        return dataBytes.error();
    FileReplacement file(path,
                         IsScratchFile(path) ? ReplacePolicy::Scratch : ReplacePolicy::Durable);
    const auto header = headerOf(sound.format(), dataBytes.value());
    const std::array<std::byte, 1> pad{};
    std::optional<ReplaceFailure> error = file.create();
    if (!error)
        error = file.write(header);
    if (error)
        return waveErrorOf(*error);
    if (auto framesError = writeFrames(sound, file))
        return *framesError;
    if (dataBytes.value() % 2 != 0)
        error = file.write(pad);
    if (!error)
        error = file.commit();
    if (error)
        return waveErrorOf(*error);
    return WaveSaved{};
}
