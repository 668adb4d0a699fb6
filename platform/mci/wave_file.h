// Reading a WAV file into a Sound, and saving a Sound as a WAV file.
#pragma once

#include "mci/byte_source.h"
#include "mci/sound.h"
#include "mci/wave_error.h"

#include <cstddef>
#include <memory>
#include <string>

// The plain header that saveWaveFile writes before the samples: RIFF, fmt of 16 bytes, data.
inline constexpr std::size_t kPlainWaveHeaderSize = 44;

// Walks the RIFF chunks of source and gives the sound of its data chunk (not copied: the sound's
// piece refers to source). PCM 8, 16, 24 and 32 bits, 32-bit float and the extensible format.
WaveResult<Sound> readWave(std::shared_ptr<const ByteSource> source);

// Maps the file at path and reads it with readWave.
WaveResult<Sound> openWaveFile(const std::string &path);

// Writes sound to path as a WAV file with the plain header, atomically: a temporary file
// in the same folder, fsync, rename. On failure path is left as it was. Safe when path is the
// file that sound's pieces map.
struct WaveSaved {};
WaveResult<WaveSaved> saveWaveFile(const Sound &sound, const std::string &path);
