// The size a window takes on a screen too small for it.

#include "gui/widgets/LayoutKit.h"

#include <QSize>
#include <QTest>

class TestLayoutKit : public QObject
{
    Q_OBJECT
private slots:
    void fittedWindowSize_data();
    void fittedWindowSize();
};

void TestLayoutKit::fittedWindowSize_data()
{
    QTest::addColumn<QSize>("room");
    QTest::addColumn<QSize>("fitted"); // of a 657 x 570 window, scroll bars 16 wide
    QTest::newRow("room to spare") << QSize(1024, 700) << QSize(657, 570);
    QTest::newRow("just room") << QSize(657, 570) << QSize(657, 570);
    QTest::newRow("a pixel too low") << QSize(1024, 569) << QSize(673, 569);
    QTest::newRow("too low, the scroll bar just fits") << QSize(673, 500) << QSize(673, 500);
    QTest::newRow("too low, no room for the scroll bar") << QSize(660, 500) << QSize(660, 500);
    QTest::newRow("a pixel too narrow") << QSize(656, 700) << QSize(656, 586);
    QTest::newRow("too small both ways") << QSize(600, 400) << QSize(600, 400);
}

void TestLayoutKit::fittedWindowSize()
{
    QFETCH(QSize, room);
    QFETCH(QSize, fitted);
    QCOMPARE(layout::fittedWindowSize(QSize(657, 570), room, 16), fitted);
}

QTEST_MAIN(TestLayoutKit)
#include "tst_layoutkit.moc"
