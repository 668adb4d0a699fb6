// The shared precondition checks of the sample-level operations.
#include "wavedata/operation_checks.h"

#include "mci/wave_file.h"

int32_t CheckFileOpen(WaveSessionView &session) {
    return session.IsFileOpen() ? 0 : kCodeNotOpen;
}

int32_t CheckEightOrSixteenBits(const SoundFormat &format) {
    return format.bits == 8 || format.bits == 16 ? 0 : kCodeNot8Or16Bit;
}

int32_t CheckFitsOneBuffer(int64_t dataBytes) {
    // The device writes its plain header before the samples of every working copy it saves.
    return static_cast<int64_t>(kPlainWaveHeaderSize) + dataBytes <= INT32_MAX
               ? 0
               : kCodeCannotCreateBuffer;
}
