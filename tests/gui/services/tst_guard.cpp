// The one guard of a handler: whatever the handler throws ends it and is shown over the window
// the handler belongs to, under the application title; nothing crosses the event loop.

#include "TestSupport.h"
#include "core/common/DomainError.h"
#include "gui/services/ComFunction.h"

#include <QApplication>
#include <QTest>
#include <stdexcept>

namespace
{

// A control inside a window, with a handler that fails as told.
class Handler : public QWidget
{
public:
    using QWidget::QWidget;
    QString failure; // "domain:<text>", "other:<text>" or empty
    bool finished = false;

    void run()
    {
        if (failure.startsWith(QLatin1String("domain:")))
            throw DomainError(failure.mid(7));
        if (failure.startsWith(QLatin1String("other:")))
            throw std::runtime_error(failure.mid(6).toStdString());
        finished = true;
    }
};

} // namespace

class TestGuard : public QObject
{
    Q_OBJECT
private slots:
    void failureIsShownOverTheWindow_data();
    void failureIsShownOverTheWindow();
};

void TestGuard::failureIsShownOverTheWindow_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("shown"); // empty: no box
    QTest::newRow("no failure") << QString() << QString();
    QTest::newRow("domain error") << "domain:読めません"
                                  << "読めません。";
    QTest::newRow("domain error, full stop") << "domain:読めません。"
                                             << "読めません。";
    QTest::newRow("other exception") << "other:bad"
                                     << "bad。";
}

void TestGuard::failureIsShownOverTheWindow()
{
    QFETCH(QString, failure);
    QFETCH(QString, shown);
    QWidget window;
    auto *inner = new QWidget(&window);
    auto *handler = new Handler(inner);
    handler->failure = failure;
    window.show();
    MessageBoxWatcher boxes;
    QWidget *over = nullptr;
    boxes.whileShown([&] { over = QApplication::activeModalWidget()->parentWidget(); });

    guardedSlot(handler, &Handler::run)();

    QCOMPARE(handler->finished, shown.isEmpty());
    QCOMPARE(boxes.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
    if (!shown.isEmpty()) {
        QCOMPARE(boxes.boxes().first().caption, kAppTitle);
        QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(over, &window);
    }
}

QTEST_MAIN(TestGuard)
#include "tst_guard.moc"
