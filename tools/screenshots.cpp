// Renders the main window into PNG files, under any platform plugin (offscreen included):
// screenshots <program folder> <output folder>. It writes every page, the options page in
// each pick method, a generation run under way, the CSV save dialog and the message boxes.
// It works in the given program folder as the player would (the slate, a ticket file). Run it
// under a Japanese locale (LC_ALL=ja_JP.UTF-8) to see the dates Qt's own dialog shows as on a
// Japanese system. Last come the windows that the commands of the menu "コマンド" open, the
// statistics window with each of its pages.

#include "app/Main.h"
#include "app/QtTranslations.h"
#include "app/SpinEdit.h"
#include "app/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace
{

void save(QWidget *widget, const QString &folder, const QString &name)
{
    widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Photographs the next modal window that appears, then closes it (Escape or its default).
void shootNextModal(const QString &folder, const QString &name)
{
    auto *timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, folder, name] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        QTest::qWait(100);
        save(modal, folder, name);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    timer->start();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installJapaneseQtTexts();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        qWarning("usage: screenshots <program folder> <output folder>");
        return 2;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    TMainForm form(args.at(1));
    form.show();
    QTest::qWait(200);
    form.Timer1Timer();
    for (int i = 0; i < form.pctrlMain->count(); ++i) {
        form.pctrlMain->setCurrentIndex(i);
        QTest::qWait(100);
        save(&form, out,
             QStringLiteral("page%1-%2").arg(i + 1).arg(form.pctrlMain->widget(i)->objectName()));
    }
    // The prize table after the player's first click: one highlighted row.
    QTest::mouseClick(form.gridMoney->viewport(), Qt::LeftButton, {},
                      form.gridMoney->visualRect(form.gridMoney->model()->index(3, 2)).center());
    QTest::qWait(100);
    save(&form, out, QStringLiteral("money-clicked"));

    form.pctrlMain->setCurrentWidget(form.TabSheet3);
    for (int kind : {5, 6, 9}) {
        form.cmbChartKind->setCurrentIndex(kind);
        form.btnChartExec->click();
        QTest::qWait(100);
        save(&form, out, QStringLiteral("chart-kind%1").arg(kind));
    }

    form.pctrlMain->setCurrentWidget(form.TabSheet2);
    const QList<QRadioButton *> methods = {form.RadioButton1, form.RadioButton2, form.RadioButton3,
                                           form.RadioButton4};
    for (int m = 0; m < methods.size(); ++m) {
        methods[m]->click();
        QTest::qWait(100);
        save(&form, out, QStringLiteral("options-method%1").arg(m + 1));
        if (m == 0) { // the main page without "＄ヨルネ＄"
            form.pctrlMain->setCurrentWidget(form.TabSheet1);
            QTest::qWait(100);
            save(&form, out, QStringLiteral("main-manual-method"));
            form.pctrlMain->setCurrentWidget(form.TabSheet2);
        }
    }

    // A run of 14 random lines, photographed part-way and at its end.
    form.RadioButton2->click();
    form.pctrlMain->setCurrentWidget(form.TabSheet1);
    form.editAutoSelectMax->setText(QStringLiteral("14"));
    QTimer::singleShot(2500, &form,
                       [&form, out] { save(&form, out, QStringLiteral("run-underway")); });
    form.btnAutoCalc->click();
    QTest::qWait(100);
    save(&form, out, QStringLiteral("run-done"));

    shootNextModal(out, QStringLiteral("box-guide"));
    form.btnSelect->click(); // fewer than six numbers picked
    shootNextModal(out, QStringLiteral("dialog-csv-save"));
    form.menuFileCsvSave->trigger();

    // A saved ticket, then the question before all its lines are cancelled.
    shootNextModal(out, QStringLiteral("box-saved"));
    form.btnSave->click();
    form.pctrlMain->setCurrentWidget(form.TabSheet4);
    QTest::qWait(100);
    save(&form, out, QStringLiteral("tickets-listed"));
    shootNextModal(out, QStringLiteral("box-confirm"));
    form.btnAllDelete->click();
    form.pctrlMain->setCurrentIndex(0);
    for (const char *command :
         {"menuCommandDownloadSettings", "menuCommandEnterResult", "menuHelpAbout"}) {
        shootNextModal(out, QLatin1String(command));
        form.findChild<QAction *>(QLatin1String(command))->trigger();
    }
    for (const char *command :
         {"menuCommandLineHistory", "menuCommandTicketReport", "menuCommandRandomnessTest"}) {
        form.findChild<QAction *>(QLatin1String(command))->trigger();
        QTest::qWait(200);
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialog->grab().save(QStringLiteral("%1/%2.png").arg(args.at(2), dialog->objectName()));
            dialog->close();
        }
    }
    // The statistics window, page by page.
    form.findChild<QAction *>(QStringLiteral("menuCommandStatistics"))->trigger();
    QTest::qWait(200);
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
        auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("tabStatistics"));
        for (int i = 0; tabs && i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QTest::qWait(100);
            save(dialog, out, QStringLiteral("%1-page%2").arg(dialog->objectName()).arg(i + 1));
        }
        dialog->close();
    }
    return 0;
}
