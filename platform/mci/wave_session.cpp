// Playing and recording a session's sound through the back end. A stream's callbacks find the
// session through a weak pointer and act only while their stream is the live one, so a stream
// that was stopped, replaced or closed can still finish a callback harmlessly.
#include "mci/wave_session.h"

#include "base/break_key.h"
#include "mci/mci_constants.h"
#include "mci/mci_trace.h"
#include "mci/sample_conversion.h"

#include <algorithm>
#include <chrono>
#include <new>

namespace {

// Captured frames go into the sound in blocks of this size, so that the sound gains a piece
// every few seconds rather than one per audio buffer.
constexpr std::size_t kRecordBlockBytes = std::size_t{1} << 20;

// The last frames of an ended play take a few buffers; a back end that never reports their end
// cannot hold a command longer than this.
constexpr auto kLastFramesWait = std::chrono::seconds(1);

bool holdsFrames(const FrameRange &range) {
    return range.first != range.last;
}

} // namespace

WaveSession::WaveSession(UINT deviceId, Sound sound, AudioBackend &backend)
    : m_deviceId(deviceId)
    , m_format(sound.format())
    , m_backend(backend)
    , m_sound(std::move(sound)) {
}

std::size_t WaveSession::bytesOf(uint64_t frames) const {
    return static_cast<std::size_t>(frames * m_format.bytesPerFrame());
}

uint64_t WaveSession::length() const {
    const std::lock_guard lock(m_lock);
    return m_sound.frameCount() + m_recordBlock.size() / m_format.bytesPerFrame();
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
    if (m_activity == Activity::Record)
        return m_recordAt + m_recorded;
    if (framesDone <= m_playStartsAt)
        return m_playStart;
    return std::min(m_playStart + (framesDone - m_playStartsAt), m_playEnd);
}

void WaveSession::finishLocked(WPARAM flag, NoticesToPost &posts) {
    flushRecordingLocked();
    m_runningStream = 0;
    m_mode = SessionMode::Stopped;
    if (const auto notice = m_pending.take())
        posts.push_back({*notice, flag});
    m_ended.notify_all();
}

void WaveSession::flushRecordingLocked() {
    if (m_recordBlock.empty())
        return;
    const uint64_t frames = m_recordBlock.size() / m_format.bytesPerFrame();
    m_sound.insert(m_recordAt + m_recordInserted,
                   makeMemorySource(std::exchange(m_recordBlock, {})));
    m_recordInserted += frames;
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
    m_feed = {0, 0};
    m_queued = {0, 0};
    return std::move(m_stream);
}

// The host was told that the play had ended, so its last frames are heard before the stream
// goes, as they would have been had it ended a little later.
void WaveSession::letLastFramesPlay() {
    std::unique_lock lock(m_lock);
    if (m_runningStream == 0 && m_activity == Activity::Play)
        m_ended.wait_for(lock, kLastFramesWait, [this] { return m_liveStream == 0; });
}

void WaveSession::stop(NoticesToPost &posts) {
    letLastFramesPlay();
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
        m_streamDraining || m_streamFailed || holdsFrames(m_queued))
        return false;
    m_playStart = range.first;
    m_playEnd = range.last;
    m_playStartsAt = m_streamFrames + (m_feed.last - m_feed.first);
    m_queued = range;
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
        m_playStart = range.first;
        m_playEnd = range.last;
        m_playStartsAt = 0;
        m_streamFrames = 0;
        m_streamDraining = false;
        m_feed = range;
        m_streamFailed = false;
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
        m_recordAt = at;
        m_recorded = 0;
        m_recordInserted = 0;
        m_recordLimit = frameCount;
        m_recordBlock.clear();
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
        if (streamId != m_liveStream || m_streamDraining)
            return 0;
        const uint64_t room = out.size() / m_format.channels;
        const uint64_t fedBefore = m_streamFrames;
        frames = feedLocked(out.first(static_cast<std::size_t>(room * m_format.channels)));
        m_streamFrames += frames;
        // Fewer frames than room end the stream once they have played.
        m_streamDraining = frames < room;
        endPlayBeforeItsLastFramesLocked(room, fedBefore, posts);
    }
    postNotices(posts);
    return frames;
}

