// The frames of the sound still to go to a play stream: a range being handed over, then at
// most one queued behind it (a play that joined the last frames of the one before). Once the
// stream has been given fewer frames than it had room for it drains, and takes nothing more.
// Not synchronised: its owner's lock guards it.
#pragma once

#include "mci/sound.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct FrameRange {
    uint64_t first;
    uint64_t last; // not included
};

inline bool holdsFrames(const FrameRange &range) {
    return range.first != range.last;
}

class PlayFeed {
  public:
    // A new stream that plays range.
    void start(FrameRange range);
    // Hands nothing more over.
    void clear();

    // Whether a range can still queue behind the one being handed over.
    bool canQueue() const { return !m_draining && !m_failed && !holdsFrames(m_queued); }
    // Queues range (canQueue() must hold); gives the stream's frame count at which it starts.
    uint64_t queue(FrameRange range);
    bool hasQueued() const { return holdsFrames(m_queued); }
    // Frames of the last range, the queued one if any, still to hand over.
    uint64_t framesLeftOfLast() const;
    // Hands over no more of the last range.
    void dropLast();

    // Fills out from sound, as one buffer of the stream; returns the frames written. Without
    // memory it writes fewer, which drains the stream, and failed() says so.
    std::size_t fill(const Sound &sound, std::span<float> out);

    // After a fill that gave out fewer frames than it had room for: fills the rest with silence
    // and keeps the stream open for one buffer more, in which a range can still queue. Gives the
    // frames written, silence included.
    std::size_t holdOpen(std::span<float> out, std::size_t frames);

    uint64_t handedOver() const { return m_handedOver; }
    // The room the stream gave in its last buffer.
    uint64_t bufferFrames() const { return m_bufferFrames; }
    bool draining() const { return m_draining; }
    bool failed() const { return m_failed; }
    // The frame of the sound to be handed over next.
    uint64_t nextFrame() const { return m_feed.first; }

  private:
    std::size_t fillFromRanges(const Sound &sound, std::span<float> out);

    FrameRange m_feed{0, 0};
    FrameRange m_queued{0, 0};
    uint64_t m_handedOver = 0;
    uint64_t m_bufferFrames = 0;
    bool m_draining = false;
    bool m_failed = false;
    std::vector<std::byte> m_bytes;
};
