// The main window as the rules see it: its labels, mode controls, discs, message box,
// pause with event processing, and random numbers.
#pragma once

#include "board_dimensions.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace korvane {

class GameWindow {
  public:
    using Clock = std::chrono::steady_clock;

    virtual ~GameWindow() = default;

    // lblTurn, lblWhite and lblBlack captions.
    virtual std::string turnText() const = 0;
    virtual void setTurnText(const std::string &text) = 0;
    virtual std::string whiteCountText() const = 0;
    virtual void setWhiteCountText(const std::string &text) = 0;
    virtual std::string blackCountText() const = 0;
    virtual void setBlackCountText(const std::string &text) = 0;

    // chkTwoPlayer's value, 0 or 1. Setting a different value raises chkTwoPlayer_Click,
    // as a click on the box does.
    virtual int twoPlayerValue() const = 0;
    virtual void setTwoPlayerValue(int value) = 0;
    // The check mark of mnuTwoPlayer.
    virtual bool twoPlayerMenuChecked() const = 0;
    virtual void setTwoPlayerMenuChecked(bool checked) = 0;
    // mnuTwoPlayer, then chkTwoPlayer.
    virtual void setModeControlsEnabled(bool enabled) = 0;

    // shpDisc: per square, hidden when empty, else filled white (1) or black (-1).
    virtual void showDiscs(const std::array<std::int32_t, kBoardSquares> &board) = 0;

    // A modal box with an OK button only, no icon, titled "Korvane".
    virtual void showMessage(const std::string &text) = 0;

    // A monotonic clock, and a wait that processes window events as they come, returning
    // after at most maxWait. Together they make the computer's pause.
    virtual Clock::time_point now() const = 0;
    virtual void processEvents(Clock::duration maxWait) = 0;

    // A uniform random number in [0, 1).
    virtual double random() = 0;
};

} // namespace korvane
