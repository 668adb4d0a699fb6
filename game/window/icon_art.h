// The program's icon, drawn by code: a corner of a green board with four discs.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace korvane {

inline constexpr int kIconWidth = 46;
inline constexpr int kIconHeight = 42;

QPixmap drawIconPicture();
// A square picture of the icon for the desktop's icon theme, size pixels wide.
QImage drawThemeIcon(int size);
QIcon korvaneIcon();

} // namespace korvane
