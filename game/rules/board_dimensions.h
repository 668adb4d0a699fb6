// The board's shape, eight squares a side and 64 in all: fixed here once for the rules and
// the window alike.
#pragma once

namespace korvane {

inline constexpr int kBoardSide = 8;
inline constexpr int kBoardSquares = kBoardSide * kBoardSide;

} // namespace korvane
