// Games played through the window's own widgets: clicks on squares and discs, the
// computer's pause, New Game, and whole games to their verdict in both modes.
#include "modal_box_catcher.h"
#include "testable_main.h"
#include "window/disc_shape.h"
#include "window/square_label.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>

using korvane::test::ModalBoxCatcher;
using korvane::test::TestableMain;

namespace {

using Board = std::array<std::int32_t, 64>;

Board openingBoard() {
    Board board{};
    board[27] = board[36] = 1;
    board[28] = board[35] = -1;
    return board;
}

void showWindow(TestableMain &window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// Runs action within the pause of the next click, whose first wait delivers it.
void duringPause(TestableMain &window, std::function<void()> action) {
    QMetaObject::invokeMethod(&window, std::move(action), Qt::QueuedConnection);
}

void clickSquare(TestableMain &window, int index) {
    QTest::mouseClick(window.controls().lblSquare[static_cast<std::size_t>(index)], Qt::LeftButton);
}

int firstLegalSquare(TestableMain &window) {
    korvane::GameRules &rules = window.rules();
    for (int index = 0; index < 64; ++index) {
        if (rules.MakeMove(rules.mlngTurn, index, false) != 0)
            return index;
    }
    return -1;
}

QString accessibleName(TestableMain &window, int index) {
    return window.controls().lblSquare[static_cast<std::size_t>(index)]->accessibleName();
}

// Discs, counts and what a screen reader says of each square must show exactly the board the
// rules hold.
void verifyDisplayShowsBoard(TestableMain &window) {
    const Board &board = window.rules().mlngBoard;
    for (int index = 0; index < 64; ++index) {
        const std::int32_t color = board[static_cast<std::size_t>(index)];
        const korvane::DiscShape *disc = window.controls().shpDisc[static_cast<std::size_t>(index)];
        QCOMPARE(disc->isVisible(), color != 0);
        if (color != 0)
            QCOMPARE(disc->fillColor(), QColor(color == 1 ? Qt::white : Qt::black));
        const QString name = accessibleName(window, index);
        QVERIFY2(name.endsWith(color == 0   ? QStringLiteral(", empty")
                               : color == 1 ? QStringLiteral(", white disc")
                                            : QStringLiteral(", black disc")),
                 qPrintable(name));
    }
    QCOMPARE(window.controls().lblWhite->text(),
             QString::number(std::count(board.begin(), board.end(), 1)));
    QCOMPARE(window.controls().lblBlack->text(),
             QString::number(std::count(board.begin(), board.end(), -1)));
}

QString turnLabel(TestableMain &window) {
    return window.controls().lblTurn->text();
}

} // namespace

class GamePlayTest : public QObject {
    Q_OBJECT

  private slots:
    void openingPositionIsShown();
    void computerRepliesAfterPauseThatRefusesClicks();
    void newGameDuringPauseCancelsComputerMove();
    void clickOnDiscReachesItsSquare();
    void doubleClickIsOneClick();
    void pauseSleepsButDeliversEvents();
    void wholeGame_data();
    void wholeGame();
};

void GamePlayTest::openingPositionIsShown() {
    TestableMain window;
    showWindow(window);
    QCOMPARE(window.rules().mlngBoard, openingBoard());
    verifyDisplayShowsBoard(window);
    QCOMPARE(accessibleName(window, 0), QStringLiteral("Row 1, column 1, empty"));
    QCOMPARE(accessibleName(window, 7), QStringLiteral("Row 8, column 1, empty"));
    QCOMPARE(accessibleName(window, 56), QStringLiteral("Row 1, column 8, empty"));
    QCOMPARE(accessibleName(window, 27), QStringLiteral("Row 4, column 4, white disc"));
    QCOMPARE(accessibleName(window, 28), QStringLiteral("Row 5, column 4, black disc"));
    QCOMPARE(turnLabel(window), QStringLiteral("White's Turn"));
    QVERIFY(!window.rules().mfGameOver);
}

void GamePlayTest::computerRepliesAfterPauseThatRefusesClicks() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.skipPauses();
    showWindow(window);
    QString labelDuringPause;
    Board boardDuringPause{};
    Board boardAfterRefusedClick{};
    bool discShownDuringPause = false;
    duringPause(window, [&] {
        labelDuringPause = turnLabel(window);
        boardDuringPause = window.rules().mlngBoard;
        discShownDuringPause = window.controls().shpDisc[20]->isVisible();
        clickSquare(window, 29);
        boardAfterRefusedClick = window.rules().mlngBoard;
    });
    clickSquare(window, 20);

