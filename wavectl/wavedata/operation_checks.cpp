// The shared precondition checks of the sample-level operations.
#include "wavedata/operation_checks.h"

#include "mci/wave_file.h"

int32_t CheckFileOpen(WaveSessionView &session) {
    return session.IsFileOpen() ? 0 : kCodeNotOpen;
}

int32_t CheckEightOrSixteenBits(WaveSessionView &session) {
    const int16_t bits = session.GetNumBits();
    return bits == 8 || bits == 16 ? 0 : kCodeNot8Or16Bit;
}

int64_t SampleCount(WaveSessionView &session) {
    return int64_t{session.GetNumChannels()} * session.GetLength();
}

int64_t FrameBytes(WaveSessionView &session) {
    return int64_t{session.GetNumChannels()} * (session.GetNumBits() / 8);
}

int32_t CheckFitsOneBuffer(int64_t dataBytes) {
    // The device writes its plain header before the samples of every working copy it saves.
    return static_cast<int64_t>(kPlainWaveHeaderSize) + dataBytes <= INT32_MAX
               ? 0
               : kCodeCannotCreateBuffer;
}
