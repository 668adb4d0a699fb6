// The shared precondition checks of the sample-level operations.
#include "wavedata/operation_checks.h"

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

int32_t SampleCount(WaveSessionView &session) {
    const int64_t count = int64_t{session.GetNumChannels()} * session.GetLength();
    return count > 0 && count <= INT32_MAX ? static_cast<int32_t>(count) : 0;
}
