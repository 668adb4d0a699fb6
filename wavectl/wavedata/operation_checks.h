// The checks that the sample-level operations share, and the device's codes they report.
#pragma once

#include "mci/mci_constants.h"
#include "wavedata/error_codes.h"
#include "wavedata/wave_session_view.h"

#include <cstdint>

inline constexpr auto kCodeOutOfRange = static_cast<int32_t>(MCIERR_OUTOFRANGE);
// The device's code for a file "not in the correct format": a clip that is no whole number of
// the sound's frames.
inline constexpr auto kCodeClipNotWholeFrames = static_cast<int32_t>(MCIERR_INVALID_FILE);
// The device's answer to a wait that the break key ended, and so the answer of an operation
// that the break key ended: the host is ending, and the sound and every file are as they were.
inline constexpr auto kCodeBroken = static_cast<int32_t>(MCIERR_DEVICE_LOCKED);

// Each gives 0 when its condition holds, else the code with which the operation stops.
int32_t CheckFileOpen(WaveSessionView &session);
int32_t CheckEightOrSixteenBits(const SoundFormat &format);

// An operation holds the sound in one buffer, whose size is a signed 32-bit count: 518 when a
// working copy holding dataBytes of samples would not fit one; checked before the cycle, so
// that no working copy of such a sound is ever written in vain.
int32_t CheckFitsOneBuffer(int64_t dataBytes);
