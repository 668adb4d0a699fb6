// The disc paints only its circle, so the square's green shows around it.
#include "disc_shape.h"

#include <QPainter>

namespace korvane {

DiscShape::DiscShape(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DiscShape::setFillColor(const QColor &color) {
    if (color == m_fillColor)
        return;
    m_fillColor = color;
    update();
}

void DiscShape::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(m_fillColor);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace korvane
