// Fixed places are in twips; every caption shares one face and size, and the count labels
// keep the colours the game has always had.
#include "main_controls.h"

#include "disc_shape.h"
#include "square_label.h"
#include "twips.h"
#include "window_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace korvane {
namespace {

using window_texts::toQString;

// The boxes were measured for a narrow bitmap face that Linux lacks. A condensed sans has its
// widths at the same size, so every caption keeps one size and still fits its box; where the
// named face is missing, the stretch still asks for a narrow one.
QFont captionFont(bool bold) {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    font.setStretch(QFont::SemiCondensed);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

QLabel *createLabel(QWidget *client, std::string_view caption, const QRect &twips,
                    Qt::Alignment alignment) {
    auto *label = new QLabel(toQString(caption), client);
    label->setGeometry(twipsToPixels(twips));
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

void colourLabel(QLabel *label, const QColor &background, const QColor &text) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    label->setPalette(colours);
    label->setAutoFillBackground(true);
}

} // namespace

MainControls createMainControls(QWidget *client) {
    client->setFont(captionFont(false));
    MainControls controls;

    controls.lblTurn =
        createLabel(client, window_texts::kInitialTurn, QRect(75, 0, 1290, 180), Qt::AlignLeft);
    controls.lblTurn->setFont(captionFont(true));
    controls.lblScore =
        createLabel(client, window_texts::kScore, QRect(1560, 0, 480, 180), Qt::AlignLeft);
    controls.lblWhite = createLabel(client, window_texts::kInitialCount, QRect(2100, 0, 375, 210),
                                    Qt::AlignHCenter);
    controls.lblWhite->setFont(captionFont(true));
    colourLabel(controls.lblWhite, Qt::white, client->palette().color(QPalette::WindowText));
    controls.lblBlack = createLabel(client, window_texts::kInitialCount, QRect(2490, 0, 375, 210),
                                    Qt::AlignHCenter);
    controls.lblBlack->setFont(captionFont(true));
    colourLabel(controls.lblBlack, Qt::black, Qt::white);

    controls.cmdReset = new QPushButton(toQString(window_texts::kNewGame), client);
    controls.cmdReset->setGeometry(twipsToPixels(QRect(75, 195, 1095, 300)));
    controls.chkTwoPlayer = new QCheckBox(toQString(window_texts::kTwoPlayerMode), client);
    controls.chkTwoPlayer->setGeometry(twipsToPixels(QRect(1350, 285, 1575, 225)));
    QWidget::setTabOrder(controls.cmdReset, controls.chkTwoPlayer);

    // Created after the squares, the discs stack above them.
    for (auto &square : controls.lblSquare)
        square = new SquareLabel(client);
    for (auto &disc : controls.shpDisc)
        disc = new DiscShape(client);
    return controls;
}

} // namespace korvane
