// A click counts, as on a push button, when the left button goes down and comes up on
// the square; a double-click is one click.
#include "square_label.h"

#include <QMouseEvent>

namespace korvane {
namespace {

const QColor kSquareGreen(0, 128, 0);

} // namespace

SquareLabel::SquareLabel(QWidget *parent)
    : QLabel(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kSquareGreen);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void SquareLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// Qt would take the second press of a double-click for a press of its own, and the release
// after it for a second click: in two-player mode, the other side's move on the square just
// taken.
void SquareLabel::mouseDoubleClickEvent(QMouseEvent *event) {
    m_pressed = false;
    event->accept();
}

void SquareLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace korvane
