// Typing in a draw: "抽選結果の入力".

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

namespace
{

// The fields in the order Enter (and Tab) walks them, from the first main number, with a
// valid draw 2038 whose 2等 is left empty; the date is filled in already.
const QList<QPair<const char *, QString>> kTyped = {
    {"editNumber1", "40"},
    {"editNumber2", "3"},
    {"editNumber3", "17"},
    {"editNumber4", "22"},
    {"editNumber5", "9"},
    {"editNumber6", "31"},
    {"editBonus", "12"},
    {"editAmount1", "６００,０００,０００"}, // as an input method types it
    {"editWinners1", "1"},
    {"editAmount2", ""},
    {"editWinners2", ""},
    {"editAmount3", "1000000"},
    {"editWinners3", "2"},
    {"editAmount4", "8000"},
    {"editWinners4", "4"},
    {"editAmount5", "1000"},
    {"editWinners5", "201234"},
    {"editCarryOver", "0"}};

// Runs `step` on the entry form once the menu has opened it.
void withEntryForm(TMainForm &form, const std::function<void(QDialog *)> &step)
{
    QTimer::singleShot(0, &form, [&] {
        auto *entry = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!entry)
            return;
        step(entry);
        if (entry->isVisible())
            entry->reject();
    });
    control<QAction>(form, "menuCommandEnterResult")->trigger();
}

QPushButton *okButton(QDialog *entry)
{
    return control<QDialogButtonBox>(*entry, "buttonBox")->button(QDialogButtonBox::Ok);
}

QString newNum(TMainForm &form)
{
    return control<QLineEdit>(form, "editNewNum")->text();
}

} // namespace

class TestResultEntry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_iniPath = isolateSettings(m_settingsDir); }
    void init() { QSettings(m_iniPath, QSettings::IniFormat).clear(); }
    void typedDrawIsStoredAndCorrected();
    void refusedInputNamesItsField_data();
    void refusedInputNamesItsField();

private:
    QTemporaryDir m_settingsDir;
    QString m_iniPath;
};

void TestResultEntry::typedDrawIsStoredAndCorrected()
{
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes); // store the empty 2等 as 0
    {
        TMainForm form(folder.path());
        form.show();
        QString drawNumber, lastField = "(the form did not open)";
        bool correctionOffered = true, openAfterEveryEnter = true;
        withEntryForm(form, [&](QDialog *entry) {
            drawNumber = control<QLineEdit>(*entry, "editDrawNumber")->text();
            correctionOffered = control<QRadioButton>(*entry, "radioCorrectNewest")->isVisible();
            for (const auto &field : kTyped) {
                QWidget *focus = entry->focusWidget();
                lastField = focus ? focus->objectName() : QStringLiteral("(nothing)");
                if (lastField != QLatin1String(field.first))
                    return;
                qobject_cast<QLineEdit *>(focus)->insert(field.second); // as typed
                QTest::keyClick(focus, Qt::Key_Return);
                openAfterEveryEnter = openAfterEveryEnter && entry->isVisible();
            }
            lastField.clear();
            okButton(entry)->setFocus();
            QTest::keyClick(okButton(entry), Qt::Key_Return);
        });
        QVERIFY2(lastField.isEmpty(), qPrintable("Enter led to " + lastField));
        QVERIFY(openAfterEveryEnter);
        QCOMPARE(drawNumber, QString("2038"));
        QVERIFY(!correctionOffered); // the newest draw is an official one
        QCOMPARE(boxes.texts(),
                 QStringList{"当選金額・口数が未入力の等級があります。0 として保存しますか？"});
        QCOMPARE(boxes.boxes().first().defaultButton, QMessageBox::No);
        QCOMPARE(newNum(form), QString("2039"));
    }
    QVERIFY(folder.read("download/Loto6Number.csv") ==
            "2038,2025/09/29,3,9,17,22,31,40,12\r\n" + bundledFile("Loto6Number.csv"));
    QVERIFY(folder.read("download/Loto6Data.csv") ==
            "2038,600000000,1,0,0,1000000,2,8000,4,1000,201234,0\r\n" +
                bundledFile("Loto6Data.csv"));
    QCOMPARE(folder.read("download/TypedDraws.csv"), QByteArray("2038\r\n"));

    // After a restart the typed draw can still be corrected, in place.
    TMainForm restarted(folder.path());
    restarted.show();
    QCOMPARE(newNum(restarted), QString("2039"));
    QString offered, shownNumber, shownDate;
    withEntryForm(restarted, [&](QDialog *entry) {
        auto *correct = control<QRadioButton>(*entry, "radioCorrectNewest");
        offered = correct->isVisible() ? correct->text() : QString();
        correct->click();
        shownNumber = control<QLineEdit>(*entry, "editDrawNumber")->text();
        shownDate = control<QLineEdit>(*entry, "editDate")->text();
        control<QLineEdit>(*entry, "editBonus")->setText("13");
        okButton(entry)->click();
    });
    QCOMPARE(offered, QString("第2038回を修正"));
    QCOMPARE(shownNumber, QString("2038"));
    QCOMPARE(shownDate, QString("2025/09/29"));
    QCOMPARE(boxes.texts().size(), 1); // every prize field is filled in
    QVERIFY(folder.read("download/Loto6Number.csv") ==
            "2038,2025/09/29,3,9,17,22,31,40,13\r\n" + bundledFile("Loto6Number.csv"));
    QVERIFY(folder.read("download/Loto6Data.csv") ==
            "2038,600000000,1,0,0,1000000,2,8000,4,1000,201234,0\r\n" +
                bundledFile("Loto6Data.csv"));
    QCOMPARE(newNum(restarted), QString("2039"));
    QCOMPARE(control<QTableView>(restarted, "viewHistory")->model()->rowCount(), 2038);
}

