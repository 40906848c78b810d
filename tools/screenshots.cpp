// Renders the main window into PNG files, under any platform plugin (offscreen included):
// screenshots <program folder> <output folder>. It writes every page, the options page in
// each pick method, a generation run, a check and a download under way, the slate after a save
// and a second one, the CSV save dialog and the message boxes, the one-line cancel question
// with the list behind it. It works in the given program folder as the player would (the
// slate, ticket files), with settings of its own, and downloads from a silent local server.
// Run it under a Japanese locale (LC_ALL=ja_JP.UTF-8) to see the dates Qt's own dialog shows
// as on a Japanese system. Last come the windows that the commands of the menu "コマンド" open,
// the report with its prizes to claim and the statistics window with each of its pages, and
// at the end the slate with the keyboard on it and the question before lines of a drawn draw
// are saved.
// For a small screen at 125 %, run it with QT_SCALE_FACTOR=1.25 and
// QT_QPA_PLATFORM=offscreen:configfile=tools/screen-1280x720.json.

#include "core/platform/Settings.h"
#include "gui/FindControl.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/Splash.h"
#include "gui/services/QtTranslations.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace
{

void decide(TMainForm &form, std::initializer_list<int> numbers)
{
    for (int n : numbers)
        control<QToolButton>(form, QStringLiteral("SpeedButton%1").arg(n))->click();
    control<QPushButton>(form, "btnSelect")->click();
}

void save(QWidget *widget, const QString &folder, const QString &name)
{
    widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The question before a line for a draw over by the calendar (the bundled history is older
// than today).
bool isPastDrawQuestion(QWidget *modal)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    return box && box->text()
                      .remove(QChar::LineSeparator)
                      .contains(QStringLiteral("暦では抽選が終わっています"));
}

// Answers that question "go on" whenever it comes, photographing it the first time.
void goOnPastTheCalendar(QObject *owner, const QString &folder)
{
    auto *timer = new QTimer(owner);
    auto shot = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, [folder, shot] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!isPastDrawQuestion(modal))
            return;
        if (!*shot) {
            *shot = true;
            save(modal, folder, QStringLiteral("box-past-draw"));
        }
        static_cast<QMessageBox *>(modal)->button(QMessageBox::No)->click();
    });
    timer->start(20);
}

// Photographs the next modal window that appears, and the window behind it when given (as
// name + "-behind"), then closes it (Escape or its default).
void shootNextModal(const QString &folder, const QString &name, QWidget *behind = nullptr)
{
    auto *timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, folder, name, behind] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || isPastDrawQuestion(modal))
            return;
        timer->stop();
        timer->deleteLater();
        QTest::qWait(100);
        save(modal, folder, name);
        if (behind)
            save(behind, folder, name + QStringLiteral("-behind"));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    timer->start();
}

