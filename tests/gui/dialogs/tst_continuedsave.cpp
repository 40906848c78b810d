// "継続購入として保存": one slate saved for several draws at once.

#include "TestSupport.h"
#include "core/results/DrawCalendar.h"
#include "core/results/HistoryCheck.h"
#include "gui/dialogs/ContinuedSaveForm.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestContinuedSave : public QObject
{
    Q_OBJECT
private slots:
    void savesForTheChosenDraws();
};

void TestContinuedSave::savesForTheChosenDraws()
{
    ProgramFolder folder(false);
    MessageBoxWatcher boxes;
    const QVector<LotoLine> rows = {*LotoLine::fromText("2038,01,02,03,04,05,06"),
                                    *LotoLine::fromText("2038,07,08,09,10,11,12")};
    const NewestDraw newest{2037, QDate(2025, 9, 25)};
    const QStringList noFiles;
    ContinuedSaveForm form(newest, rows, folder.path());
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(QDir(folder.file("client")).entryList(QDir::Files), noFiles);

    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(form.width() <= 1024 && form.height() <= 576);
    auto *count = control<QSpinBox>(form, "editContinuedDraws");
    auto *list = control<QListWidget>(form, "listContinuedDraws");
    auto *buttons = control<QDialogButtonBox>(form, "buttonBox");
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->item(4)->text(), QString("第2042回（2025/10/13 月）"));
    // Draws counted from a history more than a year old: the window says so.
    auto *stale = control<QLabel>(form, "lblContinuedStale");
    QVERIFY(stale->isVisible());
    QVERIFY2(stale->text().startsWith(
                 QString("読み込んだ抽選結果は第2037回（2025/09/25）までで、そのあとの%1回分が")
                     .arg(missingDraws(QDate(2025, 9, 25), japanToday()))),
             qPrintable(stale->text()));

    // Enter in the count shows the draws of the typed count, and does not save.
    count->selectAll();
    QTest::keyClicks(count, "3");
    QTest::keyClick(count, Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(list->count(), 3);
    QCOMPARE(control<QLabel>(form, "lblContinuedSummary")->text(),
             QString("申込数字 2口を、次の3回分の抽選に保存します。\n購入金額：計6口 ¥1,200"));
    QCOMPARE(QDir(folder.file("client")).entryList(QDir::Files), noFiles);

    // One draw's file cannot be written: no file is, and the dialog stays open.
    QVERIFY(QDir(folder.path()).mkpath("client/2039.csv"));
    buttons->button(QDialogButtonBox::Ok)->click();
    QVERIFY(form.isVisible());
    QVERIFY2(boxes.texts().value(0).contains("2039.csv"), qPrintable(boxes.texts().join('|')));
    QCOMPARE(QDir(folder.file("client")).entryList(QDir::Files), noFiles);

    QVERIFY(QDir(folder.path()).rmdir("client/2039.csv"));
    boxes.clear();
    buttons->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(boxes.texts(),
             QStringList{"第2038回～第2040回の3回分、各2口を保存しました（計6口 ¥1,200）。"});
    QCOMPARE(QDir(folder.file("client")).entryList(QDir::Files),
             QStringList({"2038.csv", "2039.csv", "2040.csv"}));
    QCOMPARE(folder.read("client/2040.csv"),
             QByteArray("2040,01,02,03,04,05,06\r\n2040,07,08,09,10,11,12\r\n"));
}

QTEST_MAIN(TestContinuedSave)
#include "tst_continuedsave.moc"
