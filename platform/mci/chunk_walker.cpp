// Walking RIFF chunks: header, body, and the pad byte that keeps every chunk at an even offset.
#include "mci/chunk_walker.h"

#include "base/little_endian.h"

#include <algorithm>

ChunkWalker::ChunkWalker(const ByteSource &source, uint64_t start)
    : m_source(source)
    , m_position(std::min(start, source.size())) {
}

WaveResult<std::optional<RiffChunk>> ChunkWalker::next() {
    const uint64_t end = m_source.size();
    if (m_position == end)
        return std::optional<RiffChunk>();
    if (end - m_position < kChunkHeaderSize)
        return WaveError{WaveError::Kind::Truncated, "cut off inside a chunk header", m_position};

    const auto header = m_source.bytes(m_position, kChunkHeaderSize);
    RiffChunk chunk{loadLittle32(header, 0), loadLittle32(header, 4), m_position,
                    m_position + kChunkHeaderSize, 0};
    const uint64_t rest = end - chunk.bodyOffset;
    chunk.availableSize = std::min<uint64_t>(chunk.declaredSize, rest);
    // Odd sizes are followed by a pad byte; many writers leave it out of the file's last chunk,
    // so a missing final pad byte is not a cut.
    const uint64_t padded = uint64_t{chunk.declaredSize} + (chunk.declaredSize & 1u);
    m_position = chunk.cutOff() ? end : std::min(chunk.bodyOffset + padded, end);
    return std::optional<RiffChunk>(chunk);
}
