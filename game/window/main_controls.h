// The controls on frmMain's client area, created in their places with their settings;
// the squares and discs are placed later, by SizeBoard.
#pragma once

#include "rules/board_dimensions.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace korvane {

class DiscShape;
class SquareLabel;

struct MainControls {
    QLabel *lblTurn = nullptr;
    QLabel *lblScore = nullptr;
    QLabel *lblWhite = nullptr;
    QLabel *lblBlack = nullptr;
    QPushButton *cmdReset = nullptr;
    QCheckBox *chkTwoPlayer = nullptr;
    std::array<SquareLabel *, kBoardSquares> lblSquare{};
    std::array<DiscShape *, kBoardSquares> shpDisc{};
};

MainControls createMainControls(QWidget *client);

} // namespace korvane
