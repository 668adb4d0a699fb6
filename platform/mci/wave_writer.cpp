// Saving a sound as a WAV file with the plain 44-byte header, written piece by piece into a file
// that replaces the target only when complete: durably for a person's file, without the
// flushes for a scratch file that its maker marked as one.
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

// What the kernel did not copy from a file goes through this process's own memory: if the file
// was cut short under the session, reading the lost pages here meets the mapping's guard, which
// reads them as silence, where a write straight from the mapping would fail with EFAULT.
std::optional<ReplaceFailure> writeThroughBuffer(std::span<const std::byte> bytes,
                                                 FileReplacement &file) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::vector<std::byte> buffer(std::min(bytes.size(), kPiece));
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const auto piece = bytes.subspan(at, std::min(kPiece, bytes.size() - at));
        std::copy(piece.begin(), piece.end(), buffer.begin());
        if (auto error = file.write(std::span(buffer).first(piece.size())))
            return error;
    }
    return std::nullopt;
}

// The disk writes what is copied while the copying goes on, rather than all of it in the flush.
uint64_t copyStartingWriteBack(FileReplacement &file, int from, uint64_t offset, uint64_t length) {
    constexpr uint64_t kPiece = uint64_t{8} << 20;
    uint64_t copied = 0;
    while (copied < length) {
        const uint64_t piece = std::min(kPiece, length - copied);
        const uint64_t done = file.copyFrom(from, offset + copied, piece);
        copied += done;
        file.startWriteBack();
        if (done < piece)
            break;
    }
    return copied;
}

// A run that lies in a file is copied inside the kernel, so the frames of an opened sound never
// pass through this process (faulting in the mapping and copying it cost more than the write).
std::optional<ReplaceFailure> writeFrames(const Sound &sound, FileReplacement &file) {
    for (const Sound::ByteRun &run : sound.byteRuns()) {
        const int from = run.source.fileDescriptor();
        const uint64_t copied =
            from < 0 ? 0 : copyStartingWriteBack(file, from, run.offset, run.length);
        const auto rest =
            run.source.bytes(run.offset + copied, static_cast<std::size_t>(run.length - copied));
        auto error = from < 0 ? file.write(rest) : writeThroughBuffer(rest, file);
        if (error)
            return error;
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
    if (!error)
        error = writeFrames(sound, file);
    if (!error && dataBytes.value() % 2 != 0)
        error = file.write(pad);
    if (!error)
        error = file.commit();
    if (error)
        return waveErrorOf(*error);
    return WaveSaved{};
}
