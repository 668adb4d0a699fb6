// frmMain with the process end recorded instead of done, and, when asked, a clock of the
// test's own for the computer's pause and a fixed random sequence; with a music file of
// the test's own, the music's pauses pass only when the test moves their timer on.
#pragma once

#include "manual_timer.h"
#include "window/frm_main.h"

#include <chrono>
#include <optional>
#include <random>
#include <utility>

namespace korvane::test {

class TestableMain : public frmMain {
  public:
    TestableMain() = default;
    // Plays the music file at musicPath.
    explicit TestableMain(std::string musicPath)
        : TestableMain(std::move(musicPath), new ManualTimer) {}

    ManualTimer &musicPause() { return *m_musicPause; }

    int endRequests = 0;

    // The computer's pauses then run on a clock of the test's own: a wait delivers the events
    // already pending and lets the time it asked for pass at once, and advanceClock moves the
    // clock on by hand.
    void skipPauses() { m_skipPauses = true; }
    void advanceClock(Clock::duration step) { m_testNow += step; }
    void seedRandom(std::mt19937::result_type seed) { m_generator.emplace(seed); }

    Clock::time_point now() const override { return m_skipPauses ? m_testNow : frmMain::now(); }

    void processEvents(Clock::duration maxWait) override {
        if (!m_skipPauses)
            return frmMain::processEvents(maxWait);
        frmMain::processEvents(Clock::duration::zero());
        m_testNow += maxWait;
    }

    double random() override {
        if (!m_generator)
            return frmMain::random();
        return static_cast<double>((*m_generator)()) / 4294967296.0;
    }

  protected:
    void endProgram() override { ++endRequests; }

  private:
    // The window owns the timer from the start; the test keeps a hand on it.
    TestableMain(std::string musicPath, ManualTimer *musicPause)
        : frmMain(std::move(musicPath), std::unique_ptr<OneShotTimer>(musicPause))
        , m_musicPause(musicPause) {}

    bool m_skipPauses = false;
    Clock::time_point m_testNow{};
    std::optional<std::mt19937> m_generator;
    ManualTimer *m_musicPause = nullptr;
};

} // namespace korvane::test