    QCOMPARE(labelDuringPause, QStringLiteral("Black's Turn"));
    QVERIFY(discShownDuringPause);
    QCOMPARE(boardDuringPause[20], 1);
    QCOMPARE(boardDuringPause[28], 1);
    QCOMPARE(boardAfterRefusedClick, boardDuringPause);
    QVERIFY(boxes.boxes().empty());

    const Board &board = window.rules().mlngBoard;
    QCOMPARE(std::count_if(board.begin(), board.end(), [](std::int32_t v) { return v != 0; }), 6);
    QVERIFY(std::count(board.begin(), board.end(), -1) >= 3);
    QCOMPARE(turnLabel(window), QStringLiteral("White's Turn"));
    verifyDisplayShowsBoard(window);
}

void GamePlayTest::newGameDuringPauseCancelsComputerMove() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.skipPauses();
    showWindow(window);
    duringPause(window, [&] { QTest::mouseClick(window.controls().cmdReset, Qt::LeftButton); });
    clickSquare(window, 20);

    QCOMPARE(window.rules().mlngBoard, openingBoard());
    QCOMPARE(window.rules().mlngTurn, 1);
    QCOMPARE(turnLabel(window), QStringLiteral("White's Turn"));
    verifyDisplayShowsBoard(window);
    QVERIFY(boxes.boxes().empty());
}

void GamePlayTest::clickOnDiscReachesItsSquare() {
    ModalBoxCatcher boxes;
    TestableMain window;
    showWindow(window);
    const korvane::DiscShape *disc = window.controls().shpDisc[27];
    const QPoint centre = disc->mapTo(&window, disc->rect().center());
    QCOMPARE(window.childAt(centre), window.controls().lblSquare[27]);

    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Illegal Move.  Try again.")});
    QCOMPARE(window.rules().mlngBoard, openingBoard());
}

// In two-player mode nothing refuses the second press of a double-click, so counted as a
// click of its own it would be the other side's move on the square just taken.
void GamePlayTest::doubleClickIsOneClick() {
    ModalBoxCatcher boxes;
    TestableMain window;
    showWindow(window);
    QTest::mouseClick(window.controls().chkTwoPlayer, Qt::LeftButton);
    const korvane::SquareLabel *square = window.controls().lblSquare[20];
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                       square->mapTo(&window, square->rect().center()));

    QVERIFY(boxes.boxes().empty());
    Board afterWhite = openingBoard();
    afterWhite[20] = afterWhite[28] = 1;
    QCOMPARE(window.rules().mlngBoard, afterWhite);
    QCOMPARE(window.rules().mlngTurn, -1);

    // The next single click is counted again.
    clickSquare(window, firstLegalSquare(window));
    QVERIFY(boxes.boxes().empty());
    QCOMPARE(window.rules().mlngTurn, 1);
}

void GamePlayTest::pauseSleepsButDeliversEvents() {
    TestableMain window;
    bool delivered = false;
    QTimer::singleShot(50, &window, [&] { delivered = true; });
    QElapsedTimer clock;
    clock.start();
    window.processEvents(std::chrono::milliseconds(300));
    QVERIFY(delivered);
    QVERIFY(clock.elapsed() >= 295);
    QVERIFY(clock.elapsed() < 1000);

    clock.restart();
    window.processEvents(std::chrono::milliseconds(0));
    window.processEvents(std::chrono::milliseconds(-5));
    QVERIFY(clock.elapsed() < 100);
}

