// The real clock: std::chrono::steady_clock, and sleeps that a condition variable ends early.
#include "mci/audio_backend.h"

namespace {

class SteadyWait final : public ClockWait {
  public:
    explicit SteadyWait(std::condition_variable &wakeup)
        : m_wakeup(wakeup) {}
    void sleepUntil(std::unique_lock<std::mutex> &lock, AudioClock::TimePoint deadline) override {
        // A wait_until on the largest time point overflows when converted for the system call.
        if (deadline == AudioClock::TimePoint::max())
            m_wakeup.wait(lock);
        else
            m_wakeup.wait_until(lock, deadline);
    }

  private:
    std::condition_variable &m_wakeup;
};

class SteadyClock final : public AudioClock {
  public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    std::unique_ptr<ClockWait> makeWait(std::mutex &, std::condition_variable &wakeup) override {
        return std::make_unique<SteadyWait>(wakeup);
    }
};

} // namespace

std::shared_ptr<AudioClock> steadyAudioClock() {
    static const std::shared_ptr<AudioClock> clock = std::make_shared<SteadyClock>();
    return clock;
}
