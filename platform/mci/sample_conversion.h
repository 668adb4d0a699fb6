// Conversion between a sound's stored samples and the 32-bit float samples (-1 to 1) that the
// audio back ends take and give. 8-bit samples are converted here so that the back end never
// pads an unsigned stream with zeros, which would be a full-scale click.
#pragma once

#include "mci/wave_format.h"

#include <cstddef>
#include <span>

// Converts whole frames of raw (in format) to interleaved floats; out holds at least
// raw.size() / bytesPerSample floats.
void samplesToFloat(const WaveFormat &format, std::span<const std::byte> raw, std::span<float> out);

// Converts interleaved floats to raw samples of format, clipping to the format's range; out holds
// at least in.size() * bytesPerSample bytes.
void floatToSamples(const WaveFormat &format, std::span<const float> in, std::span<std::byte> out);
