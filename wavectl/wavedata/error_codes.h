// The control's own error codes, above the media device's range: the sample-level operations
// here and the control's session report them, and the control gives their texts.
#pragma once

#include <cstdint>

inline constexpr int32_t kCodeHeaderSize = 514;
inline constexpr int32_t kCodeNotOpen = 515;
inline constexpr int32_t kCodeNot8Or16Bit = 516;
inline constexpr int32_t kCodeCannotSaveTmp = 517;
inline constexpr int32_t kCodeCannotCreateBuffer = 518;
inline constexpr int32_t kCodeCannotReopen = 519;
inline constexpr int32_t kCodeInvalidArrayLength = 520;
inline constexpr int32_t kCodeInvalidSamplingRate = 521;
inline constexpr int32_t kCodeClipInaccessible = 522;
inline constexpr int32_t kCodeClipEmpty = 523;
inline constexpr int32_t kCodeEmptyFile = 524;

// Codes up to this one are the media device's, passed through unchanged.
inline constexpr int32_t kLastMediaErrorCode = 512;
