// Playing and recording a session's sound through the back end. A stream's callbacks find the
// session through a weak pointer and act only while their stream is the live one, so a stream
// that was stopped, replaced or closed can still finish a callback harmlessly.
#include "mci/wave_session.h"

#include "base/break_key.h"
#include "mci/mci_constants.h"
#include "mci/mci_trace.h"

#include <chrono>

namespace {

// The last frames of an ended play take a few buffers; a back end that never reports their end
// cannot hold a command longer than this.
constexpr auto kLastFramesWait = std::chrono::seconds(1);

} // namespace

WaveSession::WaveSession(UINT deviceId, Sound sound, AudioBackend &backend)
    : m_deviceId(deviceId)
    , m_format(sound.format())
    , m_backend(backend)
    , m_sound(std::move(sound)) {
}

uint64_t WaveSession::length() const {
    const std::lock_guard lock(m_lock);
    return m_sound.frameCount() + m_capture.framesKept();
}

uint64_t WaveSession::position() const {
    const uint64_t done = framesDone();
    const std::lock_guard lock(m_lock);
    return positionLocked(done);
}

SessionMode WaveSession::mode() const {
    const std::lock_guard lock(m_lock);
    return m_mode;
}

uint64_t WaveSession::positionLocked(uint64_t framesDone) const {
    if (m_runningStream == 0)
        return m_position;
    return m_activity == Activity::Record ? m_capture.position() : m_play.position(framesDone);
}

void WaveSession::finishLocked(WPARAM flag, NoticesToPost &posts) {
    m_capture.flushInto(m_sound);
    m_runningStream = 0;
    m_mode = SessionMode::Stopped;
    if (const auto notice = m_pending.take())
        posts.push_back({*notice, flag});
    m_ended.notify_all();
}

uint64_t WaveSession::framesDone() const {
    return m_stream ? m_stream->framesDone() : 0;
}

std::unique_ptr<AudioStream> WaveSession::endStreamLocked(uint64_t framesDone,
                                                          NoticesToPost &posts) {
    if (m_runningStream != 0) {
        m_position = positionLocked(framesDone);
        finishLocked(MCI_NOTIFY_ABORTED, posts);
        mciTrace("device %u stopped at frame %llu", m_deviceId,
                 static_cast<unsigned long long>(m_position));
    }
    m_liveStream = 0;
    m_feed.clear();
    return std::move(m_stream);
}

// The host was told that the play had ended, so its last frames are heard before the stream
// goes, as they would have been had it ended a little later. A play that joined them and has
// barely started ends here, where it has got to, and the stream drains after what it was handed.
void WaveSession::letLastFramesPlay(NoticesToPost &posts) {
    const uint64_t done = framesDone();
    std::unique_lock lock(m_lock);
    if (m_activity != Activity::Play || m_mode == SessionMode::Paused)
        return;
    if (m_runningStream != 0) {
        if (!m_play.justJoined(m_feed))
            return;
        m_position = positionLocked(done);
        finishLocked(MCI_NOTIFY_ABORTED, posts);
        m_feed.dropLast();
    }
    m_ended.wait_for(lock, kLastFramesWait, [this] { return m_liveStream == 0; });
}

void WaveSession::stop(NoticesToPost &posts) {
    letLastFramesPlay(posts);
    const uint64_t done = framesDone();
    std::unique_ptr<AudioStream> stopped;
    {
        const std::lock_guard lock(m_lock);
        stopped = endStreamLocked(done, posts);
    }
    // Destroyed with m_lock released: the destructor waits for callbacks, which take it.
    stopped.reset();
}

void WaveSession::supersede(NoticesToPost &posts) {
    const std::lock_guard lock(m_lock);
    if (const auto notice = m_pending.take())
        posts.push_back({*notice, MCI_NOTIFY_SUPERSEDED});
}

void WaveSession::endRunning(bool supersedeNotice, NoticesToPost &posts) {
    if (supersedeNotice)
        supersede(posts);
    stop(posts);
}

void WaveSession::completeAtOnce(uint64_t position, std::optional<CompletionNotice> notice,
                                 NoticesToPost &posts) {
    {
        const std::lock_guard lock(m_lock);
        m_position = position;
    }
    if (notice)
        posts.push_back({*notice, MCI_NOTIFY_SUCCESSFUL});
}

DeviceResult<uint64_t> WaveSession::adoptStream(uint64_t streamId,
                                                std::unique_ptr<AudioStream> stream,
                                                DeviceFault unavailable) {
    if (!stream) {
        const std::lock_guard lock(m_lock);
        if (m_runningStream == streamId) {
            m_runningStream = 0;
            m_liveStream = 0;
            m_mode = SessionMode::Stopped;
            m_pending.take();
            m_ended.notify_all();
        }
        return unavailable;
    }
    m_stream = std::move(stream);
    return streamId;
}

