// What a screen reader finds in every window: each page of the main window and each window its
// menus open, walked through the accessibility tree that Qt hands to UI Automation and AT-SPI.
// With LOTO6_ACCESSIBILITY_DUMP set, it prints each node it walks.

#include "TestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QChartView>
#include <QDialog>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace
{

// The faults below node, each with its path of objectNames (class names where a widget has
// none; Qt's own inner parts left out): a Tab stop without a name, a number field whose value
// is not the number it shows, a chart shown without its values in words.
void walk(QAccessibleInterface *node, const QString &path, QStringList &faults)
{
    const auto *widget = qobject_cast<const QWidget *>(node->object());
    if (!widget || !widget->isVisible())
        return;
    const QString name = widget->objectName();
    const QString here =
        name.startsWith(QLatin1String("qt_"))
            ? path
            : path + QLatin1Char('/') + (name.isEmpty() ? widget->metaObject()->className() : name);
    // As Qt's Tab key goes: a widget that hands its focus on to another is no stop itself.
    const bool stop =
        (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() && widget->isEnabled();
    if (stop && node->text(QAccessible::Name).trimmed().isEmpty())
        faults.append(here + QStringLiteral(": no name"));
    QAccessibleValueInterface *value = node->valueInterface();
    const QString number = value ? value->currentValue().toString() : QString();
    if (qEnvironmentVariableIsSet("LOTO6_ACCESSIBILITY_DUMP")) // the tree as a reader gets it
        qInfo("%s: role %d \"%s\" \"%s\" %s%s", qPrintable(here), int(node->role()),
              qPrintable(node->text(QAccessible::Name)),
              qPrintable(node->text(QAccessible::Description)), qPrintable(number),
              node->state().checked ? " checked" : "");
    if (value && node->role() == QAccessible::SpinBox &&
        (number.isEmpty() || !node->text(QAccessible::Value).contains(number)))
        faults.append(here + QStringLiteral(": value \"%1\" for \"%2\"")
                                 .arg(number, node->text(QAccessible::Value)));
    if (qobject_cast<const QChartView *>(widget) && node->text(QAccessible::Description).isEmpty())
        faults.append(here + QStringLiteral(": a chart without its values"));
    if (qobject_cast<const QAbstractItemView *>(widget))
        return; // its cells are no widgets of their own
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i); child && child->object() != widget)
            walk(child, here, faults);
}

// The window as shown, then at each page of its tab widget, if it has one.
QStringList faultsOf(QWidget *window)
{
    QStringList faults;
    auto *tabs = window->findChild<QTabWidget *>();
    for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
        if (tabs)
            tabs->setCurrentIndex(page);
        QTest::qWait(20);
        walk(QAccessible::queryAccessibleInterface(window), QString(), faults);
    }
    return faults;
}

} // namespace

class TestAccessibility : public WindowTest
{
    Q_OBJECT
private slots:
    void everyWindowTellsAScreenReaderWhatItShows();
};

void TestAccessibility::everyWindowTellsAScreenReaderWhatItShows()
{
    MessageBoxWatcher boxes;
    TMainForm &form = *m_form;
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList faults = faultsOf(&form);
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<QRadioButton>(form, "RadioButton3")->click(); // the exclusion panels take the keys
    faults += faultsOf(control<QWidget>(form, "TabSheet2"));
    control<QTabWidget>(form, "pctrlMain")->setCurrentIndex(0);
    decide(form, {3, 11, 19, 27, 35, 43}); // a line for the windows that save or export it

    QStringList opened;
    QTimer look;
    connect(&look, &QTimer::timeout, &form, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<QMessageBox *>(dialog) || opened.contains(dialog->objectName()))
            return;
        opened.append(dialog->objectName());
        faults += faultsOf(dialog);
        dialog->reject();
    });
    look.start(50);
    for (const char *command :
         {"menuFileCsvSave", "menuCommandDownloadSettings", "menuCommandEnterResult",
          "menuCommandSaveContinued", "menuCommandLineHistory", "menuCommandTicketReport",
          "menuCommandRandomnessTest", "menuCommandStatistics", "menuHelpAbout"}) {
        const qsizetype before = opened.size();
        control<QAction>(form, command)->trigger();
        QTRY_VERIFY2(opened.size() > before, command);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
    for (const QString &fault : faults)
        qWarning("%s", qPrintable(fault));
    QVERIFY2(faults.isEmpty(), "faults for a screen reader, listed above");
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
