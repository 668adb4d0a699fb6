// CWavBuffer: one byte range of a file, loaded into one movable memory block for the length
// of one sample-level operation.
#pragma once

#include "files/movable_memory.h"
#include "files/open_file.h"

#include <cstdint>

class CWavBuffer {
  public:
    CWavBuffer();
    ~CWavBuffer();
    CWavBuffer(const CWavBuffer &) = delete;
    CWavBuffer &operator=(const CWavBuffer &) = delete;

    // Loads the bytes first to last inclusive (last -1: the file's last byte), clamped to the
    // file. Nonzero on success; on failure (the break key stopping a long load too) the buffer
    // is empty.
    BOOL Load(const char *path, int32_t first, int32_t last);
    // Gives the block back; harmless on an empty buffer.
    void Free();

    uint8_t *m_pData;
    HGLOBAL m_hData;
    OFSTRUCT m_ofs;
    int32_t m_nSize;

  private:
    // The file's size through m_ofs, or -1.
    int32_t ReopenedSize();
    bool Allocate(int32_t bytes);
    bool ReadRange(int32_t first, int32_t bytes);
};
