// Faults of the player's environment: a settings file that is garbage or cannot be read, and
// a ticket file that refuses changes. For each: the message the player sees, a program that
// still works, and every file as it was.

#include "NotRegularFile.h"
#include "TestSupport.h"
#include "core/tickets/TicketWrite.h"
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
    void startCompletesASaveCutShort();
    void notARegularTicketFileAtStart_data();
    void notARegularTicketFileAtStart();

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
    QCOMPARE(pageContext(form).pickSettings().optionIndex, 3);
    QCOMPARE(pageContext(form).pickSettings().autoNum, 10);
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
        QVERIFY(pageContext(form).pickSettings() == PickSettings());
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

// A save into two draws' files that the end of the program cut after the first replacement
// is completed at the next start, and the player is told which draws it saved.
void TestFaults::startCompletesASaveCutShort()
{
    ProgramFolder folder;
    struct Killed {
    };
    int commits = 0;
    const auto killAfterFirst = [&commits](StagedFile &file) {
        if (commits++ == 1)
            throw Killed();
        commitStaged(file);
    };
    try {
        appendTicketLines({{folder.file("client/2038.csv"), "2038,01,02,03,04,05,06\r\n"},
                           {folder.file("client/2039.csv"), "2039,01,02,03,04,05,06\r\n"}},
                          killAfterFirst);
    } catch (const Killed &) {
    }
    QVERIFY(!QFile::exists(folder.file("client/2039.csv")));
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(
        boxes.texts(),
        QStringList{"前回終了時に中断された申込数字の保存を完了しました（第2038回、第2039回）。"});
    QCOMPARE(folder.read("client/2038.csv"), QByteArray("2038,01,02,03,04,05,06\r\n"));
    QCOMPARE(folder.read("client/2039.csv"), QByteArray("2039,01,02,03,04,05,06\r\n"));
    QVERIFY(!QFile::exists(folder.file("client/") + kTicketJournalName));
}

// A folder or a FIFO named like the coming draw's ticket file: the window starts, and says once
// that it cannot be read.
void TestFaults::notARegularTicketFileAtStart_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("folder") << false;
#ifndef Q_OS_WIN // no FIFOs on Windows
    QTest::newRow("FIFO") << true;
#endif
}

void TestFaults::notARegularTicketFileAtStart()
{
    QFETCH(bool, fifo);
    ProgramFolder folder;
    const QString path = folder.file("client/2038.csv");
    if (fifo)
        QVERIFY(makeNotRegularFile(path));
    else
        QVERIFY(QDir().mkdir(path));
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QVERIFY(form.isVisible());
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY(boxes.texts().first().contains("2038.csv"));
    QVERIFY(boxes.texts().first().contains("通常のファイルではありません"));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
