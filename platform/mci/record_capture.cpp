// Turning a record's captured floats into the sound's samples, block by block.
#include "mci/record_capture.h"

#include "mci/sample_conversion.h"

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

} // namespace

void RecordCapture::start(uint64_t at, std::optional<uint64_t> frameCount) {
    m_at = at;
    m_captured = 0;
    m_inserted = 0;
    m_limit = frameCount;
    m_block.clear();
}

RecordCapture::Taken RecordCapture::take(std::span<const float> in, Sound &sound) {
    uint64_t frames = in.size() / m_format.channels;
    if (m_limit)
        frames = std::min(frames, *m_limit - m_captured);
    const std::size_t at = m_block.size();
    try {
        m_block.resize(at + static_cast<std::size_t>(frames * m_format.bytesPerFrame()));
        floatToSamples(m_format, in.first(static_cast<std::size_t>(frames * m_format.channels)),
                       std::span(m_block).subspan(at));
        m_captured += frames;
        if (m_block.size() >= kBlockBytes)
            flushInto(sound);
    } catch (const std::bad_alloc &) {
        m_block.resize(at);
        return Taken::OutOfMemory;
    }
    return m_limit && m_captured == *m_limit ? Taken::Complete : Taken::More;
}

void RecordCapture::flushInto(Sound &sound) {
    if (m_block.empty())
        return;
    const uint64_t frames = framesKept();
    sound.insert(m_at + m_inserted, makeMemorySource(std::exchange(m_block, {})));
    m_inserted += frames;
}
