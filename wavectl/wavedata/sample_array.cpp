// WavFileToArray and ArrayToWavFile: every sample of the sound as one element of the host's
// array, in file order.
#include "wavedata/breakable_slices.h"
#include "wavedata/loaded_samples.h"
#include "wavedata/operation_checks.h"
#include "wavedata/sample_codec.h"
#include "wavedata/sample_operations.h"
#include "wavedata/working_copy_cycle.h"

namespace {

// The checks both directions share: 0, with the sample count and bits, when they pass.
int32_t checkArray(WaveSessionView &session, int32_t ArrayLength, int32_t &count, int &bits) {
    if (const int32_t refused = CheckFileOpen(session))
        return refused;
    const SoundFormat format = session.ReadFormat();
    if (format.samples() <= 0)
        return kCodeEmptyFile;
    if (ArrayLength != format.samples())
        return kCodeInvalidArrayLength;
    if (const int32_t refused = CheckEightOrSixteenBits(format))
        return refused;
    bits = format.bits;
    count = ArrayLength;
    return CheckFitsOneBuffer(int64_t{count} * (bits / 8));
}

} // namespace

int32_t WavFileToArray(WaveSessionView &session, int16_t *pArray, int32_t ArrayLength) {
    int32_t count = 0;
    int bits = 0;
    if (const int32_t refused = checkArray(session, ArrayLength, count, bits))
        return refused;
    WorkingCopyOperation operation;
    operation.edit = EditSamples(bits, count, WriteBack::No, [&](uint8_t *samples) {
        return InBreakableSlices(static_cast<std::size_t>(count),
                                 [&](std::size_t first, std::size_t slice) {
                                     for (std::size_t i = first; i < first + slice; ++i)
                                         pArray[i] = ReadSample(samples, bits, i);
                                 });
    });
    return RunWorkingCopyCycle(session, session.GetPosition(), operation);
}

int32_t ArrayToWavFile(WaveSessionView &session, const int16_t *pArray, int32_t ArrayLength) {
    int32_t count = 0;
    int bits = 0;
    if (const int32_t refused = checkArray(session, ArrayLength, count, bits))
        return refused;
    WorkingCopyOperation operation;
    operation.edit = EditSamples(bits, count, WriteBack::Yes, [&](uint8_t *samples) {
        return InBreakableSlices(static_cast<std::size_t>(count),
                                 [&](std::size_t first, std::size_t slice) {
                                     for (std::size_t i = first; i < first + slice; ++i)
                                         WriteSample(samples, bits, i, pArray[i]);
                                 });
    });
    return RunWorkingCopyCycle(session, session.GetPosition(), operation);
}
