// The menu tree as built, its shortcut keys at work, and the two mode controls agreeing.
#include "modal_box_catcher.h"
#include "testable_main.h"
#include "window/square_label.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using korvane::test::ModalBoxCatcher;
using korvane::test::TestableMain;

namespace {

struct ItemState {
    QString caption;
    QKeySequence shortcut;
    bool visible;
};

void showActive(TestableMain &window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void clickSquare(TestableMain &window, int index) {
    QTest::mouseClick(window.controls().lblSquare[static_cast<std::size_t>(index)], Qt::LeftButton);
}

bool isOpeningPosition(TestableMain &window) {
    std::array<std::int32_t, 64> opening{};
    opening[27] = opening[36] = 1;
    opening[28] = opening[35] = -1;
    return window.rules().mlngBoard == opening && window.rules().mlngTurn == 1;
}

} // namespace

class MainMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void menuTreeAsBuilt_data();
    void menuTreeAsBuilt();
    void twoPlayerItemStartsEnabledAndUnchecked();
    void ctrlNStartsNewGame_data();
    void ctrlNStartsNewGame();
    void ctrlXEndsProgram();
    void closingWindowEndsProgram();
    void ctrlRAndCtrlAOpenTheirBoxes_data();
    void ctrlRAndCtrlAOpenTheirBoxes();
    void soundItemsSwapPlaces();
    void modeIndicatorsAlwaysAgree();
    void modeControlsLockAtFirstMoveAndReopenOnNewGame();
};

void MainMenusTest::menuTreeAsBuilt_data() {
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::addColumn<QList<bool>>("visible");

    QTest::newRow("File") << 0 << "File" << QStringList{"New Game", "", "Exit"}
                          << QStringList{"Ctrl+N", "", "Ctrl+X"} << QList<bool>{true, true, true};
    QTest::newRow("Players") << 1 << "Players" << QStringList{"Two-Player Mode"} << QStringList{""}
                             << QList<bool>{true};
    QTest::newRow("Sound") << 2 << "Sound" << QStringList{"Sound On", "Sound Off"}
                           << QStringList{"", ""} << QList<bool>{false, true};
    QTest::newRow("Help") << 3 << "Help" << QStringList{"Rules", "", "About"}
                          << QStringList{"Ctrl+R", "", "Ctrl+A"} << QList<bool>{true, true, true};
}

void MainMenusTest::menuTreeAsBuilt() {
    QFETCH(int, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, shortcuts);
    QFETCH(QList<bool>, visible);

    TestableMain window;
    const QList<QAction *> bar = window.menuBar()->actions();
    QCOMPARE(bar.size(), 4);
    QAction *menuAction = bar.at(menu);
    QCOMPARE(menuAction->text(), title);
    const QList<QAction *> items = menuAction->menu()->actions();
    QCOMPARE(items.size(), captions.size());
    for (qsizetype at = 0; at < items.size(); ++at) {
        QAction *item = items.at(at);
        QCOMPARE(item->isSeparator(), captions.at(at).isEmpty());
        QCOMPARE(item->text(), captions.at(at));
        QCOMPARE(item->shortcut().toString(), shortcuts.at(at));
        QCOMPARE(item->isVisible(), visible.at(at));
        QVERIFY(item->isEnabled() || !item->isVisible());
        QVERIFY(!item->text().contains('&'));
    }
}

void MainMenusTest::twoPlayerItemStartsEnabledAndUnchecked() {
    TestableMain window;
    QVERIFY(window.menus().mnuTwoPlayer->isCheckable());
    QVERIFY(!window.menus().mnuTwoPlayer->isChecked());
    QVERIFY(!window.controls().chkTwoPlayer->isChecked());
    QVERIFY(window.controls().chkTwoPlayer->isEnabled());
}

void MainMenusTest::ctrlNStartsNewGame_data() {
    QTest::addColumn<bool>("menuOpen");
    QTest::newRow("menu closed") << false;
    QTest::newRow("File menu open") << true;
}

