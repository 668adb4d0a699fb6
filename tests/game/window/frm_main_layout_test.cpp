// frmMain's controls where they belong, at the initial size and after every kind of resize.
#include "testable_main.h"
#include "window/board_sizing.h"
#include "window/disc_shape.h"
#include "window/square_label.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

using korvane::test::TestableMain;

namespace {

void setClientSize(TestableMain &window, QSize client) {
    window.resize(client.width(), client.height() + window.menuBar()->height());
}

// The outer size counts the frame the window system draws around the window.
void setOuterSize(TestableMain &window, QSize outer) {
    window.resize(outer - (window.frameGeometry().size() - window.size()));
}

QWidget *fixedControl(const TestableMain &window, const QString &name) {
    const korvane::MainControls &c = window.controls();
    const std::map<QString, QWidget *> controls = {
        {"lblTurn", c.lblTurn},   {"lblScore", c.lblScore}, {"lblWhite", c.lblWhite},
        {"lblBlack", c.lblBlack}, {"cmdReset", c.cmdReset}, {"chkTwoPlayer", c.chkTwoPlayer},
    };
    return controls.at(name);
}

// The width a control leaves its caption, as its style draws it.
int captionRoom(const QWidget *control) {
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->contentsRect().width();
    QStyleOptionButton option;
    option.initFrom(control);
    const QStyle::SubElement contents = qobject_cast<const QCheckBox *>(control)
                                            ? QStyle::SE_CheckBoxContents
                                            : QStyle::SE_PushButtonContents;
    return control->style()->subElementRect(contents, &option, control).width();
}

QRect squareGeometry(const TestableMain &window, int index) {
    return window.controls().lblSquare[static_cast<std::size_t>(index)]->geometry();
}

QRect discGeometry(const TestableMain &window, int index) {
    return window.controls().shpDisc[static_cast<std::size_t>(index)]->geometry();
}

} // namespace

class FrmMainLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void opensCentredWithItsClientArea();
    void fixedControlsNeverMove_data();
    void fixedControlsNeverMove();
    void boardFollowsClientArea_data();
    void boardFollowsClientArea();
    void tooSmallWindowSnapsBackToMinimum_data();
    void tooSmallWindowSnapsBackToMinimum();
    void windowManagerIsToldTheMinimumSize();
    void minimisedWindowIsLeftAloneUntilRestored();
    void maximisedWindowLaysBoardOutForItsClientArea();
    void boardIsPaintedInItsColours();
    void captionsShareOneSizeAndFitTheirBoxes_data();
    void captionsShareOneSizeAndFitTheirBoxes();
    void focusStartsOnNewGameThenMovesToCheckBox();
};

void FrmMainLayoutTest::opensCentredWithItsClientArea() {
    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.clientArea()->size(), QSize(322, 352));
    QCOMPARE(window.clientArea()->y(), window.menuBar()->height());
    // Placed before the window system has told the frame's size, so off by at most that.
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    const QSize frame = window.frameGeometry().size() - window.size();
    QVERIFY((window.frameGeometry().center() - screenCentre).manhattanLength() <=
            frame.width() + frame.height() + 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvane"));
    QCOMPARE(window.windowIcon().availableSizes(), QList<QSize>{QSize(46, 42)});
}

void FrmMainLayoutTest::fixedControlsNeverMove_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");

    QTest::newRow("lblTurn") << "lblTurn" << QRect(75, 0, 1290, 180) << "White's Turn";
    QTest::newRow("lblScore") << "lblScore" << QRect(1560, 0, 480, 180) << "Score:";
    QTest::newRow("lblWhite") << "lblWhite" << QRect(2100, 0, 375, 210) << "2";
    QTest::newRow("lblBlack") << "lblBlack" << QRect(2490, 0, 375, 210) << "2";
    QTest::newRow("cmdReset") << "cmdReset" << QRect(75, 195, 1095, 300) << "New Game";
    QTest::newRow("chkTwoPlayer") << "chkTwoPlayer" << QRect(1350, 285, 1575, 225)
                                  << "Two-Player Mode";
}

