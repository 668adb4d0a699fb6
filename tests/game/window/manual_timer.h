// A one-shot timer whose time moves only when the test says so.
#pragma once

#include "window/one_shot_timer.h"

#include <utility>

namespace korvane::test {

class ManualTimer final : public OneShotTimer {
  public:
    using milliseconds = std::chrono::milliseconds;

    void start(milliseconds delay, std::function<void()> call) override {
        m_left = delay;
        m_call = std::move(call);
    }
    void stop() override { m_call = nullptr; }
    bool isActive() const override { return m_call != nullptr; }

    // The time until the waiting call; meaningful while active.
    milliseconds left() const { return m_left; }

    // Moves time on by step; a waiting call that falls due runs.
    void advance(milliseconds step) {
        if (!m_call)
            return;
        if (step < m_left) {
            m_left -= step;
            return;
        }
        std::exchange(m_call, nullptr)();
    }

  private:
    milliseconds m_left{};
    std::function<void()> m_call;
};

} // namespace korvane::test
