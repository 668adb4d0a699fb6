// The shared precondition checks of the sample-level operations.
#include "wavedata/operation_checks.h"

#include "mci/wave_file.h"
#include "wavedata/working_copy_cycle.h"

bool CheckFileOpen(WaveSessionView &session) {
    if (session.IsFileOpen())
        return true;
    session.ErrorCode() = kCodeNotOpen;
    return false;
}

bool CheckEightOrSixteenBits(WaveSessionView &session) {
    const int16_t bits = session.GetNumBits();
    if (bits == 8 || bits == 16)
        return true;
    session.ErrorCode() = kCodeNot8Or16Bit;
    return false;
}

int64_t SampleCount(WaveSessionView &session) {
    return int64_t{session.GetNumChannels()} * session.GetLength();
}

int64_t FrameBytes(WaveSessionView &session) {
    return int64_t{session.GetNumChannels()} * (session.GetNumBits() / 8);
}

bool CheckFitsOneBuffer(WaveSessionView &session, int64_t dataBytes) {
    // The device writes its plain header before the samples of every working copy it saves.
    if (static_cast<int64_t>(kPlainWaveHeaderSize) + dataBytes <= INT32_MAX)
        return true;
    session.ErrorCode() = kCodeCannotCreateBuffer;
    return false;
}
