// Text boards and the reference capture rules.
#include "reference_board.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace korvane::test {

Board boardFromRows(const std::array<const char *, 8> &rows) {
    Board board{};
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const std::string_view row = rows[y];
        if (row.size() != 8)
            throw std::invalid_argument("a board row needs 8 squares");
        for (std::size_t x = 0; x < row.size(); ++x)
            board[y * 8 + x] = row[x] == 'W' ? 1 : row[x] == 'B' ? -1 : 0;
    }
    return board;
}

Capture captureOf(const Board &board, std::int32_t colour, int square) {
    Capture capture;
    if (board[static_cast<std::size_t>(square)] != 0)
        return capture;
    const int row = square / 8;
    const int column = square % 8;
    for (int dRow = -1; dRow <= 1; ++dRow) {
        for (int dColumn = -1; dColumn <= 1; ++dColumn) {
            std::vector<int> run;
            int r = row + dRow;
            int c = column + dColumn;
            while ((dRow != 0 || dColumn != 0) && r >= 0 && r < 8 && c >= 0 && c < 8 &&
                   board[static_cast<std::size_t>(r * 8 + c)] == -colour) {
                run.push_back(r * 8 + c);
                r += dRow;
                c += dColumn;
            }
            const bool closed = r >= 0 && r < 8 && c >= 0 && c < 8 &&
                                board[static_cast<std::size_t>(r * 8 + c)] == colour;
            if (!run.empty() && closed) {
                ++capture.lines;
                capture.turned.insert(capture.turned.end(), run.begin(), run.end());
            }
        }
    }
    std::sort(capture.turned.begin(), capture.turned.end());
    return capture;
}

std::vector<int> legalSquares(const Board &board, std::int32_t colour) {
    std::vector<int> squares;
    for (int square = 0; square < 64; ++square) {
        if (captureOf(board, colour, square).lines > 0)
            squares.push_back(square);
    }
    return squares;
}

int discCount(const Board &board, std::int32_t colour) {
    return static_cast<int>(std::count(board.begin(), board.end(), colour));
}

} // namespace korvane::test
