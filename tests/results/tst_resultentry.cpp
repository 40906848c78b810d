// Typing in a draw: "抽選結果の入力".

#include "TestSupport.h"
#include "app/Main.h"
#include "results/HistoryModel.h"
#include "results/ResultEntryForm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace
{

// What the form showed and did when filled with a valid draw 2038, one field changed, and OK.
struct Entered {
    bool opened = false;
    QString drawNumber;
    bool drawNumberReadOnly = false;
    bool stillOpen = false; // it was then closed by Cancel
};

Entered enter(TMainForm &form, const QString &field = QString(), const QString &text = QString())
{
    Entered result;
    QTimer::singleShot(0, &form, [&] {
        auto *entry = qobject_cast<ResultEntryForm *>(QApplication::activeModalWidget());
        if (!entry)
            return;
        result.opened = true;
        result.drawNumber = entry->editDrawNumber->text();
        result.drawNumberReadOnly = entry->editDrawNumber->isReadOnly();
        entry->editDate->setText("2025/9/29");
        const char *numbers[] = {"40", "3", "17", "22", "9", "31"};
        for (int i = 0; i < 6; ++i)
            entry->editNumber[size_t(i)]->setText(numbers[i]);
        entry->editBonus->setText("12");
        entry->editAmount[0]->setText("６００,０００,０００"); // as an input method types it
        entry->editWinners[0]->setText("1");
        entry->editAmount[4]->setText("1000");
        entry->editWinners[4]->setText("201234");
        entry->editCarryOver->setText("0");
        if (!field.isEmpty())
            entry->findChild<QLineEdit *>(field)->setText(text);
        entry->accept();
        result.stillOpen = entry->isVisible();
        if (result.stillOpen)
            entry->reject();
    });
    form.menuCommandEnterResult->trigger();
    return result;
}

} // namespace

class TestResultEntry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { isolateSettings(m_settingsDir); }
    void addedDrawSurvivesRestart();
    void refusedInputNamesItsField_data();
    void refusedInputNamesItsField();

private:
    QTemporaryDir m_settingsDir;
};

void TestResultEntry::addedDrawSurvivesRestart()
{
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    {
        TMainForm form(folder.path());
        form.show();
        const Entered entered = enter(form);
        QVERIFY(entered.opened && !entered.stillOpen);
        QCOMPARE(entered.drawNumber, QString("2038"));
        QVERIFY(entered.drawNumberReadOnly);
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(form.editNewNum->text(), QString("2039"));
    }
    QVERIFY(folder.read("download/Loto6Number.csv") ==
            "2038,2025/09/29,3,9,17,22,31,40,12\r\n" + bundledFile("Loto6Number.csv"));
    QVERIFY(folder.read("download/Loto6Data.csv") ==
            "2038,600000000,1,0,0,0,0,0,0,1000,201234,0\r\n" + bundledFile("Loto6Data.csv"));

    TMainForm restarted(folder.path());
    restarted.show();
    QCOMPARE(restarted.editNewNum->text(), QString("2039"));
    QCOMPARE(restarted.historyModel()->record(0).date, QString("2025/09/29"));
    QCOMPARE(restarted.historyModel()->record(0).bonus, QString("12"));
}

void TestResultEntry::refusedInputNamesItsField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // the message names the field
    QTest::newRow("date not later") << "editDate" << QString("2025/09/25") << "日付";
    QTest::newRow("date unreadable") << "editDate" << QString("9月29日") << "日付";
    QTest::newRow("number 44") << "editNumber3" << QString("44") << "本数字③";
    QTest::newRow("number empty") << "editNumber1" << QString("") << "本数字①";
    QTest::newRow("number repeated") << "editNumber6" << QString("40") << "本数字⑥";
    QTest::newRow("bonus among the numbers") << "editBonus" << QString("17") << "ボーナス数字";
    QTest::newRow("bonus 0") << "editBonus" << QString("0") << "ボーナス数字";
    QTest::newRow("amount in words") << "editAmount2" << QString("12万") << "2等の金額";
    QTest::newRow("winners negative") << "editWinners5" << QString("-1") << "5等の口数";
    QTest::newRow("carry-over fraction") << "editCarryOver" << QString("1.5") << "キャリーオーバー";
}

void TestResultEntry::refusedInputNamesItsField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, named);
    ProgramFolder folder;
    const auto before = folderSnapshot(folder.path());
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();

    const Entered entered = enter(form, field, text);
    QVERIFY(entered.opened && entered.stillOpen);

    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.texts().first().contains(named), qPrintable(boxes.texts().first()));
    QCOMPARE(folderSnapshot(folder.path()), before);
    QCOMPARE(form.editNewNum->text(), QString("2038"));
}

QTEST_MAIN(TestResultEntry)
#include "tst_resultentry.moc"
