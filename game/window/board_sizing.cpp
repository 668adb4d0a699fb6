// Board figures in twips, rounded down to whole pixels so that every edge lands on one.
#include "board_sizing.h"

#include "twips.h"

#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

constexpr std::int32_t kMinimumSquare = 120;
constexpr std::int32_t kMinimumDisc = 90;
constexpr double kDiscFactor = 0.8;

// Rounds to the nearest whole number, halves to even, under the default rounding mode.
std::int32_t roundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

std::int32_t downToWholePixels(std::int32_t twips) {
    return twips / kTwipsPerPixel * kTwipsPerPixel;
}

} // namespace

BoardSize boardSizeForClient(double clientWidth, double clientHeight) {
    const std::int32_t width = roundHalfEven(clientWidth - kBoardLeft - kBoardRightMargin);
    const std::int32_t height = roundHalfEven(clientHeight - kBoardTop - kBoardBottomMargin);
    const std::int32_t square =
        downToWholePixels(std::min(width / kBoardSide, height / kBoardSide));
    const std::int32_t disc = downToWholePixels(roundHalfEven(square * kDiscFactor));
    return {square, disc};
}

BoardPlacement placeBoard(std::int32_t plngLeft, std::int32_t plngTop,
                          std::int32_t plngSquareDimension, std::int32_t plngDiscDiameter) {
    const std::int32_t square = std::max(plngSquareDimension, kMinimumSquare);
    const std::int32_t disc = std::max(plngDiscDiameter, kMinimumDisc);
    const std::int32_t offset = downToWholePixels((square - disc) / 2);
    BoardPlacement placement{};
    for (int row = 0; row < kBoardSide; ++row) {
        for (int column = 0; column < kBoardSide; ++column) {
            const auto index = static_cast<std::size_t>(column * kBoardSide + row);
            const std::int32_t x = plngLeft + column * square;
            const std::int32_t y = plngTop + row * square;
            placement[index].square = QRect(x, y, square, square);
            placement[index].disc = QRect(x + offset, y + offset, disc, disc);
        }
    }
    return placement;
}

} // namespace korvane
