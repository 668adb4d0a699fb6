// The samples of a working copy, loaded whole into a CWavBuffer. The header size is measured on
// the working copy itself, since the device writes its own header whatever the host's file had.
#pragma once

#include "wavedata/wav_buffer.h"

#include <cstdint>
#include <string>

class LoadedSamples {
  public:
    // Loads workFile; ok() is false when it cannot be loaded, has no data tag, or holds fewer
    // than count samples of bits each after its header.
    LoadedSamples(const std::string &workFile, int bits, int32_t count);

    bool ok() const { return m_ok; }
    uint8_t *samples() { return m_buffer.m_pData + m_headerSize; }
    const CWavBuffer &buffer() const { return m_buffer; }

  private:
    CWavBuffer m_buffer;
    int32_t m_headerSize = 0;
    bool m_ok = false;
};