void MainMenusTest::ctrlNStartsNewGame() {
    QFETCH(bool, menuOpen);

    TestableMain window;
    showActive(window);
    window.controls().chkTwoPlayer->click();
    clickSquare(window, 20);
    QVERIFY(!isOpeningPosition(window));

    QWidget *target = window.controls().cmdReset;
    if (menuOpen) {
        window.menus().mnuFile->popup(window.mapToGlobal(QPoint(0, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(window.menus().mnuFile));
        target = window.menus().mnuFile;
    }
    QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(isOpeningPosition(window));
    QCOMPARE(window.controls().lblTurn->text(), QStringLiteral("White's Turn"));
    QCOMPARE(window.controls().lblWhite->text(), QStringLiteral("2"));
    QCOMPARE(window.controls().lblBlack->text(), QStringLiteral("2"));
}

void MainMenusTest::ctrlXEndsProgram() {
    ModalBoxCatcher boxes;
    TestableMain window;
    showActive(window);
    QTest::keyClick(&window, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(window.endRequests, 1);
    QVERIFY(boxes.boxes().empty());
}

void MainMenusTest::closingWindowEndsProgram() {
    ModalBoxCatcher boxes;
    TestableMain window;
    showActive(window);
    window.close();
    QCOMPARE(window.endRequests, 1);
    QVERIFY(boxes.boxes().empty());
}

void MainMenusTest::ctrlRAndCtrlAOpenTheirBoxes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("title");
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << "Rules of Korvane";
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "About Korvane";
}

void MainMenusTest::ctrlRAndCtrlAOpenTheirBoxes() {
    QFETCH(int, key);
    QFETCH(QString, title);

    ModalBoxCatcher boxes;
    TestableMain window;
    showActive(window);
    QTest::keyClick(window.controls().chkTwoPlayer, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(boxes.boxes().size(), std::size_t{1});
    QCOMPARE(boxes.boxes().front().title, title);
    // The box leaves the game alone.
    QVERIFY(isOpeningPosition(window));
    QVERIFY(!window.controls().chkTwoPlayer->isChecked());
}

void MainMenusTest::soundItemsSwapPlaces() {
    TestableMain window;
    const korvane::MainMenus &menus = window.menus();
    menus.mnuSndOff->trigger();
    QVERIFY(menus.mnuSndOn->isVisible());
    QVERIFY(menus.mnuSndOn->isEnabled());
    QVERIFY(!menus.mnuSndOff->isVisible());
    menus.mnuSndOn->trigger();
    QVERIFY(!menus.mnuSndOn->isVisible());
    QVERIFY(menus.mnuSndOff->isVisible());
}

void MainMenusTest::modeIndicatorsAlwaysAgree() {
    TestableMain window;
    QCheckBox *box = window.controls().chkTwoPlayer;
    QAction *item = window.menus().mnuTwoPlayer;
    auto agree = [&](bool twoPlayer) {
        return box->isChecked() == twoPlayer && item->isChecked() == twoPlayer &&
               window.twoPlayerValue() == (twoPlayer ? 1 : 0);
    };

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(agree(true));
    item->trigger();
    QVERIFY(agree(false));
    item->trigger();
    QVERIFY(agree(true));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(agree(false));
    // Setting the value it already has changes nothing; a new value moves the mark too.
    window.setTwoPlayerValue(0);
    QVERIFY(agree(false));
    window.setTwoPlayerValue(1);
    QVERIFY(agree(true));
}

void MainMenusTest::modeControlsLockAtFirstMoveAndReopenOnNewGame() {
    TestableMain window;
    showActive(window);
    window.menus().mnuTwoPlayer->trigger();
    clickSquare(window, 20);
    QVERIFY(!window.controls().chkTwoPlayer->isEnabled());
    QVERIFY(!window.menus().mnuTwoPlayer->isEnabled());
    QCOMPARE(window.controls().lblTurn->text(), QStringLiteral("Black's Turn"));

    window.menus().mnuNew->trigger();
    QVERIFY(window.controls().chkTwoPlayer->isEnabled());
    QVERIFY(window.menus().mnuTwoPlayer->isEnabled());
    QVERIFY(window.controls().chkTwoPlayer->isChecked());
    QVERIFY(window.menus().mnuTwoPlayer->isChecked());
}

QTEST_MAIN(MainMenusTest)
#include "main_menus_test.moc"
