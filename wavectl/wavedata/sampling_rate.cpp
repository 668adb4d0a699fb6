// SetSamplingRate: the same sample bytes, played at another rate; only two header fields of
// the working copy change.
#include "wavedata/operation_checks.h"
#include "wavedata/sample_codec.h"
#include "wavedata/sample_operations.h"
#include "wavedata/working_copy_cycle.h"

#include <cstdio>

namespace {

constexpr int32_t kHighestRate = 44100;
constexpr long kRateOffset = 24;
constexpr long kBytesPerSecondOffset = 28;

bool putAt(std::FILE *stream, long offset, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return std::fseek(stream, offset, SEEK_SET) == 0 && std::fwrite(bytes, 1, 4, stream) == 4;
}

bool patchRate(const std::string &workFile, int32_t rate, uint32_t bytesPerSecond) {
    std::FILE *stream = std::fopen(workFile.c_str(), "r+b");
    if (stream == nullptr)
        return false;
    bool patched = putAt(stream, kRateOffset, static_cast<uint32_t>(rate)) &&
                   putAt(stream, kBytesPerSecondOffset, bytesPerSecond) && std::fflush(stream) == 0;
    patched = std::fclose(stream) == 0 && patched;
    return patched;
}

} // namespace

void SetSamplingRate(WaveSessionView &session, int32_t SamplingRate) {
    if (!CheckFileOpen(session))
        return;
    if (SamplingRate < 1 || SamplingRate > kHighestRate) {
        session.ErrorCode() = kCodeInvalidSamplingRate;
        return;
    }
    uint32_t bytesPerSecond = 0;
    WorkingCopyOperation operation;
    operation.recordIntoEmptySound = true;
    operation.beforeClose = [&] {
        bytesPerSecond =
            AverageBytesPerSecond(session.GetNumBits(), session.GetNumChannels(), SamplingRate);
    };
    operation.edit = [&](const std::string &workFile) {
        return patchRate(workFile, SamplingRate, bytesPerSecond) ? 0 : kCodeCannotSaveTmp;
    };
    RunWorkingCopyCycle(session, session.GetPosition(), operation);
}
