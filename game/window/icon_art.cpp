#include "icon_art.h"

#include <QPainter>

namespace korvane {
namespace {

constexpr int kCells = 4;
const QColor kBoardGreen(0, 128, 0);

void drawDisc(QPainter &painter, const QRectF &cell, const QColor &fill) {
    painter.setBrush(fill);
    painter.drawEllipse(cell.adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace

QPixmap drawIconPicture() {
    QPixmap picture(kIconWidth, kIconHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF board(0.5, 0.5, kIconWidth - 1.0, kIconHeight - 1.0);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(kBoardGreen);
    painter.drawRect(board);
    const double cellWidth = board.width() / kCells;
    const double cellHeight = board.height() / kCells;
    for (int line = 1; line < kCells; ++line) {
        painter.drawLine(QPointF(board.left() + line * cellWidth, board.top()),
                         QPointF(board.left() + line * cellWidth, board.bottom()));
        painter.drawLine(QPointF(board.left(), board.top() + line * cellHeight),
                         QPointF(board.right(), board.top() + line * cellHeight));
    }
    auto cell = [&](int column, int row) {
        return QRectF(board.left() + column * cellWidth, board.top() + row * cellHeight, cellWidth,
                      cellHeight);
    };
    drawDisc(painter, cell(1, 1), Qt::white);
    drawDisc(painter, cell(2, 2), Qt::white);
    drawDisc(painter, cell(2, 1), Qt::black);
    drawDisc(painter, cell(1, 2), Qt::black);
    drawDisc(painter, cell(3, 0), Qt::white);
    return picture;
}

QIcon korvaneIcon() {
    return QIcon(drawIconPicture());
}

} // namespace korvane