void GamePlayTest::wholeGame_data() {
    QTest::addColumn<bool>("twoPlayer");
    QTest::addColumn<unsigned>("seed");

    QTest::newRow("two players") << true << 0u;
    for (unsigned seed : {1u, 2u, 3u, 4u})
        QTest::newRow(qPrintable(QStringLiteral("against the computer, seed %1").arg(seed)))
            << false << seed;
}

void GamePlayTest::wholeGame() {
    QFETCH(bool, twoPlayer);
    QFETCH(unsigned, seed);

    ModalBoxCatcher boxes;
    TestableMain window;
    window.skipPauses();
    window.seedRandom(seed);
    showWindow(window);
    if (twoPlayer)
        QTest::mouseClick(window.controls().chkTwoPlayer, Qt::LeftButton);

    for (int clicks = 0; !window.rules().mfGameOver; ++clicks) {
        QVERIFY(clicks < 64);
        const int square = firstLegalSquare(window);
        QVERIFY(square >= 0);
        clickSquare(window, square);
        verifyDisplayShowsBoard(window);
        if (QTest::currentTestFailed())
            return;
        if (!window.rules().mfGameOver) {
            QVERIFY(twoPlayer || window.rules().mlngTurn == 1);
            QCOMPARE(turnLabel(window), window.rules().mlngTurn == 1
                                            ? QStringLiteral("White's Turn")
                                            : QStringLiteral("Black's Turn"));
        }
    }

    const Board &board = window.rules().mlngBoard;
    const auto lead =
        std::count(board.begin(), board.end(), 1) - std::count(board.begin(), board.end(), -1);
    const QString winner = lead > 0 ? QStringLiteral("White") : QStringLiteral("Black");
    QString message = QStringLiteral("No more moves.  Game over.  It's a tie!");
    if (lead != 0 && twoPlayer)
        message = QStringLiteral("No more moves.  Game over.  %1 wins!").arg(winner);
    else if (lead != 0)
        message = lead > 0 ? QStringLiteral("No more moves.  Game over.  You win!")
                           : QStringLiteral("No more moves.  Game over.  I win!");
    QCOMPARE(boxes.texts().last(), message);
    const QString verdict =
        lead == 0 ? QStringLiteral("It's a Tie!") : winner + QStringLiteral(" Wins!");
    QCOMPARE(turnLabel(window), verdict);
    const QStringList passes = twoPlayer
                                   ? QStringList{"White has no legal moves.  Black's turn again.",
                                                 "Black has no legal moves.  White's turn again."}
                                   : QStringList{"You have no legal moves.  My turn again.",
                                                 "I have no legal moves.  Your turn again."};
    for (qsizetype at = 0; at + 1 < boxes.texts().size(); ++at)
        QVERIFY2(passes.contains(boxes.texts().at(at)), qPrintable(boxes.texts().at(at)));

    // After the verdict the board takes no clicks until New Game, whose first click, even
    // an illegal one, brings the turn text back.
    const Board finished = board;
    boxes.clear();
    for (int index = 0; index < 64; ++index)
        clickSquare(window, index);
    QVERIFY(boxes.boxes().empty());
    QCOMPARE(window.rules().mlngBoard, finished);

    QTest::mouseClick(window.controls().cmdReset, Qt::LeftButton);
    QCOMPARE(window.rules().mlngBoard, openingBoard());
    QCOMPARE(turnLabel(window), verdict);
    QCOMPARE(window.controls().chkTwoPlayer->isChecked(), twoPlayer);
    QVERIFY(window.controls().chkTwoPlayer->isEnabled());
    clickSquare(window, 0);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Illegal Move.  Try again.")});
    QCOMPARE(turnLabel(window), QStringLiteral("White's Turn"));
    verifyDisplayShowsBoard(window);
}

QTEST_MAIN(GamePlayTest)
#include "game_play_test.moc"
