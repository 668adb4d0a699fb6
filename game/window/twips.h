// Positions and sizes of the game's windows are kept in twips; Qt places widgets in
// device-independent pixels, which stand for the 96-dot-per-inch pixel at any scale.
#pragma once

#include <QRect>

namespace korvane {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsToPixels(const QRect &twips) {
    return {twipsToPixels(twips.left()), twipsToPixels(twips.top()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

} // namespace korvane
