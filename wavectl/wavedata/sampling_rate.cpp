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
// The rate and the average bytes per second lie side by side in the format chunk, so that one
// write changes both or, failing, neither: a header with the one and not the other would play
// at a rate the host never asked for.
constexpr off_t kRateOffset = 24;

bool patchRate(const std::string &workFile, int32_t rate, uint32_t bytesPerSecond) {
    FileDescriptor fd(faultable::open(workFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return false;
    std::array<std::byte, 8> fields{};
    storeLittle32(fields, 0, static_cast<uint32_t>(rate));
    storeLittle32(fields, 4, bytesPerSecond);
    const bool patched = faultable::lseek(fd.get(), kRateOffset, SEEK_SET) == kRateOffset &&
                         faultable::write(fd.get(), fields.data(), fields.size()) ==
                             static_cast<ssize_t>(fields.size());
    return fd.close() && patched;
}

} // namespace

int32_t SetSamplingRate(WaveSessionView &session, int32_t SamplingRate) {
    if (const int32_t refused = CheckFileOpen(session))
        return refused;
    if (SamplingRate < 1 || SamplingRate > kHighestRate)
        return kCodeInvalidSamplingRate;
    const SoundFormat format = session.ReadFormat();
    const uint32_t bytesPerSecond =
        AverageBytesPerSecond(format.bits, format.channels, SamplingRate);
    WorkingCopyOperation operation;
    operation.recordOneFrameFirst = format.length == 0;
    operation.edit = [&](const std::string &workFile) {
        return patchRate(workFile, SamplingRate, bytesPerSecond) ? 0 : kCodeCannotSaveTmp;
    };
    return RunWorkingCopyCycle(session, session.GetPosition(), operation);
}
