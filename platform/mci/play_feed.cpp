// Reading a play's frames from the sound into the stream's buffers.
#include "mci/play_feed.h"

#include "mci/sample_conversion.h"

#include <algorithm>
#include <new>
#include <utility>

void PlayFeed::start(FrameRange range) {
    m_feed = range;
    m_queued = {0, 0};
    m_handedOver = 0;
    m_bufferFrames = 0;
    m_draining = false;
    m_failed = false;
}

void PlayFeed::clear() {
    m_feed = {0, 0};
    m_queued = {0, 0};
}

uint64_t PlayFeed::queue(FrameRange range) {
    m_queued = range;
    return m_handedOver + (m_feed.last - m_feed.first);
}

uint64_t PlayFeed::framesLeftOfLast() const {
    const FrameRange &last = hasQueued() ? m_queued : m_feed;
    return last.last - last.first;
}

void PlayFeed::dropLast() {
    if (hasQueued())
        m_queued = {0, 0};
    else
        m_feed = {0, 0};
}

std::size_t PlayFeed::fill(const Sound &sound, std::span<float> out) {
    const uint16_t channels = sound.format().channels;
    const uint64_t room = out.size() / channels;
    m_bufferFrames = room;
    const std::size_t frames =
        fillFromRanges(sound, out.first(static_cast<std::size_t>(room * channels)));
    m_handedOver += frames;
    // Fewer frames than room end the stream once they have played.
    m_draining = frames < room;
    return frames;
}

std::size_t PlayFeed::holdOpen(std::span<float> out, std::size_t frames) {
    const std::size_t channels = out.size() / m_bufferFrames;
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(frames * channels), out.end(), 0.0f);
    m_handedOver += m_bufferFrames - frames;
    m_draining = false;
    return static_cast<std::size_t>(m_bufferFrames);
}

std::size_t PlayFeed::fillFromRanges(const Sound &sound, std::span<float> out) {
    const WaveFormat &format = sound.format();
    const uint64_t room = out.size() / format.channels;
    uint64_t given = 0;
    while (given < room) {
        if (!holdsFrames(m_feed)) {
            if (!holdsFrames(m_queued))
                break;
            m_feed = std::exchange(m_queued, {0, 0});
        }
        const uint64_t wanted = std::min(room - given, m_feed.last - m_feed.first);
        try {
            m_bytes.resize(static_cast<std::size_t>(wanted * format.bytesPerFrame()));
        } catch (const std::bad_alloc &) {
            m_failed = true;
            break;
        }
        const uint64_t frames = sound.readFrames(m_feed.first, m_bytes);
        samplesToFloat(
            format,
            std::span(m_bytes).first(static_cast<std::size_t>(frames * format.bytesPerFrame())),
            out.subspan(static_cast<std::size_t>(given * format.channels),
                        static_cast<std::size_t>(frames * format.channels)));
        m_feed.first += frames;
        given += frames;
        if (frames < wanted)
            break;
    }
    return static_cast<std::size_t>(given);
}
