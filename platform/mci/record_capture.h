// What a record has captured, and where it goes in the sound: frames go in at the record's
// place in blocks, so that the sound gains a piece every few seconds rather than one per audio
// buffer, and a record with an end takes no frame past it. Not synchronised: its owner's lock
// guards it.
#pragma once

#include "mci/sound.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class RecordCapture {
  public:
    explicit RecordCapture(WaveFormat format)
        : m_format(format) {}

    // Starts capturing into the sound at `at`: frameCount frames, or without end.
    void start(uint64_t at, std::optional<uint64_t> frameCount);

    enum class Taken : uint8_t { More, Complete, OutOfMemory };
    // Keeps the frames of in that the record still takes, putting a full block into sound.
    // Complete once the record has all its frames; OutOfMemory keeps none of them.
    Taken take(std::span<const float> in, Sound &sound);
    // Puts the frames kept into sound at their place.
    void flushInto(Sound &sound);

    // The frame of the sound after the last one captured.
    uint64_t position() const { return m_at + m_captured; }
    uint64_t captured() const { return m_captured; }
    // Captured frames not yet in the sound.
    uint64_t framesKept() const { return m_block.size() / m_format.bytesPerFrame(); }

  private:
    const WaveFormat m_format;
    uint64_t m_at = 0;
    uint64_t m_captured = 0;
    uint64_t m_inserted = 0; // of which already in the sound
    std::optional<uint64_t> m_limit;
    std::vector<std::byte> m_block; // captured, not yet inserted
};
