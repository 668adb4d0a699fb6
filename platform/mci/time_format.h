// Positions in a session's time format and in frames.
#pragma once

#include "mci/command_parser.h"

#include <cstdint>

// Both directions round down, so a length or position read in milliseconds and sent back
// never lands past the frame it came from (a play to the reported length is always in range).
uint64_t framesFromTime(uint64_t value, TimeFormat format, uint32_t framesPerSecond);
uint64_t timeFromFrames(uint64_t frames, TimeFormat format, uint32_t framesPerSecond);
