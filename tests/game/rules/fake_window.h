// A window for the rules that records every message and label it is given, keeps a clock
// that only moves when the rules wait, draws scripted or seeded random numbers, and lets a
// test act while the computer pauses.
#pragma once

#include "rules/game_rules.h"
#include "rules/game_window.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace korvane::test {

// A message box or a turn label write, with the game-over flag as it was at that moment.
struct ShownText {
    enum class Kind { Message, TurnLabel };
    Kind kind;
    std::string text;
    bool gameOver;
};

class FakeWindow final : public GameWindow {
  public:
    explicit FakeWindow(std::uint32_t seed = 1);

    void attach(GameRules &rules) { m_rules = &rules; }

    std::string turnText() const override { return m_turnText; }
    void setTurnText(const std::string &text) override;
    std::string whiteCountText() const override { return m_whiteCount; }
    void setWhiteCountText(const std::string &text) override { m_whiteCount = text; }
    std::string blackCountText() const override { return m_blackCount; }
    void setBlackCountText(const std::string &text) override { m_blackCount = text; }
    int twoPlayerValue() const override { return m_twoPlayerValue; }
    void setTwoPlayerValue(int value) override;
    bool twoPlayerMenuChecked() const override { return m_menuChecked; }
    void setTwoPlayerMenuChecked(bool checked) override { m_menuChecked = checked; }
    void setModeControlsEnabled(bool enabled) override { m_modeControlsEnabled = enabled; }
    void showDiscs(const std::array<std::int32_t, GameRules::kSquares> &board) override;
    void showMessage(const std::string &text) override;
    Clock::time_point now() const override { return m_now; }
    void processEvents(Clock::duration maxWait) override;
    double random() override;

    // What a person can do; a disabled control ignores the attempt.
    void clickTwoPlayerBox();
    void chooseTwoPlayerMenu();

    bool modeControlsEnabled() const { return m_modeControlsEnabled; }
    // Per square: 0 hidden, 1 a white disc shown, -1 a black disc shown.
    const std::array<int, GameRules::kSquares> &discs() const { return m_discs; }
    Clock::duration waited() const { return m_now - Clock::time_point{}; }

    std::vector<std::string> messages;
    std::vector<ShownText> shown;
    std::vector<Clock::duration> waits;
    int refreshes = 0;
    // Run one per event-processing call, as if the person acted during the pause.
    std::deque<std::function<void()>> pauseActions;
    // How far the clock moves per event-processing call; the whole wait when unset.
    std::optional<Clock::duration> clockStep;
    // Drawn first; the seeded generator takes over when they run out.
    std::deque<double> scriptedRandom;
    int randomDraws = 0;
    // Called for each message box after it is recorded.
    std::function<void(const std::string &)> onMessage;

  private:
    GameRules &rules() const;

    GameRules *m_rules = nullptr;
    std::string m_turnText = "You Are White";
    std::string m_whiteCount = "2";
    std::string m_blackCount = "2";
    int m_twoPlayerValue = 0;
    bool m_menuChecked = false;
    bool m_modeControlsEnabled = true;
    std::array<int, GameRules::kSquares> m_discs{};
    Clock::time_point m_now{};
    std::mt19937 m_generator;
};

// A window and its rules, loaded as the program loads them.
struct Game {
    explicit Game(std::uint32_t seed = 1);

    // Puts a position on the board (rows of 'W', 'B' and '.', index y * 8 + x) and refreshes,
    // so that the score labels show it.
    void setPosition(const std::array<const char *, 8> &rows, std::int32_t turn);
    void setTwoPlayer(bool twoPlayer);

    FakeWindow window;
    GameRules rules{window};
};

} // namespace korvane::test
