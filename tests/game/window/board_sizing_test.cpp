// The resize handler's figures and SizeBoard's placement, in twips, without a window.
#include "window/board_sizing.h"

#include <QTest>

using korvane::boardSizeForClient;
using korvane::placeBoard;

class BoardSizingTest : public QObject {
    Q_OBJECT

  private slots:
    void figuresForClientArea_data();
    void figuresForClientArea();
    void squaresRunDownColumnsThenAcross_data();
    void squaresRunDownColumnsThenAcross();
    void tooSmallBoardKeepsItsFloors_data();
    void tooSmallBoardKeepsItsFloors();
};

void BoardSizingTest::figuresForClientArea_data() {
    QTest::addColumn<double>("clientWidth");
    QTest::addColumn<double>("clientHeight");
    QTest::addColumn<int>("square");
    QTest::addColumn<int>("disc");
    QTest::addColumn<int>("offset");

    QTest::newRow("initial client area") << 4830.0 << 5280.0 << 585 << 465 << 60;
    QTest::newRow("taller: the width limits") << 4830.0 << 8000.0 << 585 << 465 << 60;
    QTest::newRow("wider: the height limits") << 9000.0 << 5280.0 << 585 << 465 << 60;
    QTest::newRow("40 pixel squares") << 4950.0 << 9000.0 << 600 << 480 << 60;
    QTest::newRow("41 pixel squares") << 4965.0 + 120.0 << 9000.0 << 615 << 480 << 60;
    QTest::newRow("just short of 40 pixels") << 4949.0 << 9000.0 << 585 << 465 << 60;
    QTest::newRow("half a twip rounds up to 40 pixels") << 4949.5 << 9000.0 << 600 << 480 << 60;
    QTest::newRow("large") << 24150.0 << 16100.0 << 1935 << 1545 << 195;
}

void BoardSizingTest::figuresForClientArea() {
    QFETCH(double, clientWidth);
    QFETCH(double, clientHeight);
    QFETCH(int, square);
    QFETCH(int, disc);
    QFETCH(int, offset);

    const korvane::BoardSize size = boardSizeForClient(clientWidth, clientHeight);
    QCOMPARE(size.square, square);
    QCOMPARE(size.disc, disc);
    const korvane::BoardPlacement placement =
        placeBoard(korvane::kBoardLeft, korvane::kBoardTop, size.square, size.disc);
    QCOMPARE(placement[0].disc.left() - placement[0].square.left(), offset);
    QCOMPARE(placement[0].disc.top() - placement[0].square.top(), offset);
}

void BoardSizingTest::squaresRunDownColumnsThenAcross_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("square");
    QTest::addColumn<QRect>("disc");

    QTest::newRow("0 top-left") << 0 << QRect(75, 525, 585, 585) << QRect(135, 585, 465, 465);
    QTest::newRow("1 below 0") << 1 << QRect(75, 1110, 585, 585) << QRect(135, 1170, 465, 465);
    QTest::newRow("7 bottom-left") << 7 << QRect(75, 4620, 585, 585) << QRect(135, 4680, 465, 465);
    QTest::newRow("8 right of 0") << 8 << QRect(660, 525, 585, 585) << QRect(720, 585, 465, 465);
    QTest::newRow("56 top-right") << 56 << QRect(4170, 525, 585, 585) << QRect(4230, 585, 465, 465);
    QTest::newRow("63 bottom-right")
        << 63 << QRect(4170, 4620, 585, 585) << QRect(4230, 4680, 465, 465);
}

void BoardSizingTest::squaresRunDownColumnsThenAcross() {
    QFETCH(int, index);
    QFETCH(QRect, square);
    QFETCH(QRect, disc);

    const korvane::BoardPlacement placement = placeBoard(75, 525, 585, 465);
    QCOMPARE(placement[static_cast<std::size_t>(index)].square, square);
    QCOMPARE(placement[static_cast<std::size_t>(index)].disc, disc);
    // The board ends 75 twips short of the initial client area's right and bottom edges.
    QCOMPARE(placement[63].square.left() + placement[63].square.width(), 4830 - 75);
    QCOMPARE(placement[63].square.top() + placement[63].square.height(), 5280 - 75);
}

void BoardSizingTest::tooSmallBoardKeepsItsFloors_data() {
    QTest::addColumn<double>("clientWidth");
    QTest::addColumn<double>("clientHeight");

    QTest::newRow("below the floors") << 1200.0 << 1200.0;
    QTest::newRow("smaller than the margins") << 60.0 << 300.0;
    QTest::newRow("nothing at all") << 0.0 << 0.0;
}

void BoardSizingTest::tooSmallBoardKeepsItsFloors() {
    QFETCH(double, clientWidth);
    QFETCH(double, clientHeight);

    const korvane::BoardSize size = boardSizeForClient(clientWidth, clientHeight);
    QVERIFY(size.square < 120);
    const korvane::BoardPlacement placement =
        placeBoard(korvane::kBoardLeft, korvane::kBoardTop, size.square, size.disc);
    QCOMPARE(placement[0].square, QRect(75, 525, 120, 120));
    QCOMPARE(placement[0].disc, QRect(90, 540, 90, 90));
    QCOMPARE(placement[63].square, QRect(75 + 7 * 120, 525 + 7 * 120, 120, 120));
}

QTEST_APPLESS_MAIN(BoardSizingTest)
#include "board_sizing_test.moc"
