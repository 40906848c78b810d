// The size a window takes on a screen too small for it.

#include "gui/widgets/LayoutKit.h"

#include <QLabel>
#include <QPushButton>
#include <QSize>
#include <QTest>

class TestLayoutKit : public QObject
{
    Q_OBJECT
private slots:
    void fittedWindowSize_data();
    void fittedWindowSize();
    void placeLastInTabOrder_data();
    void placeLastInTabOrder();
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

void TestLayoutKit::placeLastInTabOrder_data()
{
    QTest::addColumn<QStringList>("made");      // in this order: "button:name" or "label:name"
    QTest::addColumn<QStringList>("tabFromIt"); // the stops Tab visits from "close" round
    QTest::newRow("a button made after it")
        << QStringList{"button:first", "button:close", "button:later"}
        << QStringList{"close", "first", "later"};
    // Qt orders only widgets that take the focus: a label at the end of the chain is passed.
    QTest::newRow("a button and a label made after it")
        << QStringList{"button:first", "button:close", "button:later", "label:text"}
        << QStringList{"close", "first", "later"};
    QTest::newRow("made first") << QStringList{"button:close", "button:later", "label:text"}
                                << QStringList{"close", "later"};
    QTest::newRow("after a label made first")
        << QStringList{"label:text", "button:close", "button:a", "button:b"}
        << QStringList{"close", "a", "b"};
    QTest::newRow("already last") << QStringList{"button:first", "label:text", "button:close"}
                                  << QStringList{"close", "first"};
    QTest::newRow("alone") << QStringList{"button:close"} << QStringList{"close"};
}

void TestLayoutKit::placeLastInTabOrder()
{
    QFETCH(QStringList, made);
    QFETCH(QStringList, tabFromIt);
    QWidget window;
    QWidget *close = nullptr;
    for (const QString &kindAndName : made) {
        const QString name = kindAndName.section(':', 1);
        QWidget *widget = kindAndName.startsWith("button:")
                              ? static_cast<QWidget *>(new QPushButton)
                              : new QLabel;
        widget->setObjectName(name);
        widget->setParent(&window);
        if (name == "close")
            close = widget;
    }
    layout::placeLastInTabOrder(close);
    QStringList stops;
    for (QWidget *w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append(w->objectName());
    }
    // Tab goes round: from the last stop on to the first.
    const qsizetype at = stops.indexOf("close");
    QCOMPARE(stops.mid(at) + stops.first(at), tabFromIt);
}

QTEST_MAIN(TestLayoutKit)
#include "tst_layoutkit.moc"
