// Boards written as text, and a plain reference for what a move captures, so the tests judge
// the rules by something other than the rules themselves.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace korvane::test {

using Board = std::array<std::int32_t, 64>;

// Rows of 'W', 'B' and '.'; character x of row y is square y * 8 + x.
Board boardFromRows(const std::array<const char *, 8> &rows);

struct Capture {
    int lines = 0;
    std::vector<int> turned;
};

// What placing colour on square would capture; nothing when the square is taken.
Capture captureOf(const Board &board, std::int32_t colour, int square);
std::vector<int> legalSquares(const Board &board, std::int32_t colour);
int discCount(const Board &board, std::int32_t colour);

} // namespace korvane::test
