// The piece list of a sound. Pieces are few (one per file mapped, recording made or cut), so
// finding the piece of a frame walks the list.
#include "mci/sound.h"

#include <algorithm>
#include <cstring>

Sound::Sound(WaveFormat format)
    : m_format(format) {
}

void Sound::append(std::shared_ptr<const ByteSource> source, uint64_t offset, uint64_t frameCount) {
    if (frameCount == 0)
        return;
    m_pieces.push_back({std::move(source), offset, frameCount});
    m_frameCount += frameCount;
}

std::size_t Sound::splitAt(uint64_t frame) {
    std::size_t index = 0;
    for (uint64_t start = 0; index < m_pieces.size(); ++index) {
        Piece &piece = m_pieces[index];
        if (frame == start)
            return index;
        if (frame < start + piece.frameCount) {
            const uint64_t head = frame - start;
            Piece tail{piece.source, piece.offset + head * m_format.bytesPerFrame(),
                       piece.frameCount - head};
            piece.frameCount = head;
            m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                            std::move(tail));
            return index + 1;
        }
        start += piece.frameCount;
    }
    return index;
}

void Sound::insert(uint64_t at, std::shared_ptr<const ByteSource> frames) {
    const uint64_t count = frames->size() / m_format.bytesPerFrame();
    if (count == 0)
        return;
    const std::size_t index = splitAt(std::min(at, m_frameCount));
    m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(index),
                    Piece{std::move(frames), 0, count});
    m_frameCount += count;
}

void Sound::erase(uint64_t first, uint64_t last) {
    last = std::min(last, m_frameCount);
    if (first >= last)
        return;
    const std::size_t from = splitAt(first);
    const std::size_t to = splitAt(last);
    m_pieces.erase(m_pieces.begin() + static_cast<std::ptrdiff_t>(from),
                   m_pieces.begin() + static_cast<std::ptrdiff_t>(to));
    m_frameCount -= last - first;
}

uint64_t Sound::readFrames(uint64_t first, std::span<std::byte> out) const {
    const uint64_t frameBytes = m_format.bytesPerFrame();
    uint64_t wanted = out.size() / frameBytes;
    uint64_t copied = 0;
    uint64_t start = 0;
    for (const Piece &piece : m_pieces) {
        if (wanted == 0)
            break;
        const uint64_t end = start + piece.frameCount;
        if (first < end) {
            const uint64_t skip = first - start;
            const uint64_t take = std::min(wanted, piece.frameCount - skip);
            const auto bytes = piece.source->bytes(piece.offset + skip * frameBytes,
                                                   static_cast<std::size_t>(take * frameBytes));
            std::memcpy(out.data() + copied * frameBytes, bytes.data(), bytes.size());
            copied += take;
            first += take;
            wanted -= take;
        }
        start = end;
    }
    return copied;
}

std::vector<Sound::ByteRun> Sound::byteRuns() const {
    std::vector<ByteRun> runs;
    runs.reserve(m_pieces.size());
    for (const Piece &piece : m_pieces)
        runs.push_back({*piece.source, piece.offset, piece.frameCount * m_format.bytesPerFrame()});
    return runs;
}
