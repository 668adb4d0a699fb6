// The samples of a working copy, loaded whole into a CWavBuffer. They start after the device's
// plain header, which it writes into every working copy whatever the host's file had.
#pragma once

#include "mci/wave_file.h"
#include "wavedata/wav_buffer.h"

#include <cstdint>
#include <functional>
#include <string>

class LoadedSamples {
  public:
    // Loads workFile; ok() is false when it cannot be loaded or holds fewer than count samples
    // of bits each after its header.
    LoadedSamples(const std::string &workFile, int bits, int32_t count);

    bool ok() const { return m_ok; }
    uint8_t *samples() { return m_buffer.m_pData + kPlainWaveHeaderSize; }
    const CWavBuffer &buffer() const { return m_buffer; }

  private:
    CWavBuffer m_buffer;
    bool m_ok = false;
};

// The edit step of an operation on all the samples of the working copy: loads them (518 when it
// cannot), lets change work on them (false: the break key stopped it), and with writeBack writes
// the copy back (517 when that fails, the copy as the device saved it then staying whole).
enum class WriteBack : bool { No, Yes };
std::function<int32_t(const std::string &workFile)>
EditSamples(int bits, int32_t count, WriteBack writeBack, std::function<bool(uint8_t *)> change);
