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

// Paints the picture in icon units (kIconWidth by kIconHeight); the caller scales the painter.
void paintIcon(QPainter &painter) {
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
}

} // namespace

QPixmap drawIconPicture() {
    QPixmap picture(kIconWidth, kIconHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paintIcon(painter);
    return picture;
}

void paintThemeIcon(QPainter &painter, int size) {
    // The picture is wider than tall: fill the width and centre it from top to bottom.
    const double scale = static_cast<double>(size) / kIconWidth;
    painter.translate(0, (size - kIconHeight * scale) / 2);
    painter.scale(scale, scale);
    paintIcon(painter);
}

QImage drawThemeIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintThemeIcon(painter, size);
    return image;
}

QIcon korvaneIcon() {
    return QIcon(drawIconPicture());
}

} // namespace korvane