void TestResultEntry::refusedInputNamesItsField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // the message names the field
    QTest::newRow("date not later") << "editDate" << QString("2025/09/25") << "日付";
    QTest::newRow("date unreadable") << "editDate" << QString("9月29日") << "日付";
    QTest::newRow("date after today") << "editDate" << QString("2030/01/01") << "日付";
    QTest::newRow("number 44") << "editNumber3" << QString("44") << "本数字③";
    QTest::newRow("number empty") << "editNumber1" << QString("") << "本数字①";
    QTest::newRow("number repeated") << "editNumber6" << QString("40") << "本数字⑥";
    QTest::newRow("bonus among the numbers") << "editBonus" << QString("17") << "ボーナス数字";
    QTest::newRow("bonus 0") << "editBonus" << QString("0") << "ボーナス数字";
    QTest::newRow("amount in words") << "editAmount2" << QString("12万") << "２等の金額";
    QTest::newRow("amount over a billion")
        << "editAmount1" << QString("1,000,000,001") << "１等の金額は 1,000,000,000 円以下";
    QTest::newRow("winners over a hundred million")
        << "editWinners5" << QString("100000001") << "５等の口数は 100,000,000 以下";
    QTest::newRow("carry-over over a trillion")
        << "editCarryOver" << QString("1000000000001") << "キャリーオーバーは 1,000,000,000,000";
    QTest::newRow("winners negative") << "editWinners5" << QString("-1") << "５等の口数";
    QTest::newRow("carry-over fraction") << "editCarryOver" << QString("1.5") << "キャリーオーバー";
    QTest::newRow("a prize left empty, answered No")
        << "editWinners3" << QString("") << "未入力の等級があります";
    // Figures that cannot be true are asked about, naming the rule; answered No.
    QTest::newRow("1等 below 5等") << "editAmount1" << QString("200")
                                   << "１等の金額 ¥200 が５等の ¥1,000 より少ないです。\n"
                                      "このまま保存しますか？";
    QTest::newRow("no pay for winners")
        << "editAmount3" << QString("0") << "３等の当選口数が 2 口なのに金額が ¥0 です";
    QTest::newRow("pay without winners")
        << "editWinners1" << QString("0") << "１等の当選口数が 0 口なのに金額が ¥600,000,000 です";
    QTest::newRow("a Tuesday") << "editDate" << QString("2025/9/30")
                               << "日付 2025/09/30 は火曜日で、抽選日";
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

    bool stillOpen = false;
    withEntryForm(form, [&](QDialog *entry) {
        control<QLineEdit>(*entry, "editDate")->setText("2025/9/29");
        for (const auto &typed : kTyped)
            control<QLineEdit>(*entry, typed.first)
                ->setText(typed.second.isEmpty() ? "0" : typed.second);
        control<QLineEdit>(*entry, qPrintable(field))->setText(text);
        okButton(entry)->click();
        stillOpen = entry->isVisible();
    });

    QVERIFY(stillOpen);
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.texts().first().contains(named), qPrintable(boxes.texts().first()));
    QCOMPARE(folderSnapshot(folder.path()), before);
    QCOMPARE(newNum(form), QString("2038"));
}

QTEST_MAIN(TestResultEntry)
#include "tst_resultentry.moc"