void FrmMainLayoutTest::fixedControlsNeverMove() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);

    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect pixels(twips.left() / 15, twips.top() / 15, twips.width() / 15,
                       twips.height() / 15);
    QWidget *control = fixedControl(window, name);
    QCOMPARE(control->property("text").toString(), caption);
    for (const QSize client : {QSize(322, 352), QSize(900, 700), QSize(210, 210)}) {
        setClientSize(window, client);
        QCOMPARE(control->geometry(), pixels);
    }
}

void FrmMainLayoutTest::boardFollowsClientArea_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("square");
    QTest::addColumn<int>("disc");
    QTest::addColumn<int>("offset");

    QTest::newRow("initial 4830 x 5280") << QSize(322, 352) << 39 << 31 << 4;
    QTest::newRow("4830 x 7995, width limits") << QSize(322, 533) << 39 << 31 << 4;
    QTest::newRow("wide, height limits") << QSize(700, 352) << 39 << 31 << 4;
    QTest::newRow("40 pixel squares") << QSize(330, 500) << 40 << 32 << 4;
    QTest::newRow("41 pixel squares") << QSize(338, 500) << 41 << 32 << 4;
    QTest::newRow("large") << QSize(1000, 900) << 107 << 85 << 11;
}

void FrmMainLayoutTest::boardFollowsClientArea() {
    QFETCH(QSize, client);
    QFETCH(int, square);
    QFETCH(int, disc);
    QFETCH(int, offset);

    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setClientSize(window, client);
    QCOMPARE(window.clientArea()->size(), client);
    for (int index = 0; index < korvane::kBoardSquares; ++index) {
        const QPoint topLeft(5 + index / 8 * square, 35 + index % 8 * square);
        QCOMPARE(squareGeometry(window, index), QRect(topLeft, QSize(square, square)));
        QCOMPARE(discGeometry(window, index),
                 QRect(topLeft + QPoint(offset, offset), QSize(disc, disc)));
    }
}

void FrmMainLayoutTest::tooSmallWindowSnapsBackToMinimum_data() {
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("both too small") << QSize(100, 120) << QSize(200, 200);
    QTest::newRow("too narrow") << QSize(150, 400) << QSize(200, 400);
    QTest::newRow("too low") << QSize(420, 60) << QSize(420, 200);
    QTest::newRow("exactly the minimum") << QSize(200, 200) << QSize(200, 200);
}

void FrmMainLayoutTest::tooSmallWindowSnapsBackToMinimum() {
    QFETCH(QSize, requested);
    QFETCH(QSize, expected);

    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setOuterSize(window, requested);
    QCOMPARE(window.frameGeometry().size(), expected);

    // The board is laid out for the final size, as a window of that size would have it.
    TestableMain reference;
    reference.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reference));
    setOuterSize(reference, expected);
    QCOMPARE(window.clientArea()->size(), reference.clientArea()->size());
    for (int index = 0; index < korvane::kBoardSquares; ++index) {
        QCOMPARE(squareGeometry(window, index), squareGeometry(reference, index));
        QCOMPARE(discGeometry(window, index), discGeometry(reference, index));
    }
    QVERIFY(squareGeometry(window, 0).width() >= 8);
}

// Told only the menu bar's height, a window manager lets a drag clip the header until the
// button is let go.
void FrmMainLayoutTest::windowManagerIsToldTheMinimumSize() {
    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize frame = window.frameGeometry().size() - window.size();
    QCOMPARE(window.windowHandle()->minimumSize() + frame, QSize(200, 200));
}

