// The null sink: streams that play into nothing and record silence, one period at a time against
// absolute deadlines of the injected clock, so they keep time over any length of sound.
#include "mci/audio_backend.h"
#include "mci/stream_timing.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

using TimePoint = AudioClock::TimePoint;

// Ten milliseconds: fine enough for positions, coarse enough to cost nothing.
constexpr uint32_t kPeriodsPerSecond = 100;

// What the stream's thread shares with its owner. The thread co-owns it, so the owner may
// destroy the stream from its own StreamEnded callback.
struct NullStreamState {
    NullStreamState(std::shared_ptr<AudioClock> clockIn, StreamFormat formatIn)
        : clock(std::move(clockIn))
        , format(formatIn)
        , periodFrames(std::max<uint32_t>(1, formatIn.framesPerSecond / kPeriodsPerSecond))
        , wait(clock->makeWait(mutex, wakeup))
        , start(clock->now()) {}

    // Sleeps until the frames before `frames` have played; false once the owner stops it.
    bool sleepUntilPlayed(uint64_t frames) {
        std::unique_lock lock(mutex);
        for (;;) {
            if (stopping)
                return false;
            if (paused) {
                wait->sleepUntil(lock, TimePoint::max());
                continue;
            }
            const TimePoint deadline = start + framesDuration(frames, format.framesPerSecond);
            if (clock->now() >= deadline)
                return true;
            wait->sleepUntil(lock, deadline);
        }
    }

    const std::shared_ptr<AudioClock> clock;
    const StreamFormat format;
    const uint32_t periodFrames;
    PullFrames pull;
    PushFrames push;
    StreamEnded ended;
    std::atomic<uint64_t> framesDone{0};

    std::mutex mutex;
    std::condition_variable wakeup;
    // Used by the stream's thread only; it drops it on the way out, so a clock stops waiting
    // for a stream that has ended.
    std::unique_ptr<ClockWait> wait;
    // Guarded by mutex. Pausing moves start on by the time spent paused, which keeps every
    // later deadline absolute.
    TimePoint start;
    TimePoint pausedAt;
    bool paused = false;
    bool stopping = false;
};

void playUntilDrained(NullStreamState &state) {
    const std::size_t periodSamples = std::size_t{state.periodFrames} * state.format.channels;
    std::vector<float> period(periodSamples);
    uint64_t pulled = 0;
    std::size_t got = 0;
    do {
        got = std::min<std::size_t>(state.pull(period), state.periodFrames);
        pulled += got;
        if (!state.sleepUntilPlayed(pulled))
            return;
        state.framesDone.store(pulled);
    } while (got == state.periodFrames);
    StreamEnded ended = std::move(state.ended);
    ended(StreamEnd::Drained);
}

void recordSilence(NullStreamState &state) {
    const std::vector<float> silence(std::size_t{state.periodFrames} * state.format.channels);
    for (uint64_t captured = state.periodFrames;; captured += state.periodFrames) {
        if (!state.sleepUntilPlayed(captured))
            return;
        state.push(silence);
        state.framesDone.store(captured);
    }
}

class NullStream final : public AudioStream {
  public:
    NullStream(std::shared_ptr<NullStreamState> state, void (*run)(NullStreamState &))
        : m_state(std::move(state)) {
        m_thread = std::thread([state = m_state, run] {
            run(*state);
            state->wait.reset();
        });
    }

    ~NullStream() override {
        {
            std::lock_guard lock(m_state->mutex);
            m_state->stopping = true;
        }
        m_state->wakeup.notify_all();
        // From inside StreamEnded the thread has nothing left to do but let go of the state.
        if (m_thread.get_id() == std::this_thread::get_id())
            m_thread.detach();
        else
            m_thread.join();
    }

    void pause() override {
        std::lock_guard lock(m_state->mutex);
        if (!m_state->paused) {
            m_state->paused = true;
            m_state->pausedAt = m_state->clock->now();
        }
    }

    void resume() override {
        {
            std::lock_guard lock(m_state->mutex);
            if (!m_state->paused)
                return;
            m_state->start += m_state->clock->now() - m_state->pausedAt;
            m_state->paused = false;
        }
        m_state->wakeup.notify_all();
    }

    uint64_t framesDone() const override { return m_state->framesDone.load(); }

  private:
    std::shared_ptr<NullStreamState> m_state;
    std::thread m_thread;
};

class NullBackend final : public AudioBackend {
  public:
    explicit NullBackend(std::shared_ptr<AudioClock> clock)
        : m_clock(std::move(clock)) {}

    std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                      StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !pull || !ended)
            return nullptr;
        return start(format, std::move(pull), {}, std::move(ended), playUntilDrained);
    }

    std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                        StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !push)
            return nullptr;
        return start(format, {}, std::move(push), std::move(ended), recordSilence);
    }

  private:
    std::unique_ptr<AudioStream> start(StreamFormat format, PullFrames pull, PushFrames push,
                                       StreamEnded ended, void (*run)(NullStreamState &)) {
        // No exception may leave the library: a stream that cannot get memory or a thread
        // simply does not start.
        try {
            auto state = std::make_shared<NullStreamState>(m_clock, format);
            state->pull = std::move(pull);
            state->push = std::move(push);
            state->ended = std::move(ended);
            return std::make_unique<NullStream>(std::move(state), run);
        } catch (const std::exception &) {
            return nullptr;
        }
    }

    std::shared_ptr<AudioClock> m_clock;
};

} // namespace

std::unique_ptr<AudioBackend> makeNullBackend(std::shared_ptr<AudioClock> clock) {
    return std::make_unique<NullBackend>(std::move(clock));
}
