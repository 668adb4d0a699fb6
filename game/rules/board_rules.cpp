// The board: opening position, the capture test along one line, moves, the computer's
// random choice of square, and the score.
#include "game_rules.h"
#include "game_texts.h"

#include <numeric>
#include <string>
#include <utility>

namespace korvane {

namespace {

constexpr int kShuffleSwaps = 1000;
// Positions are drawn from 0 to 62 only, so the last entry (square 63) never moves and is
// always tried last.
constexpr double kShuffleSpan = kBoardSquares - 1;
constexpr std::size_t kLastShufflePosition = kBoardSquares - 2;

constexpr std::array<std::pair<std::int32_t, std::int32_t>, 8> kDirections{{
    {-1, 0},
    {-1, -1},
    {0, -1},
    {1, -1},
    {1, 0},
    {1, 1},
    {0, 1},
    {-1, 1},
}};

bool isOnBoard(std::int32_t x, std::int32_t y) {
    return x >= 0 && x < kBoardSide && y >= 0 && y < kBoardSide;
}

bool isStep(std::int32_t change) {
    return change >= -1 && change <= 1;
}

std::size_t squareAt(std::int32_t x, std::int32_t y) {
    return static_cast<std::size_t>(y * kBoardSide + x);
}

} // namespace

GameRules::GameRules(GameWindow &window)
    : m_window(window) {
}

void GameRules::ResetGame() {
    mlngBoard.fill(kEmpty);
    mlngBoard[27] = kWhite;
    mlngBoard[28] = kBlack;
    mlngBoard[35] = kBlack;
    mlngBoard[36] = kWhite;
    mlngTurn = kWhite;
    // A finished game's verdict stays up until the new game's first click refreshes the label.
    if (!mfGameOver)
        m_window.setTurnText(std::string(texts::kWhitesTurn));
    DisplayBoard();
    m_window.setModeControlsEnabled(true);
}

std::int32_t GameRules::Flip(std::int32_t plngColor, std::int32_t plngX, std::int32_t plngY,
                             std::int32_t plngXChange, std::int32_t plngYChange, bool pfDoflip) {
    // Anything but a square and one of the eight steps captures nothing; the checks also keep
    // every read inside the board.
    if (!isOnBoard(plngX, plngY) || !isStep(plngXChange) || !isStep(plngYChange))
        return 0;
    if (mlngBoard[squareAt(plngX, plngY)] != kEmpty)
        return 0;

    std::int32_t x = plngX + plngXChange;
    std::int32_t y = plngY + plngYChange;
    bool sawOpponent = false;
    while (isOnBoard(x, y)) {
        const std::int32_t disc = mlngBoard[squareAt(x, y)];
        if (disc == -plngColor) {
            sawOpponent = true;
            x += plngXChange;
            y += plngYChange;
            continue;
        }
        if (disc == kEmpty || !sawOpponent)
            return 0;
        if (pfDoflip) {
            for (x = plngX + plngXChange, y = plngY + plngYChange;
                 mlngBoard[squareAt(x, y)] == -plngColor; x += plngXChange, y += plngYChange)
                mlngBoard[squareAt(x, y)] = plngColor;
        }
        return 1;
    }
    return 0;
}

std::int32_t GameRules::MakeMove(std::int32_t plngColor, std::int32_t plngBoardIndex,
                                 bool pfDoflip) {
    if (plngBoardIndex < 0 || plngBoardIndex >= kSquares)
        return 0;
    const std::int32_t x = plngBoardIndex % kBoardSide;
    const std::int32_t y = plngBoardIndex / kBoardSide;
    std::int32_t captures = 0;
    for (const auto &[xChange, yChange] : kDirections)
        captures += Flip(plngColor, x, y, xChange, yChange, pfDoflip);
    if (pfDoflip && captures > 0)
        mlngBoard[static_cast<std::size_t>(plngBoardIndex)] = plngColor;
    return captures;
}

bool GameRules::CheckAllMoves(bool pfDoflip) {
    std::array<std::int32_t, kSquares> searchOrder{};
    std::iota(searchOrder.begin(), searchOrder.end(), 0);
    if (pfDoflip) {
        for (int swap = 0; swap < kShuffleSwaps; ++swap) {
            const std::size_t a = randomSearchPosition();
            const std::size_t b = randomSearchPosition();
            std::swap(searchOrder[a], searchOrder[b]);
        }
    }
    for (const std::int32_t square : searchOrder) {
        if (MakeMove(mlngTurn, square, pfDoflip) != 0)
            return true;
    }
    return false;
}

std::size_t GameRules::randomSearchPosition() {
    // The window promises [0, 1); a value outside it must still give a position in range.
    const double scaled = m_window.random() * kShuffleSpan;
    if (!(scaled > 0.0))
        return 0;
    if (scaled >= static_cast<double>(kLastShufflePosition))
        return kLastShufflePosition;
    return static_cast<std::size_t>(scaled);
}

std::int32_t GameRules::GetScore() {
    std::int32_t white = 0;
    std::int32_t black = 0;
    for (const std::int32_t disc : mlngBoard) {
        if (disc == kWhite)
            ++white;
        else if (disc == kBlack)
            ++black;
    }
    m_window.setWhiteCountText(std::to_string(white));
    m_window.setBlackCountText(std::to_string(black));
    // The mode may change only before the first move of a game.
    if (white > 2 || black > 2)
        m_window.setModeControlsEnabled(false);
    return white - black;
}

} // namespace korvane
