// An audio clock for tests that moves only when told, and whose advance returns once every
// stream sleeping on it has done all that the new time asks of it.
#pragma once

#include "mci/audio_backend.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <vector>

class ManualAudioClock final : public AudioClock {
  public:
    TimePoint now() const override { return TimePoint(std::chrono::nanoseconds(m_now.load())); }

    std::unique_ptr<ClockWait> makeWait(std::mutex &mutex,
                                        std::condition_variable &wakeup) override {
        return std::make_unique<Wait>(*this, mutex, wakeup);
    }

    // Moves time on, wakes every sleeper, and returns when each sleeps again on a later
    // deadline (or pauses) or has let go of the clock.
    void advance(std::chrono::nanoseconds step) {
        std::lock_guard lock(m_mutex);
        const int64_t target = m_now += step.count();
        for (Wait *wait : m_waits) {
            // Taking the sleeper's mutex means it is either asleep or has not yet read the
            // time, so the notification cannot fall between its check and its sleep.
            { std::lock_guard sleeper(wait->mutex); }
            wait->wakeup.notify_all();
        }
        for (Wait *wait : m_waits)
            for (int64_t seen = wait->seen.load(); seen < target; seen = wait->seen.load())
                wait->seen.wait(seen);
    }

  private:
    struct Wait final : ClockWait {
        Wait(ManualAudioClock &clockIn, std::mutex &mutexIn, std::condition_variable &wakeupIn)
            : clock(clockIn)
            , mutex(mutexIn)
            , wakeup(wakeupIn) {
            std::lock_guard lock(clock.m_mutex);
            clock.m_waits.push_back(this);
        }
        ~Wait() override {
            // An advance in progress holds the clock's mutex and waits on seen, so say first
            // that this sleeper is gone, then leave the list.
            seen.store(std::numeric_limits<int64_t>::max());
            seen.notify_all();
            std::lock_guard lock(clock.m_mutex);
            clock.m_waits.erase(std::find(clock.m_waits.begin(), clock.m_waits.end(), this));
        }
        void sleepUntil(std::unique_lock<std::mutex> &lock, TimePoint deadline) override {
            const int64_t time = clock.m_now.load();
            if (TimePoint(std::chrono::nanoseconds(time)) >= deadline)
                return;
            seen.store(time);
            seen.notify_all();
            wakeup.wait(lock);
        }

        ManualAudioClock &clock;
        std::mutex &mutex;
        std::condition_variable &wakeup;
        // The time at which the sleeper last went to sleep.
        std::atomic<int64_t> seen{-1};
    };

    std::atomic<int64_t> m_now{0};
    // Guards m_waits; taken before any sleeper's mutex, never after.
    std::mutex m_mutex;
    std::vector<Wait *> m_waits;
};
