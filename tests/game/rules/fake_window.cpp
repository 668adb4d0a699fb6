// The recording window the rules' tests play through.
#include "fake_window.h"

#include "reference_board.h"

#include <stdexcept>
#include <utility>

namespace korvane::test {

FakeWindow::FakeWindow(std::uint32_t seed)
    : m_generator(seed) {
}

void FakeWindow::setTurnText(const std::string &text) {
    m_turnText = text;
    shown.push_back({ShownText::Kind::TurnLabel, text, rules().mfGameOver});
}

void FakeWindow::setTwoPlayerValue(int value) {
    if (value == m_twoPlayerValue)
        return;
    m_twoPlayerValue = value;
    rules().chkTwoPlayer_Click();
}

void FakeWindow::showDiscs(const std::array<std::int32_t, GameRules::kSquares> &board) {
    ++refreshes;
    for (std::size_t n = 0; n < m_discs.size(); ++n)
        m_discs[n] = board[n] == GameRules::kEmpty ? 0 : board[n] == GameRules::kWhite ? 1 : -1;
}

void FakeWindow::showMessage(const std::string &text) {
    messages.push_back(text);
    shown.push_back({ShownText::Kind::Message, text, rules().mfGameOver});
    if (onMessage)
        onMessage(text);
}

void FakeWindow::processEvents(Clock::duration maxWait) {
    waits.push_back(maxWait);
    if (!pauseActions.empty()) {
        const std::function<void()> action = std::move(pauseActions.front());
        pauseActions.pop_front();
        action();
    }
    m_now += clockStep.value_or(maxWait);
}

double FakeWindow::random() {
    ++randomDraws;
    if (!scriptedRandom.empty()) {
        const double value = scriptedRandom.front();
        scriptedRandom.pop_front();
        return value;
    }
    // Exactly uniform on [0, 1): a 32-bit draw over 2^32.
    return static_cast<double>(m_generator()) / 4294967296.0;
}

void FakeWindow::clickTwoPlayerBox() {
    if (!m_modeControlsEnabled)
        return;
    m_twoPlayerValue = 1 - m_twoPlayerValue;
    rules().chkTwoPlayer_Click();
}

void FakeWindow::chooseTwoPlayerMenu() {
    if (m_modeControlsEnabled)
        rules().mnuTwoPlayer_Click();
}

GameRules &FakeWindow::rules() const {
    if (m_rules == nullptr)
        throw std::logic_error("the fake window has no rules attached");
    return *m_rules;
}

Game::Game(std::uint32_t seed)
    : window(seed) {
    window.attach(rules);
    rules.ResetGame();
    rules.mfGameOver = false;
}

void Game::setPosition(const std::array<const char *, 8> &rows, std::int32_t turn) {
    rules.mlngBoard = boardFromRows(rows);
    rules.mlngTurn = turn;
    rules.DisplayBoard();
}

void Game::setTwoPlayer(bool twoPlayer) {
    if ((window.twoPlayerValue() != 0) != twoPlayer)
        window.clickTwoPlayerBox();
}

} // namespace korvane::test
