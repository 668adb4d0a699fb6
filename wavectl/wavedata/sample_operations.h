// The sample-level operations of the wave control. Each checks its preconditions first, in a
// fixed order, before it makes any temporary file, then runs the working-copy cycle; its outcome
// is left in the session's error code.
#pragma once

#include "wavedata/wave_session_view.h"

#include <cstdint>

void WavFileToArray(WaveSessionView &session, int16_t *pArray, int32_t ArrayLength);
void ArrayToWavFile(WaveSessionView &session, const int16_t *pArray, int32_t ArrayLength);
void ChangeVolume(WaveSessionView &session, int32_t From, int32_t To, float Factor);
void Copy(WaveSessionView &session, int32_t From, int32_t To);
void Paste(WaveSessionView &session, int32_t From, int32_t To);
void SetSamplingRate(WaveSessionView &session, int32_t SamplingRate);
