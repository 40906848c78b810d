// The main window on a screen lower than the window: 1280 x 720 at 125 %, less a taskbar.

#include "TestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

class TestSmallScreen : public WindowTest
{
    Q_OBJECT
private slots:
    void mainWindowFitsTheScreen();
};

// The main window with its title bar fits the screen; the status bar stays whole and the
// pages scroll to their last row.
void TestSmallScreen::mainWindowFitsTheScreen()
{
    TMainForm &form = *m_form;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1024, 540));
    QTRY_VERIFY2(screen.contains(form.frameGeometry()),
                 qPrintable(QString("%1 x %2").arg(form.width()).arg(form.height())));
    auto *status = control<QWidget>(form, "pnlMessage");
    QVERIFY(status->isVisible());
    QVERIFY(form.rect().contains(QRect(status->mapTo(&form, QPoint()), status->size())));
    auto *scroller = qobject_cast<QScrollArea *>(form.centralWidget());
    QVERIFY(scroller);
    QScrollBar *bar = scroller->verticalScrollBar();
    QVERIFY(bar->isVisible());
    bar->setValue(bar->maximum());
    auto *client = control<QWidget>(form, "ClientArea");
    QCOMPARE(client->mapTo(scroller->viewport(), QPoint(0, client->height())).y(),
             scroller->viewport()->height());
    // Nothing cut across: the pages keep their whole width beside the scroll bar.
    QVERIFY(!scroller->horizontalScrollBar()->isVisible());
}

QTEST_MAIN(TestSmallScreen)
#include "tst_smallscreen.moc"