// Photographs the window after the delay, while an operation started meanwhile runs.
void shootDuring(QWidget *window, int milliseconds, const QString &folder, const QString &name)
{
    QTimer::singleShot(milliseconds, window, [=] { save(window, folder, name); });
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
    // Settings of its own; downloads go to a local server that takes requests and never
    // answers, so a download stays under way until its time-out.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    {
        AppSettings settings;
        settings.writeDownloadSettings(
            {QString(), QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()), 2});
    }
    TMainForm form(args.at(1));
    goOnPastTheCalendar(&form, args.at(2));
    form.show();
    QTest::qWait(1100); // the clock has ticked
    for (int i = 0; i < control<QTabWidget>(form, "pctrlMain")->count(); ++i) {
        control<QTabWidget>(form, "pctrlMain")->setCurrentIndex(i);
        QTest::qWait(100);
        save(&form, out,
             QStringLiteral("page%1-%2")
                 .arg(i + 1)
                 .arg(control<QTabWidget>(form, "pctrlMain")->widget(i)->objectName()));
    }
    // The prize table after the player's first click: one highlighted row.
    QTest::mouseClick(control<StringGrid>(form, "gridMoney")->viewport(), Qt::LeftButton, {},
                      control<StringGrid>(form, "gridMoney")
                          ->visualRect(control<StringGrid>(form, "gridMoney")->model()->index(3, 2))
                          .center());
    QTest::qWait(100);
    save(&form, out, QStringLiteral("money-clicked"));

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    for (int kind : {5, 6, 9}) {
        control<QComboBox>(form, "cmbChartKind")->setCurrentIndex(kind);
        control<QPushButton>(form, "btnChartExec")->click();
        QTest::qWait(100);
        save(&form, out, QStringLiteral("chart-kind%1").arg(kind));
    }

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    const QList<QRadioButton *> methods = {
        control<QRadioButton>(form, "RadioButton1"), control<QRadioButton>(form, "RadioButton2"),
        control<QRadioButton>(form, "RadioButton3"), control<QRadioButton>(form, "RadioButton4")};
    for (int m = 0; m < methods.size(); ++m) {
        methods[m]->click();
        QTest::qWait(100);
        save(&form, out, QStringLiteral("options-method%1").arg(m + 1));
        if (m == 0) { // the main page without "＄ヨルネ＄"
            control<QTabWidget>(form, "pctrlMain")
                ->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
            QTest::qWait(100);
            save(&form, out, QStringLiteral("main-manual-method"));
            control<QTabWidget>(form, "pctrlMain")
                ->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
        }
    }

    // A run of 14 random lines, photographed part-way and at its end.
    control<QRadioButton>(form, "RadioButton2")->click();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    control<SpinEdit>(form, "editAutoSelectMax")->setText(QStringLiteral("14"));
    QTimer::singleShot(2500, &form,
                       [&form, out] { save(&form, out, QStringLiteral("run-underway")); });
    control<QPushButton>(form, "btnAutoCalc")->click();
    QTest::qWait(100);
    save(&form, out, QStringLiteral("run-done"));

    shootNextModal(out, QStringLiteral("box-guide"));
    control<QPushButton>(form, "btnSelect")->click(); // fewer than six numbers picked
    shootNextModal(out, QStringLiteral("dialog-csv-save"));
    control<QAction>(form, "menuFileCsvSave")->trigger();

    // A saved ticket: the slate shows its lines as saved; a second save stores nothing. Then
    // the questions before one line and all lines are cancelled (both answered No).
    shootNextModal(out, QStringLiteral("box-saved"));
    control<QPushButton>(form, "btnSave")->click();
    QTest::qWait(100);
    save(&form, out, QStringLiteral("slate-saved"));
    decide(form, {5, 12, 19, 26, 33, 40});
    shootNextModal(out, QStringLiteral("box-saved-again"));
    control<QPushButton>(form, "btnSave")->click();
    shootNextModal(out, QStringLiteral("box-all-saved"));
    control<QPushButton>(form, "btnSave")->click();
    QTest::qWait(100);
    save(&form, out, QStringLiteral("slate-saved-twice"));
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    QTest::qWait(100);
    save(&form, out, QStringLiteral("tickets-listed"));
    control<StringGrid>(form, "gridLoto6")->setCurrentRow(2);
    shootNextModal(out, QStringLiteral("box-cancel-one"), &form);
    control<QPushButton>(form, "btnOneDelete")->click();
    shootNextModal(out, QStringLiteral("box-confirm"));
    control<QPushButton>(form, "btnAllDelete")->click();

    // A check of five lines of the newest draw, photographed part-way.
    QFile lines(QDir(args.at(1)).filePath(QStringLiteral("client/2037.csv")));
    if (lines.open(QIODevice::WriteOnly))
        lines.write("2037,07,12,20,23,27,29\r\n2037,01,02,03,04,05,06\r\n"
                    "2037,07,12,20,30,31,32\r\n2037,07,12,23,27,29,40\r\n"
                    "2037,10,20,30,33,40,43\r\n");
    lines.close();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet5"));
    control<SpinEdit>(form, "editSelectNum")->setText(QStringLiteral("2037"));
    shootDuring(&form, 500, out, QStringLiteral("check-underway"));
    control<QPushButton>(form, "btnExec")->click();
    auto *stop = control<QPushButton>(form, "btnCheckStop");
    if (!QTest::qWaitFor([stop] { return !stop->isEnabled(); }, 10000)) // the check runs on
        qWarning("the check did not end");
    QTest::qWait(100);
    save(&form, out, QStringLiteral("check-done"));

    // A check of many lines, stopped with Esc part-way: the lines checked so far keep their
    // results.
    if (lines.open(QIODevice::WriteOnly))
        lines.write(
            QByteArray("2037,07,12,20,30,31,32\r\n2037,01,02,03,04,05,06\r\n").repeated(50));
    lines.close();
    control<SpinEdit>(form, "editSelectNum")->setText(QStringLiteral("2036"));
    control<SpinEdit>(form, "editSelectNum")->setText(QStringLiteral("2037")); // read again
    control<QPushButton>(form, "btnExec")->click();
    QTest::qWait(900);
    QTest::keyClick(stop, Qt::Key_Escape);
    QTest::qWait(100);
    save(&form, out, QStringLiteral("check-stopped"));

    // A download under way, with its waiting window, and its failure at the time-out.
    control<QTabWidget>(form, "pctrlMain")->setCurrentIndex(0);
    shootDuring(&form, 500, out, QStringLiteral("download-underway"));
    shootDuring(control<TSplashForm>(form, QStringLiteral("SplashForm")), 500, out,
                QStringLiteral("download-splash"));
    shootNextModal(out, QStringLiteral("box-download-failed"));
    control<QAction>(form, "menuCommandDownload")->trigger(); // the download runs meanwhile
    if (!QTest::qWaitFor(
            [&form] {
                return !control<PageContext>(form, QStringLiteral("PageContext"))->isBusy();
            },
            700000))
        qWarning("the download did not end");
    control<QTabWidget>(form, "pctrlMain")->setCurrentIndex(0);
    // The connection test failing at its time-out, then the windows as they open.
    QTimer::singleShot(100, &form, [out] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (auto *test = dialog->findChild<QPushButton *>(QStringLiteral("btnConnectionTest"))) {
            test->click();
            if (!QTest::qWaitFor([test] { return test->isEnabled(); }, 700000))
                qWarning("the connection test did not end");
        }
        save(dialog, out, QStringLiteral("download-settings-test-failed"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    control<QAction>(form, "menuCommandDownloadSettings")->trigger();
    decide(form, {4, 9, 17, 26, 33, 41}); // a line not saved yet, for the continued save
    for (const char *command : {"menuCommandDownloadSettings", "menuCommandEnterResult",
                                "menuCommandSaveContinued", "menuHelpAbout"}) {
        shootNextModal(out, QLatin1String(command));
        control<QAction>(form, QLatin1String(command))->trigger();
    }
    for (const char *command :
         {"menuCommandLineHistory", "menuCommandTicketReport", "menuCommandRandomnessTest"}) {
        control<QAction>(form, QLatin1String(command))->trigger();
        QTest::qWait(200);
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialog->grab().save(QStringLiteral("%1/%2.png").arg(args.at(2), dialog->objectName()));
            // The report's second tab: the prizes to claim.
            if (auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("tabTicketReport"))) {
                tabs->setCurrentIndex(1);
                QTest::qWait(100);
                save(dialog, out, dialog->objectName() + QStringLiteral("-claims"));
            }
            dialog->close();
        }
    }
    // The statistics window, page by page.
    control<QAction>(form, QStringLiteral("menuCommandStatistics"))->trigger();
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

    // The keyboard on the slate (its current row framed), and the question before lines left
    // from a drawn draw are saved (answered with Escape: nothing is saved).
    control<QTabWidget>(form, "pctrlMain")->setCurrentIndex(0);
    form.activateWindow();
    control<QWidget>(form, "gridSelectItem")->setFocus();
    QTest::qWait(100);
    save(&form, out, QStringLiteral("slate-focused"));
    auto *coming = control<QLineEdit>(form, "editNewNum");
    const QString comingDraw = coming->text();
    coming->setText(QStringLiteral("2037"));
    decide(form, {2, 13, 24, 35, 36, 43});
    coming->setText(comingDraw);
    shootNextModal(out, QStringLiteral("box-drawn-draw"), &form);
    control<QPushButton>(form, "btnSave")->click();
    return 0;
}
