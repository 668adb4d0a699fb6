// Where the running play lies in its stream: from the stream's first frame, or behind the last
// frames of the play before it (a follow-on, which leaves no hole between the two). The play
// ends, and its notice goes out, once less than a buffer of it is left to hand over.
#pragma once

#include "mci/play_feed.h"

#include <algorithm>
#include <cstdint>

class PlayInStream {
  public:
    PlayInStream() = default;
    void startStream(FrameRange range) { *this = PlayInStream(range, 0); }
    // The play joins a stream at its frame count startsAt (> 0).
    void join(FrameRange range, uint64_t startsAt) { *this = PlayInStream(range, startsAt); }

    uint64_t first() const { return m_range.first; }
    uint64_t end() const { return m_range.last; }
    // The play's position once the stream has played framesDone frames.
    uint64_t position(uint64_t framesDone) const {
        if (framesDone <= m_startsAt)
            return m_range.first;
        return std::min(m_range.first + (framesDone - m_startsAt), m_range.last);
    }
    // Its end is told once less than a buffer of it is left to hand over, even in the buffer
    // that starts it: a play that follows then still joins it, however short it is.
    bool endsBeforeItsLastFrames(const PlayFeed &feed) const {
        return !feed.failed() && feed.framesLeftOfLast() < feed.bufferFrames();
    }
    // A follow-on of which fewer than two buffers have been handed over: the frames of the play
    // before may still be in the device.
    bool justJoined(const PlayFeed &feed) const {
        return m_startsAt > 0 && feed.handedOver() < m_startsAt + 2 * feed.bufferFrames();
    }

  private:
    PlayInStream(FrameRange range, uint64_t startsAt)
        : m_range(range)
        , m_startsAt(startsAt) {}

    FrameRange m_range{0, 0};
    uint64_t m_startsAt = 0; // the stream's frame count when the play's first frame goes
};
