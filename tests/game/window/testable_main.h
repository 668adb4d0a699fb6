// frmMain with the process end recorded instead of done, and, when asked, a clock that
// makes the computer's pause pass at once and a fixed random sequence.
#pragma once

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
        : frmMain(std::move(musicPath)) {}

    int endRequests = 0;

    void skipPauses() { m_skipPauses = true; }
    void seedRandom(std::mt19937::result_type seed) { m_generator.emplace(seed); }

    Clock::time_point now() const override {
        if (!m_skipPauses)
            return frmMain::now();
        m_fakeNow += std::chrono::seconds(1);
        return m_fakeNow;
    }

    double random() override {
        if (!m_generator)
            return frmMain::random();
        return static_cast<double>((*m_generator)()) / 4294967296.0;
    }

  protected:
    void endProgram() override { ++endRequests; }

  private:
    bool m_skipPauses = false;
    mutable Clock::time_point m_fakeNow{};
    std::optional<std::mt19937> m_generator;
};

} // namespace korvane::test
