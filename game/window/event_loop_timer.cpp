// The game's one-shot timer, a precise single-shot QTimer.
#include "one_shot_timer.h"

#include <QTimer>
#include <utility>

namespace korvane {
namespace {

class EventLoopTimer final : public OneShotTimer {
  public:
    EventLoopTimer() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        // Moved out first, since the call may start the timer again with a call of its own.
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer,
                         [this] { std::exchange(m_call, {})(); });
    }

    void start(std::chrono::milliseconds delay, std::function<void()> call) override {
        m_call = std::move(call);
        m_timer.start(delay);
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

  private:
    QTimer m_timer;
    std::function<void()> m_call;
};

} // namespace

std::unique_ptr<OneShotTimer> makeEventLoopTimer() {
    return std::make_unique<EventLoopTimer>();
}

} // namespace korvane
