// How the sample-level operations read, write and scale the 8- and 16-bit samples of a WAV
// file's data, and the byte ranges of frame positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// Sample i of data (8-bit: the unsigned byte, not shifted; 16-bit: the signed value).
int16_t ReadSample(const uint8_t *data, int bits, std::size_t i);
// Stores value as sample i (8-bit: its low-order byte).
void WriteSample(uint8_t *data, int bits, std::size_t i, int16_t value);

// Multiplies each sample's distance from the zero level (128 or 0) by factor, truncating
// toward zero and clipping; a negative factor counts as 0.
void ScaleSamples(uint8_t *data, int bits, std::size_t count, float factor);

// Frames From through To of a sound of `length` frames after the clamping that Copy and Paste
// share; nullopt when the clamped range is empty.
struct ClampedFrames {
    int32_t from;
    int32_t to;
};
std::optional<ClampedFrames> ClampFrameRange(int32_t From, int32_t To, int32_t length);

// Average bytes per second for a header: bits x channels x rate / 8, truncated.
uint32_t AverageBytesPerSecond(int bits, int channels, int32_t rate);
