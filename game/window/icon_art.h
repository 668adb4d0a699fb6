// The program's icon, drawn by code: a corner of a green board with four discs.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace korvane {

inline constexpr int kIconWidth = 46;
inline constexpr int kIconHeight = 42;

QPixmap drawIconPicture();
// The icon for the desktop's icon theme, on a square size units wide, painted on any device
// (a picture, or a scalable drawing).
void paintThemeIcon(QPainter &painter, int size);
// A square picture of the icon for the desktop's icon theme, size pixels wide.
QImage drawThemeIcon(int size);
QIcon korvaneIcon();

} // namespace korvane
