// Drawing the control's pictures. Painted without antialiasing in the 16 standard colours,
// then stored with that palette, so each pixel is exactly one of them.
#include "nelowav_bitmaps.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kLime(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);

QList<QRgb> sixteenColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage toSixteenColours(const QImage &image) {
    return image.convertToFormat(QImage::Format_Indexed8, sixteenColours(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

// A raised border: light on the top and left, shadow and a dark outline on the others.
void drawBevel(QPainter &painter, const QRect &area) {
    painter.setPen(kWhite);
    painter.drawLine(area.topLeft(), area.topRight() - QPoint(1, 0));
    painter.drawLine(area.topLeft(), area.bottomLeft() - QPoint(0, 1));
    painter.setPen(kBlack);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.setPen(kGrey);
    painter.drawLine(area.bottomLeft() + QPoint(1, -1), area.bottomRight() - QPoint(1, 1));
    painter.drawLine(area.topRight() + QPoint(-1, 1), area.bottomRight() - QPoint(1, 1));
}

// A decaying sine wave across the screen, around its middle line.
void drawWaveScreen(QPainter &painter, const QRect &screen, double cycles) {
    painter.fillRect(screen, kBlack);
    const int middle = screen.center().y();
    painter.setPen(kTeal);
    painter.drawLine(screen.left(), middle, screen.right(), middle);
    painter.setPen(kLime);
    const double amplitude = (screen.height() - 2) / 2.0;
    QPoint previous;
    for (int x = screen.left(); x <= screen.right(); ++x) {
        const double t = static_cast<double>(x - screen.left()) / screen.width();
        const double y = amplitude * (1.0 - 0.6 * t) * std::sin(2 * std::numbers::pi * cycles * t);
        const QPoint point(x, middle - static_cast<int>(std::lround(y)));
        if (x != screen.left())
            painter.drawLine(previous, point);
        previous = point;
    }
}

void drawLoudspeaker(QPainter &painter, const QRect &area, const QColor &body, const QColor &cone) {
    const int boxWidth = area.width() / 3;
    const int boxTop = area.top() + area.height() / 3;
    const int boxHeight = area.height() / 3;
    painter.fillRect(QRect(area.left(), boxTop, boxWidth, boxHeight), body);
    const QPolygon coneShape({QPoint(area.left() + boxWidth, boxTop),
                              QPoint(area.right(), area.top()), QPoint(area.right(), area.bottom()),
                              QPoint(area.left() + boxWidth, boxTop + boxHeight - 1)});
    painter.setPen(body);
    painter.setBrush(cone);
    painter.drawPolygon(coneShape);
}

} // namespace

QImage MakeFaceBitmap() {
    QImage image(62, 40, QImage::Format_RGB32);
    image.fill(kSilver);
    {
        QPainter painter(&image);
        drawBevel(painter, image.rect());
        drawLoudspeaker(painter, QRect(4, 11, 9, 17), kNavy, kBlue);
        drawWaveScreen(painter, QRect(16, 5, 41, 29), 3.0);
        painter.setPen(kGreen);
        painter.drawLine(16, 35, 56, 35);
    }
    return toSixteenColours(image);
}

QImage MakeToolboxBitmap() {
    QImage image(16, 15, QImage::Format_RGB32);
    image.fill(kSilver);
    {
        QPainter painter(&image);
        drawWaveScreen(painter, QRect(1, 1, 14, 13), 2.0);
    }
    return toSixteenColours(image);
}

QImage MakeAboutIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLoudspeaker(painter, QRect(2, 6, 14, 20), kNavy, kBlue);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGreen, 2));
    for (int ring = 0; ring < 3; ++ring) {
        const int radius = 5 + 4 * ring;
        painter.drawArc(QRect(16 - radius, 16 - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
    }
    return image;
}
