// A call made once after a delay. The game's runs on Qt's event loop; a test's runs when the
// test moves its time on, so that no test of a pause waits for the pause.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace korvane {

class OneShotTimer {
  public:
    virtual ~OneShotTimer() = default;
    // Calls call once, delay from now, in place of any call still waiting.
    virtual void start(std::chrono::milliseconds delay, std::function<void()> call) = 0;
    // The waiting call, if any, is dropped.
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// On the event loop of the calling thread, to the millisecond: a coarse timer may fire up to
// a twentieth of its delay early.
std::unique_ptr<OneShotTimer> makeEventLoopTimer();

} // namespace korvane
