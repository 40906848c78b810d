// The number discs: numerals that stand out from every disc colour, and pictures painted for
// the screen's device pixel ratio.

#include "gui/widgets/Pictures.h"

#include <QApplication>
#include <QTest>

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void discs_data();
    void discs();
};

void TestPictures::discs_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("face"); // the colour the disc is known by
    QTest::addColumn<qreal>("ratio"); // the screen's device pixel ratio
    QTest::newRow("01 blue, 100 %") << 1 << QColor(0, 0, 255) << 1.0;
    QTest::newRow("02 navy, 125 %") << 2 << QColor(0, 0, 128) << 1.25;
    QTest::newRow("03 yellow, 150 %") << 3 << QColor(255, 255, 0) << 1.5;
    QTest::newRow("04 lime, 200 %") << 4 << QColor(0, 255, 0) << 2.0;
    QTest::newRow("05 aqua, 100 %") << 5 << QColor(0, 255, 255) << 1.0;
    QTest::newRow("06 fuchsia, 150 %") << 6 << QColor(255, 0, 255) << 1.5;
    QTest::newRow("40 lime, 125 %") << 40 << QColor(0, 255, 0) << 1.25;
    QTest::newRow("43 blue, the last, 200 %") << 43 << QColor(0, 0, 255) << 2.0;
}

void TestPictures::discs()
{
    QFETCH(int, number);
    QFETCH(QColor, face);
    QFETCH(qreal, ratio);
    QCOMPARE(qRound(contrastRatio(Qt::white, Qt::black)), 21); // the scale's ends
    const DiscColours colours = discColours(number);
    QCOMPARE(colours.face, face);
    // The gradient runs from the shine to the face, lighter or darker in every channel alike,
    // so the contrast behind the numeral lies between its ends.
    QVERIFY2(contrastRatio(colours.numeral, colours.face) >= 4.5,
             qPrintable(QString::number(contrastRatio(colours.numeral, colours.face))));
    QVERIFY2(contrastRatio(colours.numeral, colours.shine) >= 4.5,
             qPrintable(QString::number(contrastRatio(colours.numeral, colours.shine))));

    // Painted with as many pixels as the screen has; the face below the numeral is the one
    // measured.
    const QPixmap disc = numberDisc(number, ratio);
    QCOMPARE(disc.devicePixelRatio(), ratio);
    QCOMPARE(disc.size(), QSize(qRound(32 * ratio), qRound(32 * ratio)));
    const QColor painted = disc.toImage().pixelColor(qRound(16 * ratio), qRound(27 * ratio));
    QVERIFY2(contrastRatio(colours.numeral, painted) >= 4.5, qPrintable(painted.name()));
    // The board's buttons and the bitmap buttons get as many pixels from their icons.
    QCOMPARE(numberDiscIcon(number).pixmap(QSize(32, 32), ratio).toImage(), disc.toImage());
    QCOMPARE(buttonIcon(ButtonPicture::HandWithSheet).pixmap(QSize(16, 16), ratio).size(),
             QSize(qRound(16 * ratio), qRound(16 * ratio)));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
