// A sound: frames of one format, held as a list of pieces over byte sources (the mapped file,
// recorded blocks), so that deleting or inserting costs in proportion to the change, not to the
// sound. Not thread-safe: its owner guards it.
#pragma once

#include "mci/byte_source.h"
#include "mci/wave_format.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class Sound {
  public:
    explicit Sound(WaveFormat format);

    const WaveFormat &format() const { return m_format; }
    uint64_t frameCount() const { return m_frameCount; }

    // Appends frameCount frames that start at byte offset in source.
    void append(std::shared_ptr<const ByteSource> source, uint64_t offset, uint64_t frameCount);
    // Inserts whole frames of this sound's format before frame `at` (at <= frameCount()).
    void insert(uint64_t at, std::shared_ptr<const ByteSource> frames);
    // Removes frames [first, last), first <= last <= frameCount().
    void erase(uint64_t first, uint64_t last);
    // Copies frames from `first` into out, whole frames only; returns the frames copied (fewer
    // than asked only at the end of the sound).
    uint64_t readFrames(uint64_t first, std::span<std::byte> out) const;

    // Where the bytes of all the frames lie, in order: one run of a source per piece.
    struct ByteRun {
        const ByteSource &source;
        uint64_t offset;
        uint64_t length;
    };
    std::vector<ByteRun> byteRuns() const;

  private:
    struct Piece {
        std::shared_ptr<const ByteSource> source;
        uint64_t offset;
        uint64_t frameCount;
    };
    // Splits the piece holding `frame` so that a piece starts there; gives that piece's index
    // (the number of pieces when frame is the end).
    std::size_t splitAt(uint64_t frame);

    WaveFormat m_format;
    std::vector<Piece> m_pieces;
    uint64_t m_frameCount = 0;
};
