// Faults of the player's environment: a settings file that is garbage or cannot be read, and
// a ticket file that refuses changes. For each: the message the player sees, a program that
// still works, and every file as it was.

#include "TestSupport.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void garbageSettingsStartWithDefaults();
    void unreadableSettingsStartWithDefaults();
    void lockedTicketFileChangesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    QString m_iniPath;
};

void TestFaults::init()
{
    m_settingsDir = std::make_unique<QTemporaryDir>();
    m_iniPath = isolateSettings(*m_settingsDir);
    QDir().mkpath(QFileInfo(m_iniPath).path());
}

void TestFaults::garbageSettingsStartWithDefaults()
{
    QFile ini(m_iniPath);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("\xff\xfe[Windows\nLeft=@Variant(\\0\\0\\0\\x7f)\nTop=1,2,3\n[Options]\n"
              "AutoNum=\"\nOptionIndex=x\x01\x02\n\0\0garbage");
    ini.close();

    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QVERIFY(boxes.boxes().isEmpty());
    QCOMPARE(form.pos(), QPoint(0, 0));
    QCOMPARE(form.pickSettings().optionIndex, 3);
    QCOMPARE(form.pickSettings().autoNum, 10);
    decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 1), QString("01"));
    form.close();
    QVERIFY(boxes.boxes().isEmpty());
}

void TestFaults::unreadableSettingsStartWithDefaults()
{
    // A folder where the settings file should be: it can be neither read nor written.
    QVERIFY(QDir().mkpath(m_iniPath));
    ProgramFolder folder;
    const auto before = folderSnapshot(folder.path());
    MessageBoxWatcher boxes;
    {
        TMainForm form(folder.path());
        form.show();
        QVERIFY(form.pickSettings() == PickSettings());
        decide(form, {7, 12, 20, 23, 27, 29});
        QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("1口"));
        control<QAction>(form, "menuFileExit")->trigger(); // writing the settings fails quietly
        QVERIFY(!form.isVisible());
    }
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(QFileInfo(m_iniPath).isDir());
    QCOMPARE(folderSnapshot(folder.path()), before);
}

void TestFaults::lockedTicketFileChangesNothing()
{
    ProgramFolder folder;
    folder.write("client/2038.csv", "2038,01,02,03,04,05,06\r\n2038,07,08,09,10,11,12\r\n");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    decide(form, {3, 11, 17, 25, 38, 42});

    LockedPath lock(folder.file("client/2038.csv"));
    if (!lock.locked())
        QSKIP("this file system cannot make a file read-only for this user");
    const auto before = folderSnapshot(folder.path());

    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().last().caption, QString("ロト６ヨルネ"));
    QVERIFY2(boxes.boxes().last().text.contains("2038.csv"), qPrintable(boxes.texts().join('|')));

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 2);
    control<StringGrid>(form, "gridLoto6")->setCurrentRow(1);
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnOneDelete")->click();
    QCOMPARE(boxes.boxes().size(), 3); // the question, then the error
    QCOMPARE(boxes.boxes().last().caption, QString("ロト６ヨルネ"));
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(),
             2); // the list still shows what the file holds

    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 5);
    QCOMPARE(boxes.boxes().last().caption, QString("ロト６ヨルネ"));

    QCOMPARE(folderSnapshot(folder.path()), before);
    // Still usable: the slate kept its line and the pages still switch.
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 1), QString("03"));
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
