// The board's figures for a client area: square and disc sizes chosen by the resize
// handler, and where SizeBoard puts each square and disc. All values are twips.
#pragma once

#include "rules/board_dimensions.h"

#include <QRect>
#include <array>
#include <cstdint>

namespace korvane {

inline constexpr std::int32_t kBoardLeft = 75;
inline constexpr std::int32_t kBoardTop = 525;
inline constexpr std::int32_t kBoardRightMargin = 75;
inline constexpr std::int32_t kBoardBottomMargin = 75;
inline constexpr std::int32_t kMinimumOuterSize = 3000;

struct BoardSize {
    std::int32_t square;
    std::int32_t disc;
};

struct SquarePlacement {
    QRect square;
    QRect disc;
};

using BoardPlacement = std::array<SquarePlacement, kBoardSquares>;

// The resize handler's square and disc for a client area of the given size.
BoardSize boardSizeForClient(double clientWidth, double clientHeight);

// SizeBoard's placement: index n at column n div 8 and row n mod 8, discs centred.
BoardPlacement placeBoard(std::int32_t plngLeft, std::int32_t plngTop,
                          std::int32_t plngSquareDimension, std::int32_t plngDiscDiameter);

} // namespace korvane
