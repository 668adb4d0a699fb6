// A fixed middle-game position, so the picture says "Reversi" at a glance.
#include "splash_art.h"

#include "rules/board_dimensions.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <initializer_list>
#include <string_view>

namespace korvane {
namespace {

constexpr int kCell = 32;
constexpr int kBoardLeft = 24;
constexpr int kBoardTop = 48;
const QColor kBoardGreen(0, 128, 0);
const QColor kGold(232, 196, 92);

// One row per board row: W white, B black, anything else empty.
constexpr std::array<std::string_view, kBoardSide> kPosition = {
    "........", "..B.....", "..BBW...", "..BWWW..", "...BWB..", "....BB..", "....W...", "........",
};

void drawBoard(QPainter &painter) {
    const QRect board(kBoardLeft, kBoardTop, kBoardSide * kCell, kBoardSide * kCell);
    painter.fillRect(board.adjusted(-6, -6, 6, 6), QColor(70, 40, 20));
    painter.fillRect(board, kBoardGreen);
    painter.setPen(QPen(Qt::black, 1));
    for (int line = 0; line <= kBoardSide; ++line) {
        painter.drawLine(board.left() + line * kCell, board.top(), board.left() + line * kCell,
                         board.top() + kBoardSide * kCell);
        painter.drawLine(board.left(), board.top() + line * kCell,
                         board.left() + kBoardSide * kCell, board.top() + line * kCell);
    }
    for (int row = 0; row < kBoardSide; ++row) {
        for (int column = 0; column < kBoardSide; ++column) {
            const char square =
                kPosition[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (square != 'W' && square != 'B')
                continue;
            painter.setBrush(square == 'W' ? QColor(Qt::white) : QColor(Qt::black));
            painter.drawEllipse(QRectF(board.left() + column * kCell + 4.5,
                                       board.top() + row * kCell + 4.5, kCell - 8.0, kCell - 8.0));
        }
    }
}

// The name is lettered in strokes on a 4 by 6 grid rather than set in a font: the splash
// then shows before the font system has had to start.
void addStroke(QPainterPath &path, std::initializer_list<QPointF> points) {
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
}

QPainterPath letter(char glyph) {
    QPainterPath path;
    switch (glyph) {
    case 'K':
        addStroke(path, {{0, 0}, {0, 6}});
        addStroke(path, {{4, 0}, {0, 4}});
        addStroke(path, {{1.5, 2.9}, {4, 6}});
        break;
    case 'O':
        path.addEllipse(QRectF(0, 0, 4, 6));
        break;
    case 'R':
        addStroke(path, {{0, 6}, {0, 0}, {2.2, 0}});
        path.cubicTo(4.3, 0, 4.3, 3.2, 2.2, 3.2);
        path.lineTo(0, 3.2);
        addStroke(path, {{2, 3.2}, {4, 6}});
        break;
    case 'V':
        addStroke(path, {{0, 0}, {2, 6}, {4, 0}});
        break;
    case 'A':
        addStroke(path, {{0, 6}, {2, 0}, {4, 6}});
        addStroke(path, {{0.8, 4}, {3.2, 4}});
        break;
    case 'N':
        addStroke(path, {{0, 6}, {0, 0}, {4, 6}, {4, 0}});
        break;
    case 'E':
        addStroke(path, {{4, 0}, {0, 0}, {0, 6}, {4, 6}});
        addStroke(path, {{0, 3}, {3, 3}});
        break;
    default:
        break;
    }
    return path;
}

void drawName(QPainter &painter) {
    constexpr std::string_view kName = "KORVANE";
    constexpr double kUnit = 4.0;
    constexpr double kPitch = 22.0;
    const QPointF origin(297, 140);
    painter.setPen(QPen(kGold, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t at = 0; at < kName.size(); ++at) {
        QTransform place;
        place.translate(origin.x() + static_cast<double>(at) * kPitch, origin.y());
        place.scale(kUnit, kUnit);
        painter.drawPath(place.map(letter(kName[at])));
    }
    painter.setPen(QPen(kGold, 1.5));
    painter.drawLine(QPointF(origin.x(), 182), QPointF(origin.x() + 6 * kPitch + 4 * kUnit, 182));

    // Four discs under the name, as they stand at the start of a game.
    painter.setPen(QPen(Qt::black, 1));
    const std::array<QColor, 4> discs = {Qt::white, Qt::black, Qt::black, Qt::white};
    for (std::size_t at = 0; at < discs.size(); ++at) {
        painter.setBrush(discs[at]);
        painter.drawEllipse(QRectF(origin.x() + 22 + static_cast<double>(at) * 28, 198, 20, 20));
    }
}

} // namespace

QPixmap drawSplashPicture() {
    QPixmap picture(kSplashWidth, kSplashHeight);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, kSplashHeight);
    sky.setColorAt(0, QColor(10, 50, 30));
    sky.setColorAt(1, QColor(0, 10, 5));
    painter.fillRect(picture.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBoard(painter);
    drawName(painter);
    painter.setPen(QPen(kGold, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, kSplashWidth - 2, kSplashHeight - 2));
    return picture;
}

} // namespace korvane
