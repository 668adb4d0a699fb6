// The program's icon, drawn by code: a corner of a green board with four discs.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvane {

inline constexpr int kIconWidth = 46;
inline constexpr int kIconHeight = 42;

QPixmap drawIconPicture();
QIcon korvaneIcon();

} // namespace korvane
