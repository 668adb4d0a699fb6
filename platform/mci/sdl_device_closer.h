// Closing SDL devices off the stream owner's thread, on one thread that the back end owns and
// joins: SDL sleeps two buffers in every close to let the device drain, which the owner need
// not wait for, since the stream's own end already waited for its frames.
#pragma once

#include <SDL_audio.h>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class SdlDeviceCloser {
  public:
    SdlDeviceCloser() = default;
    SdlDeviceCloser(const SdlDeviceCloser &) = delete;
    SdlDeviceCloser &operator=(const SdlDeviceCloser &) = delete;
    // Returns once every device handed over is closed, so that nothing of SDL's runs on behind
    // the back end (into a stop of SDL's audio, or an unload).
    ~SdlDeviceCloser();

    // Closes device and then lets go of callbackTarget, which its callbacks reach until then;
    // on the caller's thread when no thread or memory can be had for it.
    void close(SDL_AudioDeviceID device, std::shared_ptr<void> callbackTarget) noexcept;

  private:
    struct Closing {
        SDL_AudioDeviceID device;
        std::shared_ptr<void> callbackTarget;
    };
    bool queue(Closing &closing);
    void closeQueued();

    std::mutex m_mutex;
    std::condition_variable m_wakeup;
    // Guarded by m_mutex.
    std::deque<Closing> m_queue;
    bool m_stopping = false;
    // Started at the first close; joined by the destructor.
    std::thread m_thread;
};
