// SDL streams: frames handed to SDL are counted as done; the end of a play is the moment its
// last buffer has been handed over plus the time the device takes to play what it holds.
#include "mci/sdl_stream.h"

#include "mci/mci_trace.h"
#include "mci/stream_timing.h"

#include <SDL.h>
#include <algorithm>

std::unique_ptr<SdlStream> SdlStream::openPlay(StreamFormat format, PullFrames &pull,
                                               StreamEnded &ended,
                                               std::shared_ptr<SdlDeviceCloser> closer,
                                               std::string &why) {
    auto stream = open(format, false, std::move(closer), why);
    if (stream) {
        stream->m_pull = std::move(pull);
        stream->start(std::move(ended));
    }
    return stream;
}

std::unique_ptr<SdlStream> SdlStream::openRecord(StreamFormat format, PushFrames &push,
                                                 StreamEnded &ended,
                                                 std::shared_ptr<SdlDeviceCloser> closer,
                                                 std::string &why) {
    auto stream = open(format, true, std::move(closer), why);
    if (stream) {
        stream->m_push = std::move(push);
        stream->start(std::move(ended));
    }
    return stream;
}

std::unique_ptr<SdlStream> SdlStream::open(StreamFormat format, bool capture,
                                           std::shared_ptr<SdlDeviceCloser> closer,
                                           std::string &why) {
    std::unique_ptr<SdlStream> stream(new SdlStream(format, std::move(closer)));
    if (!stream->openDevice(capture, why))
        return nullptr;
    return stream;
}

bool SdlStream::openDevice(bool capture, std::string &why) {
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(m_format.framesPerSecond);
    wanted.format = AUDIO_F32SYS;
    wanted.channels = static_cast<Uint8>(m_format.channels);
    wanted.samples = deviceBufferFrames(m_format.framesPerSecond);
    wanted.callback = capture ? &SdlStream::captureCallback : &SdlStream::fillCallback;
    wanted.userdata = m_target.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device takes, so the callbacks always
    // see the sound's own rate and channels.
    m_device = SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &wanted, &obtained, 0);
    if (m_device == 0) {
        why = SDL_GetError();
        return false;
    }
    m_bufferFrames = obtained.samples;
    mciTrace("%s stream opened on driver %s, default device, %d Hz, %d channels, %u frames a "
             "buffer",
             capture ? "record" : "play", SDL_GetCurrentAudioDriver(), obtained.freq,
             int{obtained.channels}, m_bufferFrames);
    return true;
}

// A device opens paused, so no callback runs before the stream is complete.
void SdlStream::start(StreamEnded ended) {
    m_ended = std::move(ended);
    m_lastFill = Clock::now();
    m_ender = std::thread(&SdlStream::endWhenDrainedOrLost, this);
    SDL_PauseAudioDevice(m_device, 0);
}

SdlStream::~SdlStream() {
    if (m_device != 0) {
        // Locking waits for a callback in progress; the callbacks that SDL runs after it, until
        // the device is closed, find no stream.
        SDL_LockAudioDevice(m_device);
        m_target->stream = nullptr;
        SDL_UnlockAudioDevice(m_device);
        m_closer->close(m_device, m_target);
    }
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wakeup.notify_all();
    if (!m_ender.joinable())
        return;
    // From inside StreamEnded the ending thread touches nothing of this object any more.
    if (m_ender.get_id() == std::this_thread::get_id())
        m_ender.detach();
    else
        m_ender.join();
}

// Pausing silences the callbacks instead of pausing SDL's device, which would wait for a
// callback in progress: the owner may pause while holding a lock that PullFrames takes.
void SdlStream::pause() {
    std::lock_guard lock(m_mutex);
    if (!m_paused) {
        m_paused = true;
        m_pausedAt = Clock::now();
    }
}

void SdlStream::resume() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_paused)
            return;
        m_drainedAt += Clock::now() - m_pausedAt;
        m_paused = false;
    }
    m_wakeup.notify_all();
}

bool SdlStream::paused() {
    std::lock_guard lock(m_mutex);
    return m_paused;
}

void SdlStream::fillCallback(void *target, Uint8 *bytes, int length) {
    const std::span<float> out(reinterpret_cast<float *>(bytes),
                               static_cast<std::size_t>(length) / sizeof(float));
    if (SdlStream *stream = static_cast<CallbackTarget *>(target)->stream)
        stream->fill(out);
    else
        std::fill(out.begin(), out.end(), 0.0f);
}

void SdlStream::captureCallback(void *target, Uint8 *bytes, int length) {
    SdlStream *const stream = static_cast<CallbackTarget *>(target)->stream;
    if (stream == nullptr || stream->noticedDeviceLost() || stream->paused())
        return;
    const std::span<const float> in(reinterpret_cast<const float *>(bytes),
                                    static_cast<std::size_t>(length) / sizeof(float));
    stream->m_push(in);
    stream->m_framesDone += in.size() / stream->m_format.channels;
}

void SdlStream::fill(std::span<float> out) {
    std::size_t got = 0;
    traceUnderrun();
    if (!noticedDeviceLost() && !m_pulledLast && !paused()) {
        const std::size_t room = out.size() / m_format.channels;
        got = std::min(m_pull(out), room);
        m_framesDone += got;
        if (got < room) {
            m_pulledLast = true;
            // What the device holds plays first, then this buffer's frames.
            const auto drained = Clock::now() + framesDuration(m_bufferFrames + uint64_t{got},
                                                               m_format.framesPerSecond);
            std::lock_guard lock(m_mutex);
            m_drainStarted = true;
            m_drainedAt = drained;
            m_wakeup.notify_all();
        }
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got * m_format.channels), out.end(), 0.0f);
}

// SDL goes on calling a lost device's callback (at about its rate, into nothing), and says the
// device has stopped.
bool SdlStream::noticedDeviceLost() {
    if (SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_STOPPED)
        return false;
    std::lock_guard lock(m_mutex);
    if (!m_lost) {
        m_lost = true;
        m_wakeup.notify_all();
    }
    return true;
}

void SdlStream::traceUnderrun() {
    if (!mciTraceEnabled())
        return;
    const auto now = Clock::now();
    const auto gap = now - m_lastFill;
    m_lastFill = now;
    if (gap > 2 * framesDuration(m_bufferFrames, m_format.framesPerSecond))
        mciTrace("underrun: %lld ms between two buffers of %u frames",
                 static_cast<long long>(
                     std::chrono::duration_cast<std::chrono::milliseconds>(gap).count()),
                 m_bufferFrames);
}

// A lost device ends the stream with Failed rather than carrying it on silently: the owner
// learns that the sound did not come out, and a record does not fill with made-up silence.
void SdlStream::endWhenDrainedOrLost() {
    std::unique_lock lock(m_mutex);
    m_wakeup.wait(lock, [this] { return m_stopping || m_lost || m_drainStarted; });
    while (!m_stopping && !m_lost && (m_paused || Clock::now() < m_drainedAt)) {
        if (m_paused)
            m_wakeup.wait(lock);
        else
            m_wakeup.wait_until(lock, m_drainedAt);
    }
    if (m_stopping)
        return;
    const StreamEnd end = m_lost ? StreamEnd::Failed : StreamEnd::Drained;
    if (m_lost)
        mciTrace("device lost after %llu frames; the stream ends",
                 static_cast<unsigned long long>(m_framesDone.load()));
    StreamEnded ended = std::move(m_ended);
    lock.unlock();
    if (ended)
        ended(end);
}
