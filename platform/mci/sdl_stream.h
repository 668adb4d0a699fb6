// A play or record stream on an SDL audio device of its own. SDL's thread moves the frames; the
// stream's own thread waits for the last ones to drain, or for the device to be lost, and ends it.
#pragma once

#include "mci/audio_backend.h"
#include "mci/sdl_device_closer.h"

#include <SDL_audio.h>
#include <atomic>
#include <string>
#include <thread>

class SdlStream final : public AudioStream {
  public:
    // Opens the default output; nullptr with the reason in why when no device opens. pull and
    // ended are taken only when the stream opens, so a caller can give them to another back end.
    // closer closes the device once the stream is gone.
    static std::unique_ptr<SdlStream> openPlay(StreamFormat format, PullFrames &pull,
                                               StreamEnded &ended,
                                               std::shared_ptr<SdlDeviceCloser> closer,
                                               std::string &why);
    static std::unique_ptr<SdlStream> openRecord(StreamFormat format, PushFrames &push,
                                                 StreamEnded &ended,
                                                 std::shared_ptr<SdlDeviceCloser> closer,
                                                 std::string &why);
    ~SdlStream() override;

    void pause() override;
    void resume() override;
    uint64_t framesDone() const override { return m_framesDone.load(); }

    // What SDL's callbacks reach the stream through; it outlives the stream until SDL has
    // closed the device. Written only under SDL's device lock, which every callback holds.
    struct CallbackTarget {
        SdlStream *stream;
    };

  private:
    using Clock = std::chrono::steady_clock;

    SdlStream(StreamFormat format, std::shared_ptr<SdlDeviceCloser> closer)
        : m_format(format)
        , m_closer(std::move(closer))
        , m_target(std::make_shared<CallbackTarget>(CallbackTarget{this})) {}
    static std::unique_ptr<SdlStream> open(StreamFormat format, bool capture,
                                           std::shared_ptr<SdlDeviceCloser> closer,
                                           std::string &why);
    bool openDevice(bool capture, std::string &why);
    void start(StreamEnded ended);
    static void fillCallback(void *target, Uint8 *bytes, int length);
    static void captureCallback(void *target, Uint8 *bytes, int length);
    void fill(std::span<float> out);
    bool noticedDeviceLost();
    bool paused();
    void traceUnderrun();
    void endWhenDrainedOrLost();

    const StreamFormat m_format;
    const std::shared_ptr<SdlDeviceCloser> m_closer;
    std::shared_ptr<CallbackTarget> m_target;
    PullFrames m_pull;
    PushFrames m_push;
    StreamEnded m_ended;
    SDL_AudioDeviceID m_device = 0;
    uint32_t m_bufferFrames = 0;
    std::atomic<uint64_t> m_framesDone{0};
    // Touched on SDL's thread only.
    bool m_pulledLast = false;
    Clock::time_point m_lastFill;

    std::mutex m_mutex;
    std::condition_variable m_wakeup;
    // Guarded by m_mutex. m_drainedAt is when the last frames will have left the device.
    bool m_drainStarted = false;
    bool m_lost = false;
    bool m_stopping = false;
    bool m_paused = false;
    Clock::time_point m_drainedAt;
    Clock::time_point m_pausedAt;
    std::thread m_ender;
};
