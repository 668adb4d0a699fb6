// A back end for device tests in which the test is the audio thread: it pulls a play's frames,
// pushes captured frames, or fails the stream, when it chooses. Destroying a stream waits for
// a callback in progress, as the real back ends do, so a device that destroys a stream while
// holding a lock its callbacks take deadlocks here too.
#pragma once

#include "mci/audio_backend.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class FakeAudio {
  public:
    // The back end to give the device; it reports to this object, which must outlive it.
    std::unique_ptr<AudioBackend> backend();

    // Makes the back end refuse to start streams, as when no device can be opened.
    void refuseStreams() { m_refuse = true; }

    // On the newest stream: plays up to `frames` frames (nothing while paused), and drains the
    // stream when it gives fewer. Returns the frames played.
    std::size_t pump(std::size_t frames);
    // Captures `frames` frames of `level` on the newest (record) stream.
    void capture(std::size_t frames, float level);
    void fail();

    // Blocks until the back end has started `count` streams in all.
    void waitForStreams(std::size_t count);
    std::size_t streamsStarted() const;
    // The samples played so far by every stream.
    std::vector<float> played() const;

  private:
    struct Stream;
    class Handle;
    class Backend;
    std::shared_ptr<Stream> newest() const;
    std::unique_ptr<AudioStream> start(StreamFormat format, PullFrames pull, PushFrames push,
                                       StreamEnded ended);

    std::atomic<bool> m_refuse{false};
    mutable std::mutex m_lock;
    std::condition_variable m_started;
    // Guarded by m_lock.
    std::vector<std::shared_ptr<Stream>> m_streams;
    std::vector<float> m_played;
};
