// The game state of the main window and the rule methods that read and change it:
// the board and its moves, the turn controller with the computer opponent, and the modes.
#pragma once

#include "board_dimensions.h"
#include "game_window.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvane {

class GameRules {
  public:
    static constexpr int kSquares = kBoardSquares;
    static constexpr std::int32_t kWhite = 1;
    static constexpr std::int32_t kBlack = -1;
    static constexpr std::int32_t kEmpty = 0;

    explicit GameRules(GameWindow &window);

    // Board model and move rules.
    void ResetGame();
    std::int32_t Flip(std::int32_t plngColor, std::int32_t plngX, std::int32_t plngY,
                      std::int32_t plngXChange, std::int32_t plngYChange, bool pfDoflip);
    std::int32_t MakeMove(std::int32_t plngColor, std::int32_t plngBoardIndex, bool pfDoflip);
    bool CheckAllMoves(bool pfDoflip);
    std::int32_t GetScore();

    // Turn controller.
    // Shows the board, the side to move unless the game is over, and the counts.
    void DisplayBoard();
    void lblSquare_Click(std::int16_t Index);
    void Sleep(float psglSeconds);
    // True while the computer's pause runs; square clicks are refused meanwhile.
    bool isComputerPausing() const { return m_computerPausing; }

    // Modes and new game.
    void chkTwoPlayer_Click();
    void mnuTwoPlayer_Click();
    void cmdReset_Click();
    void mnuNew_Click();

    std::array<std::int32_t, kSquares> mlngBoard{};
    std::int32_t mlngTurn = kWhite;
    bool mfGameOver = false;

  private:
    bool isTwoPlayer() const;
    bool isClickRefused() const;
    bool isBoardFull() const;
    std::size_t randomSearchPosition();
    void continueTwoPlayer();
    bool continueOnePlayer();
    void playComputerMoves();
    void endGame();

    GameWindow &m_window;
    bool m_computerPausing = false;
};

} // namespace korvane