// Starts a play or record; a new stream takes its id, and from then on only that stream's
// callbacks count.
uint64_t WaveSession::beginRunLocked(Activity activity, std::optional<CompletionNotice> notice) {
    m_runningStream = ++m_lastId;
    m_activity = activity;
    m_mode = activity == Activity::Play ? SessionMode::Playing : SessionMode::Recording;
    if (notice)
        m_pending.replace(*notice);
    return m_runningStream;
}

StreamEnded WaveSession::endedCallback(uint64_t streamId) {
    return [session = weak_from_this(), streamId](StreamEnd end) {
        if (const auto self = session.lock())
            self->streamEnded(streamId, end);
    };
}

// Nothing runs, and the stream of the play before is still being handed its last frames: the
// new play queues behind them.
bool WaveSession::followOnLocked(FrameRange range, std::optional<CompletionNotice> notice) {
    if (m_runningStream != 0 || m_liveStream == 0 || m_activity != Activity::Play ||
        !m_feed.canQueue())
        return false;
    m_play.join(range, m_feed.queue(range));
    beginRunLocked(Activity::Play, notice);
    return true;
}

DeviceResult<uint64_t> WaveSession::play(FrameRange range, std::optional<CompletionNotice> notice,
                                         NoticesToPost &posts) {
    if (range.first != range.last) {
        const std::lock_guard lock(m_lock);
        if (followOnLocked(range, notice)) {
            mciTrace("device %u plays frames %llu to %llu in the open stream", m_deviceId,
                     static_cast<unsigned long long>(range.first),
                     static_cast<unsigned long long>(range.last));
            return m_runningStream;
        }
    }
    endRunning(notice.has_value(), posts);
    if (range.first == range.last) {
        completeAtOnce(range.last, notice, posts);
        return uint64_t{0};
    }
    uint64_t streamId = 0;
    {
        const std::lock_guard lock(m_lock);
        m_play.startStream(range);
        m_feed.start(range);
        m_liveStream = streamId = beginRunLocked(Activity::Play, notice);
    }
    mciTrace("device %u plays frames %llu to %llu", m_deviceId,
             static_cast<unsigned long long>(range.first),
             static_cast<unsigned long long>(range.last));
    PullFrames pull = [session = weak_from_this(), streamId](std::span<float> out) {
        const auto self = session.lock();
        return self ? self->pullFrames(streamId, out) : std::size_t{0};
    };
    return adoptStream(streamId,
                       m_backend.play({m_format.samplesPerSec, m_format.channels}, std::move(pull),
                                      endedCallback(streamId)),
                       DeviceFault::OutputUnavailable);
}

DeviceResult<uint64_t> WaveSession::record(uint64_t at, std::optional<uint64_t> frameCount,
                                           std::optional<CompletionNotice> notice,
                                           NoticesToPost &posts) {
    endRunning(notice.has_value(), posts);
    if (frameCount == uint64_t{0}) {
        completeAtOnce(at, notice, posts);
        return uint64_t{0};
    }
    uint64_t streamId = 0;
    {
        const std::lock_guard lock(m_lock);
        m_capture.start(at, frameCount);
        m_liveStream = streamId = beginRunLocked(Activity::Record, notice);
    }
    mciTrace("device %u records at frame %llu", m_deviceId, static_cast<unsigned long long>(at));
    PushFrames push = [session = weak_from_this(), streamId](std::span<const float> in) {
        if (const auto self = session.lock())
            self->pushFrames(streamId, in);
    };
    return adoptStream(streamId,
                       m_backend.record({m_format.samplesPerSec, m_format.channels},
                                        std::move(push), endedCallback(streamId)),
                       DeviceFault::InputUnavailable);
}

std::size_t WaveSession::pullFrames(uint64_t streamId, std::span<float> out) {
    NoticesToPost posts;
    std::size_t frames = 0;
    {
        const std::lock_guard lock(m_lock);
        if (streamId != m_liveStream || m_feed.draining())
            return 0;
        frames = m_feed.fill(m_sound, out);
        // The host has had no time to answer a notice told in the buffer that drains: the
        // stream waits a buffer for its play.
        if (endPlayBeforeItsLastFramesLocked(posts) && m_feed.draining())
            frames = m_feed.holdOpen(out, frames);
    }
    postNotices(posts);
    return frames;
}

// The host has until the stream asks for the next buffer to answer the notice with a play that
// joins the last frames.
bool WaveSession::endPlayBeforeItsLastFramesLocked(NoticesToPost &posts) {
    if (m_runningStream == 0 || m_activity != Activity::Play ||
        !m_play.endsBeforeItsLastFrames(m_feed))
        return false;
    m_position = m_play.end();
    finishLocked(MCI_NOTIFY_SUCCESSFUL, posts);
    mciTrace("device %u play ended, %llu frames still to go to the stream", m_deviceId,
             static_cast<unsigned long long>(m_feed.framesLeftOfLast()));
    return true;
}

