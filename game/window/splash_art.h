// The splash picture, drawn by code: a board in play beside the game's name.
#pragma once

#include <QPixmap>

namespace korvane {

inline constexpr int kSplashWidth = 461;
inline constexpr int kSplashHeight = 353;

QPixmap drawSplashPicture();

} // namespace korvane
