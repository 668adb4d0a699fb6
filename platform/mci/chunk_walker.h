// The chunks of a RIFF file, one at a time: each chunk's id, declared size and how much of its
// body the file really holds.
#pragma once

#include "mci/byte_source.h"

#include <cstdint>
#include <optional>

// A four-letter chunk id as the number its bytes make when read little-endian, so that ids
// compare as integers and are written back with the same store as any other field.
constexpr uint32_t fourCc(const char (&letters)[5]) {
    return uint32_t{static_cast<uint8_t>(letters[0])} |
           uint32_t{static_cast<uint8_t>(letters[1])} << 8 |
           uint32_t{static_cast<uint8_t>(letters[2])} << 16 |
           uint32_t{static_cast<uint8_t>(letters[3])} << 24;
}

constexpr uint64_t kChunkHeaderSize = 8;

struct RiffChunk {
    uint32_t id;
    uint32_t declaredSize;
    uint64_t headerOffset;
    uint64_t bodyOffset;
    // The part of the body inside the file: less than declaredSize when the file is cut off.
    uint64_t availableSize;

    bool cutOff() const { return availableSize < declaredSize; }
};

class ChunkWalker {
  public:
    // Walks the chunks of source from byte offset start (just after the RIFF header).
    ChunkWalker(const ByteSource &source, uint64_t start);

    // The next chunk; nothing when the file ends at a chunk boundary; Truncated when it ends
    // inside a chunk header. A chunk that runs past the end of the file is the last one given.
    WaveResult<std::optional<RiffChunk>> next();

  private:
    const ByteSource &m_source;
    uint64_t m_position;
};