void WaveSession::pushFrames(uint64_t streamId, std::span<const float> in) {
    NoticesToPost posts;
    {
        const std::lock_guard lock(m_lock);
        if (streamId != m_runningStream)
            return;
        const RecordCapture::Taken taken = m_capture.take(in, m_sound);
        if (taken == RecordCapture::Taken::More)
            return;
        m_position = m_capture.position();
        const bool complete = taken == RecordCapture::Taken::Complete;
        finishLocked(complete ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE, posts);
        if (complete)
            mciTrace("device %u recorded %llu frames", m_deviceId,
                     static_cast<unsigned long long>(m_capture.captured()));
    }
    postNotices(posts);
}

void WaveSession::streamEnded(uint64_t streamId, StreamEnd end) {
    NoticesToPost posts;
    {
        const std::lock_guard lock(m_lock);
        if (streamId != m_liveStream)
            return;
        m_liveStream = 0;
        m_ended.notify_all();
        if (m_runningStream == 0)
            return;
        const bool failed = end == StreamEnd::Failed || m_feed.failed();
        if (m_activity == Activity::Record)
            m_position = m_capture.position();
        else
            m_position = !failed              ? m_play.end()
                         : m_feed.hasQueued() ? m_play.first()
                                              : m_feed.nextFrame();
        finishLocked(failed ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL, posts);
        mciTrace("device %u stream ended (%s) at frame %llu", m_deviceId,
                 failed ? "failed" : "drained", static_cast<unsigned long long>(m_position));
    }
    postNotices(posts);
}

DeviceResult<Ok> WaveSession::pause() {
    {
        const std::lock_guard lock(m_lock);
        if (m_mode == SessionMode::Paused)
            return Ok{};
        if (m_mode != SessionMode::Playing && m_mode != SessionMode::Recording)
            return DeviceFault::NotApplicable;
        m_mode = SessionMode::Paused;
    }
    if (m_stream)
        m_stream->pause();
    return Ok{};
}

DeviceResult<Ok> WaveSession::resume() {
    {
        const std::lock_guard lock(m_lock);
        if (m_mode != SessionMode::Paused)
            return DeviceFault::NotApplicable;
        m_mode = m_activity == Activity::Record ? SessionMode::Recording : SessionMode::Playing;
    }
    if (m_stream)
        m_stream->resume();
    return Ok{};
}

// A seek after a play has ended leaves its stream alone: a play that follows joins it.
void WaveSession::seek(uint64_t frame, NoticesToPost &posts) {
    if (mode() != SessionMode::Stopped)
        stop(posts);
    const std::lock_guard lock(m_lock);
    m_position = frame;
}

// The cut comes first and the play or record ends only after it, under the same lock: a cut
// that runs out of memory leaves both as they were, and no callback sees the shortened sound
// with the old stream's cursor. The position keeps to the same sound: after the cut it moves
// back by the frames removed, inside the cut it moves to where the cut was.
void WaveSession::erase(FrameRange range, NoticesToPost &posts) {
    letLastFramesPlay(posts);
    const uint64_t done = framesDone();
    std::unique_ptr<AudioStream> stopped;
    {
        const std::lock_guard lock(m_lock);
        // Recorded frames still waiting go in at their place in the sound before the cut.
        m_capture.flushInto(m_sound);
        m_sound.erase(range.first, range.last);
        stopped = endStreamLocked(done, posts);
        if (m_position >= range.last)
            m_position -= range.last - range.first;
        else if (m_position > range.first)
            m_position = range.first;
    }
    stopped.reset();
}

// The sound is written as it stands when the command comes, from a copy of its list of pieces
// (their bytes are read-only and shared), so a play goes on while the disk works and a save
// that fails leaves it running. Only a save that succeeded ends the play or record.
DeviceResult<Ok> WaveSession::save(const SaveSound &saveSound, const std::string &path,
                                   NoticesToPost &posts) {
    const Sound sound = [this] {
        const std::lock_guard lock(m_lock);
        m_capture.flushInto(m_sound);
        return m_sound;
    }();
    const WaveResult<WaveSaved> saved = saveSound(sound, path);
    if (!saved.ok()) {
        mciTrace("device %u not saved: %s", m_deviceId, saved.error().reason.c_str());
        if (saved.error().kind == WaveError::Kind::Broken)
            return DeviceFault::WaitBroken;
        // A permission problem is told apart: more space or a network would not help there.
        return saved.error().kind == WaveError::Kind::NotWritable ? DeviceFault::FileNotWritable
                                                                  : DeviceFault::FileNotSaved;
    }
    stop(posts);
    return Ok{};
}

bool WaveSession::waitUntilEnded(uint64_t runId) {
    // The press wakes the wait under m_lock, so it cannot fall between a check and the sleep.
    const BreakKeyWatch breakKey([this] {
        const std::lock_guard lock(m_lock);
        m_ended.notify_all();
    });
    std::unique_lock lock(m_lock);
    m_ended.wait(lock, [&] { return m_runningStream != runId || BreakKeyPressed(); });
    return m_runningStream != runId;
}
