// The sample-level operations of the wave control. Each checks its preconditions first, in a
// fixed order, before it makes any temporary file, then runs the working-copy cycle; each gives
// its outcome, for the session to store as its error code.
#pragma once

#include "wavedata/wave_session_view.h"

#include <cstdint>

int32_t WavFileToArray(WaveSessionView &session, int16_t *pArray, int32_t ArrayLength);
int32_t ArrayToWavFile(WaveSessionView &session, const int16_t *pArray, int32_t ArrayLength);
int32_t ChangeVolume(WaveSessionView &session, int32_t From, int32_t To, float Factor);
int32_t Copy(WaveSessionView &session, int32_t From, int32_t To);
int32_t Paste(WaveSessionView &session, int32_t From, int32_t To);
int32_t SetSamplingRate(WaveSessionView &session, int32_t SamplingRate);
