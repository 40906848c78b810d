// Prints what a screen reader is told: the accessibility tree of every page of the main window
// and of every window the menus open, one node a line (role, name, description, value, states,
// objectName), "!" before a Tab stop without a name. accessibility-dump <program folder>.

#include "gui/FindControl.h"
#include "gui/Main.h"
#include "gui/services/QtTranslations.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace
{

void dump(QAccessibleInterface *node, int depth)
{
    if (!node || depth > 40)
        return;
    const QAccessible::State state = node->state();
    const auto *widget = qobject_cast<QWidget *>(node->object());
    const bool stop = widget && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
                      widget->isVisible() && widget->isEnabled();
    QString value;
    if (QAccessibleValueInterface *v = node->valueInterface())
        value = QStringLiteral(" value=") + v->currentValue().toString();
    std::printf("%s%s%d \"%s\" \"%s\"%s%s%s%s %s\n",
                qPrintable(QString(depth * 2, QLatin1Char(' '))),
                stop && node->text(QAccessible::Name).isEmpty() ? "! " : "", int(node->role()),
                qPrintable(node->text(QAccessible::Name)),
                qPrintable(node->text(QAccessible::Description).left(120)), qPrintable(value),
                state.checkable ? (state.checked ? " [checked]" : " [unchecked]") : "",
                state.focusable ? " focusable" : "", state.invisible ? " invisible" : "",
                node->object() ? qPrintable(node->object()->objectName()) : "");
    // A table's first cells show how its cells read; all of them would be thousands of lines.
    const bool table = node->role() == QAccessible::Table || node->role() == QAccessible::List ||
                       node->role() == QAccessible::Tree;
    for (int i = 0; i < (table ? qMin(node->childCount(), 24) : node->childCount()); ++i)
        dump(node->child(i), depth + 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installJapaneseQtTexts();
    if (argc < 2)
        return 2;
    TMainForm form(QString::fromLocal8Bit(argv[1]));
    form.show();
    QTest::qWait(300);
    auto *pages = control<QTabWidget>(form, QStringLiteral("pctrlMain"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QTest::qWait(50);
        std::printf("== page %d\n", i + 1);
        dump(QAccessible::queryAccessibleInterface(&form), 0);
    }
    QTimer goOn; // past the question before a line for a draw that the calendar says is over
    QObject::connect(&goOn, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            if (box->button(QMessageBox::No))
                box->button(QMessageBox::No)->click();
    });
    goOn.start(20);
    pages->setCurrentIndex(0);   // the slate's commands act from the main page
    for (int n = 1; n <= 6; ++n) // a line on the slate, for the windows that save or export it
        control<QToolButton>(form, QStringLiteral("SpeedButton%1").arg(n))->click();
    control<QPushButton>(form, QStringLiteral("btnSelect"))->click();
    for (const char *command :
         {"menuCommandDownloadSettings", "menuCommandEnterResult", "menuCommandSaveContinued",
          "menuCommandLineHistory", "menuCommandTicketReport", "menuCommandRandomnessTest",
          "menuCommandStatistics", "menuHelpAbout", "menuFileCsvSave"}) {
        QTimer::singleShot(300, &form, [command] {
            QWidget *dialog = QApplication::activeModalWidget();
            std::printf("== %s\n", command);
            auto *tabs = dialog ? dialog->findChild<QTabWidget *>() : nullptr;
            for (int i = 0; dialog && i < (tabs ? tabs->count() : 1); ++i) {
                if (tabs)
                    tabs->setCurrentIndex(i);
                QTest::qWait(50);
                dump(QAccessible::queryAccessibleInterface(dialog), 0);
            }
            if (dialog)
                dialog->close();
        });
        control<QAction>(form, QLatin1String(command))->trigger();
        QTest::qWait(500);
    }
    return 0;
}
