// Every message box of the game: its title, its text, an OK button only and no icon.
#include "modal_box_catcher.h"
#include "testable_main.h"
#include "window/square_label.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <array>

using korvane::test::CaughtBox;
using korvane::test::ModalBoxCatcher;
using korvane::test::TestableMain;

namespace {

const QString kRules = QStringLiteral(
    "You can play against another person or against the computer.  When you play against the "
    "computer, you are white and you move first.  The goal is to try to change the color of "
    "the other player's pieces to your color by 'outflanking' them, which means bordering "
    "horizontal, vertical, or diagonal rows of your opponent's pieces on both ends with your "
    "pieces.  You are able to make a move if the piece you are putting down creates a "
    "situation where you are 'surrounding' one or more pieces of the opposite color in one or "
    "more rows.  If, on your turn, you cannot outflank and change the color of at least one "
    "opposing piece, your turn is forfeited and your opponent moves again.  However, if a move "
    "is available to you, you may not forfeit your turn.  The game is over when the board is "
    "full or when there are no more available moves.  The player with the most pieces on the "
    "board wins.");

void verifyPlainOkBox(const CaughtBox &box, const QString &title) {
    QCOMPARE(box.title, title);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
}

} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void rulesBoxShowsWholeText();
    void aboutBoxShowsCredits();
    void gameMessagesCarryProgramTitle();
    void boxDuringPauseHoldsComputerReply();
};

void MessageBoxesTest::rulesBoxShowsWholeText() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.menus().mnuRules->trigger();
    QCOMPARE(boxes.boxes().size(), std::size_t{1});
    const CaughtBox &box = boxes.boxes().front();
    verifyPlainOkBox(box, QStringLiteral("Rules of Korvane"));
    QCOMPARE(box.text, kRules);
    QVERIFY(box.text.endsWith(QStringLiteral("player with the most pieces on the board wins.")));
    QVERIFY(!box.text.contains(QRegularExpression(QStringLiteral("\\. \\S"))));
}

void MessageBoxesTest::aboutBoxShowsCredits() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.menus().mnuAbout->trigger();
    QCOMPARE(boxes.boxes().size(), std::size_t{1});
    verifyPlainOkBox(boxes.boxes().front(), QStringLiteral("About Korvane"));
    QVERIFY(boxes.boxes().front().text.contains(QStringLiteral("Korvane")));
}

void MessageBoxesTest::gameMessagesCarryProgramTitle() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.controls().lblSquare[0], Qt::LeftButton);
    QCOMPARE(boxes.boxes().size(), std::size_t{1});
    verifyPlainOkBox(boxes.boxes().front(), QStringLiteral("Korvane"));
    QCOMPARE(boxes.boxes().front().text, QStringLiteral("Illegal Move.  Try again."));
}

void MessageBoxesTest::boxDuringPauseHoldsComputerReply() {
    ModalBoxCatcher boxes;
    TestableMain window;
    window.skipPauses();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::array<std::int32_t, 64> boardWhileBoxOpen{};
    // Queued, so that it runs within the pause that the click starts.
    QMetaObject::invokeMethod(
        &window,
        [&] {
            boxes.whileOpen([&] {
                window.advanceClock(std::chrono::seconds(2));
                QCoreApplication::processEvents();
                boardWhileBoxOpen = window.rules().mlngBoard;
            });
            window.menus().mnuAbout->trigger();
        },
        Qt::QueuedConnection);
    QTest::mouseClick(window.controls().lblSquare[20], Qt::LeftButton);

    // The pause had run out while the box stood open, and still the computer waited for it.
    QCOMPARE(boxes.boxes().size(), std::size_t{1});
    QCOMPARE(std::count(boardWhileBoxOpen.begin(), boardWhileBoxOpen.end(), -1), 1);
    const auto &board = window.rules().mlngBoard;
    QVERIFY(std::count(board.begin(), board.end(), -1) >= 3);
    QCOMPARE(window.controls().lblTurn->text(), QStringLiteral("White's Turn"));
}

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
