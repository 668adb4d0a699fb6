// The control's own error codes, above the media device's range.
#pragma once

#include <cstdint>

enum NeloWavErrorCode : int32_t {
    errHeaderSize = 514,
    errFileNotOpen = 515,
    errBitsPerSample = 516,
    errSaveTmpFile = 517,
    errWavBuffer = 518,
    errReopenFile = 519,
    errArrayLength = 520,
    errSamplingRate = 521,
    errClipAccess = 522,
    errClipEmpty = 523,
    errFileEmpty = 524,
};

// Codes up to this one are the media device's, passed through unchanged.
inline constexpr int32_t kLastMediaErrorCode = 512;
