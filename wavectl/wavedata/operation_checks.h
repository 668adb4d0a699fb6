// The checks that the sample-level operations share, and the codes they report.
#pragma once

#include "wavedata/wave_session_view.h"

#include <cstdint>

inline constexpr int32_t kCodeOutOfRange = 282;
inline constexpr int32_t kCodeNotOpen = 515;
inline constexpr int32_t kCodeNot8Or16Bit = 516;
inline constexpr int32_t kCodeInvalidArrayLength = 520;
inline constexpr int32_t kCodeInvalidSamplingRate = 521;
inline constexpr int32_t kCodeClipInaccessible = 522;
inline constexpr int32_t kCodeClipEmpty = 523;
inline constexpr int32_t kCodeEmptyFile = 524;

// Each returns false, with the session's code set, when its condition does not hold.
bool CheckFileOpen(WaveSessionView &session);
bool CheckEightOrSixteenBits(WaveSessionView &session);

// Channel count x length in frames, 0 when the product would not fit 32 bits.
int32_t SampleCount(WaveSessionView &session);
