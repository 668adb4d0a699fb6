// Centring a top-level window on the screen it will appear on.
#pragma once

class QSize;
class QWidget;

namespace korvane {

void centreOnScreen(QWidget *window, const QSize &size);

} // namespace korvane
