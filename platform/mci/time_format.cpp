// Millisecond conversion through 128-bit products, so that no length of a 64-bit frame count
// overflows.
#include "mci/time_format.h"

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr Wide kMillisecondsPerSecond = 1000;

} // namespace

uint64_t framesFromTime(uint64_t value, TimeFormat format, uint32_t framesPerSecond) {
    if (format == TimeFormat::Samples)
        return value;
    const Wide product = static_cast<Wide>(value) * framesPerSecond;
    return static_cast<uint64_t>((product + kMillisecondsPerSecond - 1) / kMillisecondsPerSecond);
}

uint64_t timeFromFrames(uint64_t frames, TimeFormat format, uint32_t framesPerSecond) {
    if (format == TimeFormat::Samples || framesPerSecond == 0)
        return frames;
    return static_cast<uint64_t>(static_cast<Wide>(frames) * kMillisecondsPerSecond /
                                 framesPerSecond);
}
