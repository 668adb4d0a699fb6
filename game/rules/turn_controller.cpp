// A square click runs the whole turn: the person's move, the hand-over, passes, the
// computer's replies after its pause, and the end of the game.
#include "game_rules.h"
#include "game_texts.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <string>
#include <string_view>

namespace korvane {

namespace {

constexpr float kComputerPause = 1.0f;

// Long enough never to matter, short enough to convert to the clock's ticks safely.
constexpr std::chrono::duration<double> kLongestWait = std::chrono::hours(1);
// Counts never come near this; it only bounds the parse of a label edited by hand.
constexpr std::int32_t kLargestCount = 1'000'000;

// The window's texts compare as the platform's text comparison does, letters of either case
// alike; only ASCII letters fold, so the process locale never changes what matches.
bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(a, b, {}, lower, lower);
}

void show(GameWindow &window, std::string_view text) {
    window.showMessage(std::string(text));
}

void setTurn(GameWindow &window, std::string_view text) {
    window.setTurnText(std::string(text));
}

// The counts are read back from the score labels as the number the text starts with.
std::int32_t leadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    std::int32_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        value = std::min(value * 10 + (text[at] - '0'), kLargestCount);
    return negative ? -value : value;
}

} // namespace

void GameRules::DisplayBoard() {
    m_window.showDiscs(mlngBoard);
    // The verdict written at the end of a game stays until a new game's first refresh.
    if (!mfGameOver)
        setTurn(m_window, mlngTurn == kWhite ? texts::kWhitesTurn : texts::kBlacksTurn);
    GetScore();
}

void GameRules::lblSquare_Click(std::int16_t Index) {
    if (isClickRefused())
        return;
    if (MakeMove(mlngTurn, Index, true) == 0) {
        show(m_window, texts::kIllegalMove);
        DisplayBoard();
        return;
    }
    DisplayBoard();
    mlngTurn = -mlngTurn;
    if (isTwoPlayer()) {
        continueTwoPlayer();
    } else if (!continueOnePlayer()) {
        return;
    }
    DisplayBoard();
}

void GameRules::Sleep(float psglSeconds) {
    // A pause that could never end would freeze the game with its clicks refused.
    if (!std::isfinite(psglSeconds))
        return;
    const std::chrono::duration<double> pause(psglSeconds);
    const GameWindow::Clock::time_point start = m_window.now();
    for (std::chrono::duration<double> elapsed = m_window.now() - start; elapsed < pause;
         elapsed = m_window.now() - start) {
        const std::chrono::duration<double> remaining = std::min(pause - elapsed, kLongestWait);
        m_window.processEvents(std::chrono::ceil<GameWindow::Clock::duration>(remaining));
    }
}

bool GameRules::isTwoPlayer() const {
    return m_window.twoPlayerValue() != 0;
}

bool GameRules::isClickRefused() const {
    // The pause flag also covers a New Game inside the pause: its "White's Turn" would let a
    // click through, and the resumed handler would then move for the wrong side.
    if (mfGameOver || m_computerPausing)
        return true;
    return !isTwoPlayer() && sameTextIgnoringCase(m_window.turnText(), texts::kBlacksTurn);
}

bool GameRules::isBoardFull() const {
    return leadingNumber(m_window.blackCountText()) + leadingNumber(m_window.whiteCountText()) >=
           kSquares;
}

void GameRules::continueTwoPlayer() {
    if (CheckAllMoves(false))
        return;
    if (!isBoardFull())
        show(m_window, mlngTurn == kWhite ? texts::kWhiteCannotMove : texts::kBlackCannotMove);
    mlngTurn = -mlngTurn;
    if (CheckAllMoves(false))
        return;
    endGame();
}

bool GameRules::continueOnePlayer() {
    setTurn(m_window, texts::kBlacksTurn);
    m_computerPausing = true;
    Sleep(kComputerPause);
    m_computerPausing = false;
    // Both counts at 2 again can only be a New Game chosen during the pause.
    if (leadingNumber(m_window.whiteCountText()) == 2 &&
        leadingNumber(m_window.blackCountText()) == 2)
        return false;
    playComputerMoves();
    return true;
}

void GameRules::playComputerMoves() {
    while (CheckAllMoves(true)) {
        DisplayBoard();
        mlngTurn = -mlngTurn;
        setTurn(m_window, texts::kWhitesTurn);
        if (CheckAllMoves(false))
            return;
        if (!isBoardFull())
            show(m_window, texts::kPersonCannotMove);
        setTurn(m_window, texts::kBlacksTurn);
        mlngTurn = -mlngTurn;
    }
    mlngTurn = -mlngTurn;
    if (CheckAllMoves(false)) {
        if (!isBoardFull())
            show(m_window, texts::kComputerCannotMove);
        setTurn(m_window, texts::kWhitesTurn);
        return;
    }
    endGame();
}

void GameRules::endGame() {
    const std::int32_t lead = GetScore();
    const bool twoPlayer = isTwoPlayer();
    if (lead > 0) {
        show(m_window, twoPlayer ? texts::kGameOverWhiteWins : texts::kGameOverYouWin);
        setTurn(m_window, texts::kWhiteWins);
    } else if (lead < 0) {
        show(m_window, twoPlayer ? texts::kGameOverBlackWins : texts::kGameOverIWin);
        setTurn(m_window, texts::kBlackWins);
    } else {
        show(m_window, texts::kGameOverTie);
        setTurn(m_window, texts::kItsATie);
    }
    mfGameOver = true;
}

} // namespace korvane
