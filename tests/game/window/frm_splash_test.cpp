// The splash window and its one hand-over to the main window.
#include "manual_timer.h"
#include "testable_main.h"
#include "window/frm_splash.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

using korvane::frmSplash;
using korvane::test::ManualTimer;
using korvane::test::TestableMain;

class FrmSplashTest : public QObject {
    Q_OBJECT

  private slots:
    void borderlessCentredPicture();
    void handsOverOnceAfterItsTick();
};

void FrmSplashTest::borderlessCentredPicture() {
    frmSplash splash([] { return std::make_unique<TestableMain>(); },
                     std::make_unique<ManualTimer>());
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));

    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.size(), QSize(461, 353));
    QCOMPARE(splash.frameGeometry().size(), QSize(461, 353));
    const QPoint offCentre =
        splash.geometry().center() - splash.screen()->availableGeometry().center();
    QVERIFY(offCentre.manhattanLength() <= 2);
    const auto *image = splash.findChild<QLabel *>();
    QVERIFY(image != nullptr);
    QCOMPARE(image->geometry(), QRect(0, 0, 461, 353));
    QCOMPARE(image->pixmap().size(), QSize(461, 353));
    QCOMPARE(splash.windowIcon().availableSizes(), QList<QSize>{QSize(46, 42)});
}

void FrmSplashTest::handsOverOnceAfterItsTick() {
    using std::chrono::milliseconds;
    int created = 0;
    TestableMain *createdWindow = nullptr;
    bool splashHiddenWhenCreated = false;
    frmSplash *splashPointer = nullptr;
    auto timer = std::make_unique<ManualTimer>();
    ManualTimer &tick = *timer;
    frmSplash splash(
        [&] {
            ++created;
            splashHiddenWhenCreated = !splashPointer->isVisible();
            auto window = std::make_unique<TestableMain>();
            createdWindow = window.get();
            return window;
        },
        std::move(timer));
    splashPointer = &splash;
    splash.show();

    tick.advance(milliseconds(1799));
    QCOMPARE(created, 0);
    QVERIFY(splash.isVisible());
    tick.advance(milliseconds(1));
    QCOMPARE(created, 1);
    QVERIFY(splashHiddenWhenCreated);
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.mainWindow(), createdWindow);
    QVERIFY(createdWindow->isVisible());

    tick.advance(milliseconds(60000));
    QCOMPARE(created, 1);
    QVERIFY(createdWindow->isVisible());
}

QTEST_MAIN(FrmSplashTest)
#include "frm_splash_test.moc"
