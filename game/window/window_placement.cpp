#include "window_placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace korvane {

void centreOnScreen(QWidget *window, const QSize &size) {
    const QScreen *screen = window->screen();
    if (screen == nullptr)
        return;
    window->move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen->availableGeometry())
            .topLeft());
}

} // namespace korvane
