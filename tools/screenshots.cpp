// Renders every page of the main window into PNG files, under any platform plugin
// (offscreen included), then the windows that the commands of the menu "コマンド" open:
// screenshots <program folder> <output folder>.

#include "app/Main.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTabWidget>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        qWarning("usage: screenshots <program folder> <output folder>");
        return 2;
    }
    QDir().mkpath(args.at(2));
    TMainForm form(args.at(1));
    form.show();
    QTest::qWait(200);
    for (int i = 0; i < form.pctrlMain->count(); ++i) {
        form.pctrlMain->setCurrentIndex(i);
        QTest::qWait(100);
        const QString name = QStringLiteral("%1/page%2-%3.png")
                                 .arg(args.at(2))
                                 .arg(i + 1)
                                 .arg(form.pctrlMain->widget(i)->objectName());
        form.grab().save(name);
    }
    form.pctrlMain->setCurrentIndex(0);
    for (const char *command :
         {"menuCommandLineHistory", "menuCommandTicketReport", "menuCommandRandomnessTest"}) {
        form.findChild<QAction *>(QLatin1String(command))->trigger();
        QTest::qWait(200);
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialog->grab().save(QStringLiteral("%1/%2.png").arg(args.at(2), dialog->objectName()));
            dialog->close();
        }
    }
    return 0;
}
