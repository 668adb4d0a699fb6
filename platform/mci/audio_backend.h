// The audio back ends behind the device: SDL2 for real sound, and a null sink that plays and
// records in real time when no device can be opened. Samples are interleaved 32-bit floats.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

struct StreamFormat {
    uint32_t framesPerSecond;
    uint16_t channels;
};

enum class StreamEnd : uint8_t {
    Drained, // every frame that PullFrames gave has been played
    Failed,  // the audio device failed or disappeared and the stream could not go on
};

// Called on the back end's thread to fill out (room for out.size() / channels frames); returns
// the frames written. Fewer than there was room for means the sound ends after them.
using PullFrames = std::function<std::size_t(std::span<float> out)>;
// Called on the back end's thread with captured frames.
using PushFrames = std::function<void(std::span<const float> in)>;
// Called once on the back end's thread when a play stream has drained or any stream failed;
// never called for a stream that its owner destroyed first.
using StreamEnded = std::function<void(StreamEnd)>;

class AudioStream {
  public:
    // Stops at once, discarding what is queued. Once it returns, no callback of this stream is
    // running or will run, so the owner must not hold a lock that those callbacks take. It may
    // run inside StreamEnded, but never inside PullFrames or PushFrames.
    virtual ~AudioStream() = default;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Frames played (or captured) so far, accurate to one audio buffer.
    virtual uint64_t framesDone() const = 0;
};

class AudioBackend {
  public:
    virtual ~AudioBackend() = default;
    // Starts a stream at once; nullptr when it cannot be started at all.
    virtual std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                              StreamEnded ended) = 0;
    virtual std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                                StreamEnded ended) = 0;
};

class ClockWait;

// The clock the null sink keeps time by. Tests give a manual one.
class AudioClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~AudioClock() = default;
    // Never blocks, so it may be read under any lock.
    virtual TimePoint now() const = 0;
    // The sleep of one thread on this clock (see ClockWait). Not to be called holding mutex.
    virtual std::unique_ptr<ClockWait> makeWait(std::mutex &mutex,
                                                std::condition_variable &wakeup) = 0;
};

// How one thread sleeps on a clock. The thread guards its state with mutex; other threads change
// that state under mutex and notify wakeup to end a sleep early. A clock whose time jumps (a
// manual one) wakes the sleeper through the same pair.
class ClockWait {
  public:
    // Not to be destroyed holding mutex; afterwards the clock no longer touches mutex or wakeup.
    virtual ~ClockWait() = default;
    // Holding lock on mutex: sleeps until deadline by the clock (for ever at TimePoint::max())
    // or until wakeup is notified. It may return early, so the caller checks again.
    virtual void sleepUntil(std::unique_lock<std::mutex> &lock, AudioClock::TimePoint deadline) = 0;
};

std::shared_ptr<AudioClock> steadyAudioClock();

// A back end that plays into nothing and records silence, in real time by clock.
std::unique_ptr<AudioBackend> makeNullBackend(std::shared_ptr<AudioClock> clock);

// SDL2 where a device can be opened, for each stream, and the null sink otherwise. SDL is
// loaded at the first stream, so a process that never plays or records does not load it.
std::unique_ptr<AudioBackend> makeDefaultBackend();
