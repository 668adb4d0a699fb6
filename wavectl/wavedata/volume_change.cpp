// ChangeVolume: scales the frames From up to, not including, To, in every channel.
#include "wavedata/breakable_slices.h"
#include "wavedata/loaded_samples.h"
#include "wavedata/operation_checks.h"
#include "wavedata/sample_codec.h"
#include "wavedata/sample_operations.h"
#include "wavedata/working_copy_cycle.h"

#include <cmath>

namespace {

// Every negative factor silences, minus infinity included; a factor with no value or an
// unbounded gain has no result to give.
bool isUsableFactor(float factor) {
    return !std::isnan(factor) && factor != INFINITY;
}

} // namespace

int32_t ChangeVolume(WaveSessionView &session, int32_t From, int32_t To, float Factor) {
    if (const int32_t refused = CheckFileOpen(session))
        return refused;
    const SoundFormat format = session.ReadFormat();
    const int64_t count = format.samples();
    if (count <= 0)
        return kCodeEmptyFile;
    if (const int32_t refused = CheckEightOrSixteenBits(format))
        return refused;
    const int32_t remembered = session.GetPosition();
    const int32_t length = format.length;
    if (To == -1)
        To = length;
    if (From < 0 || From > length || To < 0 || To > length || From > To || !isUsableFactor(Factor))
        return kCodeOutOfRange;
    const int bits = format.bits;
    const int channels = format.channels;
    if (const int32_t refused = CheckFitsOneBuffer(count * (bits / 8)))
        return refused;
    WorkingCopyOperation operation;
    operation.edit =
        EditSamples(bits, static_cast<int32_t>(count), WriteBack::Yes, [&](uint8_t *samples) {
            const auto first = static_cast<std::size_t>(From) * static_cast<std::size_t>(channels);
            const auto changed =
                static_cast<std::size_t>(To - From) * static_cast<std::size_t>(channels);
            return InBreakableSlices(changed, [&](std::size_t at, std::size_t slice) {
                ScaleSamples(samples + (first + at) * static_cast<std::size_t>(bits / 8), bits,
                             slice, Factor);
            });
        });
    return RunWorkingCopyCycle(session, remembered, operation);
}
