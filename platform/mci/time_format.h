// Positions in a session's time format and in frames.
#pragma once

#include "mci/device_enums.h"

#include <cstdint>

// Milliseconds become frames rounding up, frames become milliseconds rounding down. So a length
// read in milliseconds and sent back never lies past the last frame, and at any rate above
// 1000 Hz a time sent in (a play's end) reads back unchanged as the position.
uint64_t framesFromTime(uint64_t value, TimeFormat format, uint32_t framesPerSecond);
uint64_t timeFromFrames(uint64_t frames, TimeFormat format, uint32_t framesPerSecond);