void FrmMainLayoutTest::minimisedWindowIsLeftAloneUntilRestored() {
    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect before = squareGeometry(window, 63);

    window.showMinimized();
    QVERIFY(window.isMinimized());
    setClientSize(window, QSize(500, 600));
    QCOMPARE(squareGeometry(window, 63), before);

    window.showNormal();
    QCOMPARE(window.clientArea()->size(), QSize(500, 600));
    QCOMPARE(squareGeometry(window, 63), QRect(5 + 7 * 61, 35 + 7 * 61, 61, 61));
}

void FrmMainLayoutTest::maximisedWindowLaysBoardOutForItsClientArea() {
    TestableMain window;
    window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.clientArea()->width() > 322);

    const QSize client = window.clientArea()->size();
    const korvane::BoardSize board =
        korvane::boardSizeForClient(client.width() * 15.0, client.height() * 15.0);
    QVERIFY(board.square > 585);
    QCOMPARE(squareGeometry(window, 63),
             QRect(5 + 7 * board.square / 15, 35 + 7 * board.square / 15, board.square / 15,
                   board.square / 15));
}

void FrmMainLayoutTest::boardIsPaintedInItsColours() {
    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage client = window.clientArea()->grab().toImage();
    auto centre = [&](int index) {
        return client.pixelColor(squareGeometry(window, index).center());
    };

    QCOMPARE(centre(0), QColor(0, 128, 0));
    QCOMPARE(centre(27), QColor(Qt::white));
    QCOMPARE(centre(28), QColor(Qt::black));
    QCOMPARE(centre(35), QColor(Qt::black));
    QCOMPARE(centre(36), QColor(Qt::white));
    // A thin dark border separates neighbouring squares.
    QCOMPARE(client.pixelColor(squareGeometry(window, 8).topLeft()), QColor(Qt::black));
    const QRect white = window.controls().lblWhite->geometry();
    QCOMPARE(client.pixelColor(white.left() + 1, white.bottom() - 1), QColor(Qt::white));
    const QRect black = window.controls().lblBlack->geometry();
    QCOMPARE(client.pixelColor(black.left() + 1, black.bottom() - 1), QColor(Qt::black));
    QCOMPARE(client.pixelColor(2, 200), window.clientArea()->palette().color(QPalette::Button));
    QVERIFY(window.controls().lblTurn->font().bold());
    QVERIFY(window.controls().lblWhite->font().bold());
    QVERIFY(!window.controls().lblScore->font().bold());
}

void FrmMainLayoutTest::captionsShareOneSizeAndFitTheirBoxes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("lblTurn") << "lblTurn"
                             << QStringList{"White's Turn", "Black's Turn", "White Wins!",
                                            "Black Wins!", "It's a Tie!"};
    QTest::newRow("lblScore") << "lblScore" << QStringList{"Score:"};
    QTest::newRow("lblWhite") << "lblWhite" << QStringList{"64"};
    QTest::newRow("lblBlack") << "lblBlack" << QStringList{"64"};
    QTest::newRow("cmdReset") << "cmdReset" << QStringList{"New Game"};
    QTest::newRow("chkTwoPlayer") << "chkTwoPlayer" << QStringList{"Two-Player Mode"};
}

void FrmMainLayoutTest::captionsShareOneSizeAndFitTheirBoxes() {
    QFETCH(QString, name);
    QFETCH(QStringList, captions);

    TestableMain window;
    const QWidget *control = fixedControl(window, name);
    QCOMPARE(QFontInfo(control->font()).pixelSize(),
             QFontInfo(window.controls().lblTurn->font()).pixelSize());
    const QFontMetrics metrics(control->font());
    for (const QString &caption : captions)
        QVERIFY2(metrics.horizontalAdvance(caption) <= captionRoom(control), qPrintable(caption));
}

void FrmMainLayoutTest::focusStartsOnNewGameThenMovesToCheckBox() {
    TestableMain window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.controls().cmdReset);
    QTest::keyClick(window.controls().cmdReset, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.controls().chkTwoPlayer);
}

QTEST_MAIN(FrmMainLayoutTest)
#include "frm_main_layout_test.moc"
