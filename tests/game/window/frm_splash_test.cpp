// The splash window and its one hand-over to the main window.
#include "testable_main.h"
#include "window/frm_splash.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTest>

using korvane::frmSplash;
using korvane::test::TestableMain;

class FrmSplashTest : public QObject {
    Q_OBJECT

  private slots:
    void borderlessCentredPicture();
    void handsOverOnceAfterItsTick();
};

void FrmSplashTest::borderlessCentredPicture() {
    frmSplash splash([] { return std::make_unique<TestableMain>(); });
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
    int created = 0;
    TestableMain *createdWindow = nullptr;
    bool splashHiddenWhenCreated = false;
    QElapsedTimer clock;
    clock.start();
    qint64 createdAfter = 0;
    frmSplash *splashPointer = nullptr;
    frmSplash splash([&] {
        ++created;
        createdAfter = clock.elapsed();
        splashHiddenWhenCreated = !splashPointer->isVisible();
        auto window = std::make_unique<TestableMain>();
        createdWindow = window.get();
        return window;
    });
    splashPointer = &splash;
    splash.show();

    QTest::qWait(1500);
    QCOMPARE(created, 0);
    QTRY_COMPARE_WITH_TIMEOUT(created, 1, 2000);
    QVERIFY(createdAfter >= 1790);
    QVERIFY(splashHiddenWhenCreated);
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.mainWindow(), createdWindow);
    QVERIFY(createdWindow->isVisible());

    QTest::qWait(2000);
    QCOMPARE(created, 1);
    QVERIFY(createdWindow->isVisible());
}

QTEST_MAIN(FrmSplashTest)
#include "frm_splash_test.moc"