// Fills out from the range being fed, then from the one queued behind it.
std::size_t WaveSession::feedLocked(std::span<float> out) {
    const uint64_t room = out.size() / m_format.channels;
    uint64_t given = 0;
    while (given < room) {
        if (!holdsFrames(m_feed)) {
            if (!holdsFrames(m_queued))
                break;
            m_feed = std::exchange(m_queued, {0, 0});
        }
        const uint64_t wanted = std::min(room - given, m_feed.last - m_feed.first);
        try {
            m_playBytes.resize(bytesOf(wanted));
        } catch (const std::bad_alloc &) {
            // Ending the stream short makes it drain; the flag turns that into a failure.
            m_streamFailed = true;
            break;
        }
        const uint64_t frames = m_sound.readFrames(m_feed.first, m_playBytes);
        samplesToFloat(m_format, std::span(m_playBytes).first(bytesOf(frames)),
                       out.subspan(static_cast<std::size_t>(given * m_format.channels),
                                   static_cast<std::size_t>(frames * m_format.channels)));
        m_feed.first += frames;
        given += frames;
        if (frames < wanted)
            break;
    }
    return static_cast<std::size_t>(given);
}

// The running play ends, with its notice, once less than a buffer of it is left to hand over:
// the host has until the stream asks for the next buffer to answer with a play that joins
// it. A play that fits in the buffer that starts it ends when it has drained, as before, so
// that a notice never follows its play at once.
void WaveSession::endPlayBeforeItsLastFramesLocked(uint64_t room, uint64_t fedBefore,
                                                   NoticesToPost &posts) {
    if (m_runningStream == 0 || m_activity != Activity::Play || m_streamFailed ||
        fedBefore <= m_playStartsAt)
        return;
    const FrameRange &rest = holdsFrames(m_queued) ? m_queued : m_feed;
    if (rest.last - rest.first >= room)
        return;
    m_position = m_playEnd;
    finishLocked(MCI_NOTIFY_SUCCESSFUL, posts);
    mciTrace("device %u play ended, %llu frames still to go to the stream", m_deviceId,
             static_cast<unsigned long long>(rest.last - rest.first));
}

void WaveSession::pushFrames(uint64_t streamId, std::span<const float> in) {
    NoticesToPost posts;
    {
        const std::lock_guard lock(m_lock);
        if (streamId != m_runningStream)
            return;
        uint64_t frames = in.size() / m_format.channels;
        if (m_recordLimit)
            frames = std::min(frames, *m_recordLimit - m_recorded);
        const std::size_t at = m_recordBlock.size();
        try {
            m_recordBlock.resize(at + bytesOf(frames));
            floatToSamples(m_format, in.first(static_cast<std::size_t>(frames * m_format.channels)),
                           std::span(m_recordBlock).subspan(at));
            m_recorded += frames;
            if (m_recordBlock.size() >= kRecordBlockBytes)
                flushRecordingLocked();
        } catch (const std::bad_alloc &) {
            m_recordBlock.resize(at);
            m_position = m_recordAt + m_recorded;
            finishLocked(MCI_NOTIFY_FAILURE, posts);
        }
        if (m_runningStream == streamId && m_recordLimit && m_recorded == *m_recordLimit) {
            m_position = m_recordAt + m_recorded;
            finishLocked(MCI_NOTIFY_SUCCESSFUL, posts);
            mciTrace("device %u recorded %llu frames", m_deviceId,
                     static_cast<unsigned long long>(m_recorded));
        }
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
        const bool failed = end == StreamEnd::Failed || m_streamFailed;
        if (m_activity == Activity::Record)
            m_position = m_recordAt + m_recorded;
        else
            m_position = !failed ? m_playEnd : holdsFrames(m_queued) ? m_playStart : m_feed.first;
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
    letLastFramesPlay();
    const uint64_t done = framesDone();
    std::unique_ptr<AudioStream> stopped;
    {
        const std::lock_guard lock(m_lock);
        // Recorded frames still waiting go in at their place in the sound before the cut.
        flushRecordingLocked();
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
        flushRecordingLocked();
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
