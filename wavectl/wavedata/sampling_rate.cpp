// SetSamplingRate: the same sample bytes, played at another rate; only two header fields of
// the working copy change.
#include "base/faultable_calls.h"
#include "base/file_descriptor.h"
#include "base/little_endian.h"
#include "wavedata/operation_checks.h"
#include "wavedata/sample_codec.h"
#include "wavedata/sample_operations.h"
#include "wavedata/working_copy_cycle.h"

#include <array>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int32_t kHighestRate = 44100;
constexpr off_t kRateOffset = 24;
constexpr off_t kBytesPerSecondOffset = 28;

bool putAt(int fd, off_t offset, uint32_t value) {
    std::array<std::byte, 4> bytes{};
    storeLittle32(bytes, 0, value);
    return ::lseek(fd, offset, SEEK_SET) == offset &&
           faultable::write(fd, bytes.data(), bytes.size()) == 4;
}

bool patchRate(const std::string &workFile, int32_t rate, uint32_t bytesPerSecond) {
    FileDescriptor fd(faultable::open(workFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return false;
    const bool patched = putAt(fd.get(), kRateOffset, static_cast<uint32_t>(rate)) &&
                         putAt(fd.get(), kBytesPerSecondOffset, bytesPerSecond);
    return fd.close() && patched;
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
