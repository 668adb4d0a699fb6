// A fixed middle-game position, so the picture says "Reversi" at a glance.
#include "splash_art.h"

#include <QLinearGradient>
#include <QPainter>

#include <array>
#include <string_view>

namespace korvane {
namespace {

constexpr int kBoardSide = 8;
constexpr int kCell = 32;
constexpr int kBoardLeft = 24;
constexpr int kBoardTop = 48;
const QColor kBoardGreen(0, 128, 0);
const QColor kGold(232, 196, 92);

// One row per board row: W white, B black, anything else empty.
constexpr std::array<std::string_view, kBoardSide> kPosition = {
    "........", "..B.....", "..BBW...", "..BWWW..", "...BWB..", "....BB..", "....W...",
    "........",
};

void drawBoard(QPainter &painter)
{
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
            const char square = kPosition[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (square != 'W' && square != 'B')
                continue;
            painter.setBrush(square == 'W' ? QColor(Qt::white) : QColor(Qt::black));
            painter.drawEllipse(QRectF(board.left() + column * kCell + 4.5,
                                       board.top() + row * kCell + 4.5, kCell - 8.0,
                                       kCell - 8.0));
        }
    }
}

void drawName(QPainter &painter)
{
    const QRect titleArea(296, 110, 150, 70);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setPixelSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(kGold);
    painter.drawText(titleArea, Qt::AlignCenter, QStringLiteral("Korvane"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setStyleHint(QFont::SansSerif);
    subtitle.setPixelSize(13);
    painter.setFont(subtitle);
    painter.setPen(Qt::white);
    painter.drawText(QRect(296, 180, 150, 60), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Reversi for one player or two"));
}

} // namespace

QPixmap drawSplashPicture()
{
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
