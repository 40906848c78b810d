// The windows of the menu "コマンド" beyond the download — a line against the whole history,
// the spend and return report, the test of randomness, the statistics beside their values
// under fair draws — and the duplicate lines of the slate, on the bundled history.

#include "TestSupport.h"
#include "analysis/RandomnessTestForm.h"
#include "app/Main.h"
#include "app/StringGrid.h"
#include "tickets/LineHistoryForm.h"
#include "tickets/TicketReportForm.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace
{

template <typename Dialog> Dialog *openFromMenu(TMainForm &form, const char *action)
{
    form.findChild<QAction *>(QLatin1String(action))->trigger();
    auto *dialog = form.findChild<Dialog *>();
    if (dialog)
        QTest::qWait(10); // shown
    return dialog;
}

} // namespace

class TestExtraCommands : public WindowTest
{
    Q_OBJECT
private slots:
    void lineAgainstWholeHistory();
    void spendAndReturnReport();
    void randomnessTest();
    void statistics();
    void duplicateLinesOnSlate();
    void unreadableTicketFileOnSlate();

private:
    void prepare() override;
};

void TestExtraCommands::prepare()
{
    startWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestExtraCommands::lineAgainstWholeHistory()
{
    MessageBoxWatcher boxes;
    // The numbers of draw 2037, in which nobody won 1等: a win without an amount.
    decide(*m_form, {7, 12, 20, 23, 27, 29});
    auto *dialog = openFromMenu<LineHistoryForm>(*m_form, "menuCommandLineHistory");
    QVERIFY(dialog);
    QCOMPARE(dialog->editLineHistory->text(), QString("07 12 20 23 27 29"));
    QTableWidget *grid = dialog->gridLineHistory;
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->item(0, 0)->text(), QString("１等"));
    QCOMPARE(grid->item(0, 1)->text(), QString("1回"));
    QCOMPARE(grid->item(0, 2)->text(), QString("¥0（金額なし1回）"));
    QCOMPARE(grid->item(0, 3)->text(), QString("第2037回"));
    QVERIFY(dialog->lblLineHistorySummary->text().startsWith(
        "照合した抽選 2,037回　購入金額 ¥407,400　当選金 ¥"));
    QVERIFY(dialog->lblLineHistorySummary->text().contains("当選1回は、当選金に含めていません。"));

    dialog->editLineHistory->setText("1 2 3 4 5 44");
    QTest::keyClick(dialog->editLineHistory, Qt::Key_Return); // one check, one message
    QCOMPARE(boxes.texts(), QStringList{"「44」は１～４３の範囲にありません。"});
    QCOMPARE(grid->item(0, 3)->text(), QString("第2037回")); // the last result stays
}

void TestExtraCommands::spendAndReturnReport()
{
    m_folder->write("client/2037.csv", "2037,01,02,03,04,05,06\r\n2037,1,2,3,4,5,6,7\r\n");
    m_folder->write("client/2037 - コピー.csv", "2037,01,02,03,04,05,06\r\n"); // a copy in place
    m_folder->write("client/2038.csv", "2038,01,02,03,04,05,06\r\n");
    const auto before = folderSnapshot(m_folder->path());
    auto *dialog = openFromMenu<TicketReportForm>(*m_form, "menuCommandTicketReport");
    QVERIFY(dialog);
    QCOMPARE(child<QLabel>(dialog, "lblTicketReportTotals")->text(),
             QString("購入 1口 ¥200　当選金 ¥0　収支 ¥-200　回収率 0.0%"));
    auto *grid = child<QTableWidget>(dialog, "gridTicketReport");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QString("2038"));
    QCOMPARE(grid->item(0, 1)->text(), QString("未抽選"));
    QCOMPARE(grid->item(1, 1)->text(), QString("2025/09/25"));
    const QString notes = child<QLabel>(dialog, "lblTicketReportNotes")->text();
    QVERIFY(notes.contains("未抽選の申込み 1口"));
    QVERIFY(notes.contains("正しくない行 1行"));
    QVERIFY(notes.contains("名前が開催回の番号でないファイル 1個"));
    QCOMPARE(child<QChartView>(dialog, "chartTicketReport")->chart()->series().size(), 2);
    dialog->close();
    QCOMPARE(folderSnapshot(m_folder->path()), before);
}

void TestExtraCommands::randomnessTest()
{
    auto *dialog = openFromMenu<RandomnessTestForm>(*m_form, "menuCommandRandomnessTest");
    QVERIFY(dialog);
    auto *grid = child<QTableWidget>(dialog, "gridRandomness");
    auto *draws = child<QSpinBox>(dialog, "editRandomnessDraws");
    auto *chiSquare = child<QLabel>(dialog, "lblChiSquare");
    QCOMPARE(grid->rowCount(), 43);
    QCOMPARE(draws->value(), 2037);
    QCOMPARE(grid->item(0, 2)->text(), QString("284.23")); // 6 x 2037 / 43
    QVERIFY(chiSquare->text().contains("自由度 42"));
    // The seven tests are read together: position ② alone looks biased, but not for one of
    // seven, and each verdict goes by the adjusted p.
    auto *tests = child<QTableWidget>(dialog, "gridRandomnessTests");
    QCOMPARE(tests->rowCount(), 7);
    QStringList row2;
    for (int c = 0; c < tests->columnCount(); ++c)
        row2 << tests->item(2, c)->text();
    QCOMPARE(row2.join('|'), QString("②|46.45|30|0.028|0.197|偶然の範囲内"));
    const QString verdict = chiSquare->text().section('\n', -1);
    QCOMPARE(verdict, QString(tests->item(0, 4)->text().toDouble() < 0.05
                                  ? "偶然とは言いにくい偏りがあります（補正後 p < 0.05）。"
                                  : "出現回数の偏りは偶然の範囲内です。"));
    child<QComboBox>(dialog, "cmbRandomnessPosition")->setCurrentIndex(1);
    QVERIFY(child<QLabel>(dialog, "lblPositionTest")
                ->text()
                .endsWith("p = 0.028（補正後 p = 0.197）\n出現回数の偏りは偶然の範囲内です。"));

    draws->setValue(100);
    QCOMPARE(grid->item(0, 2)->text(), QString("13.95"));
    QVERIFY(chiSquare->text().contains("100回"));
    child<QComboBox>(dialog, "cmbRandomnessPosition")->setCurrentIndex(5);
    QChart *chart = child<QChartView>(dialog, "chartRandomness")->chart();
    QVERIFY(chart->title().startsWith("⑥"));
    QCOMPARE(chart->series().size(), 2);
}

void TestExtraCommands::statistics()
{
    m_form->findChild<QAction *>("menuCommandStatistics")->trigger();
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("StatisticsForm"));
    auto *draws = dialog->findChild<QSpinBox *>("editStatisticsDraws");
    auto *tabs = dialog->findChild<QTabWidget *>("tabStatistics");
    auto *repeats = dialog->findChild<QTableWidget *>("gridRepeats");
    auto *repeatsTest = dialog->findChild<QLabel *>("lblRepeatsTest");
    QVERIFY(draws && tabs && repeats && repeatsTest);
    QCOMPARE(tabs->count(), 8);
    for (const char *grid : {"gridIntervals", "gridConsecutive", "gridOddEven", "gridSums",
                             "gridLastDigits", "gridPairs", "gridWeekday"})
        QVERIFY2(dialog->findChild<QTableWidget *>(grid), grid);
    for (const char *label : {"lblIntervalsTest", "lblConsecutiveTest", "lblOddEvenTest",
                              "lblSumsTest", "lblLastDigitsTest", "lblWeekdayTest"})
        QVERIFY2(dialog->findChild<QLabel *>(label), label);

    // All 2037 draws: 927 of the 2036 after another repeat one of its numbers, against
    // 2036 C(6,1) C(37,5) / C(43,6) = 873.45; the raw p 0.047 is 0.283 after Holm over 7 tests.
    QCOMPARE(draws->value(), 2037);
    QCOMPARE(repeats->item(1, 1)->text(), QString("927"));
    QCOMPARE(repeats->item(1, 2)->text(), QString("873.45"));
    QCOMPARE(repeats->item(1, 3)->text(), QString("42.90%"));
    QVERIFY2(repeatsTest->text().contains("自由度 3　p = 0.047（Holm補正後 p = 0.283、7個の検定）\n"
                                          "出現回数の偏りは偶然の範囲内です。"),
             qPrintable(repeatsTest->text()));

    // Enter in the draw count recomputes and leaves the window open; Escape closes it.
    draws->selectAll();
    QTest::keyClicks(draws, "100");
    QTest::keyClick(draws, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(repeats->item(1, 1)->text(), QString("49"));
    QCOMPARE(repeats->item(1, 2)->text(), QString("42.47")); // 99 x 42.90 %
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
}

void TestExtraCommands::duplicateLinesOnSlate()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    // A line saved for the coming draw, its numbers in another order.
    m_folder->write("client/2038.csv", "2038,42,38,25,17,11,03\r\n");
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {1, 2, 3, 4, 5, 7});
    QCOMPARE(form.pnlMessagePanel0->text(),
             QString("１～４３までの数字の中から、異なる６個の数字を選択してください。"));
    decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(form.pnlMessagePanel0->text(), QString("同じ組合せが既にあります（3口目）。"));
    decide(form, {3, 11, 17, 25, 38, 42});
    QCOMPARE(form.pnlMessagePanel0->text(), QString("同じ組合せが既にあります（4口目）。"));
    QVERIFY(boxes.texts().isEmpty());

    form.gridSelectItem->setCurrentRow(1); // a line of its own
    QVERIFY(paintedRed(form.gridSelectItem, 0));
    QVERIFY(!paintedRed(form.gridSelectItem, 1));
    QVERIFY(paintedRed(form.gridSelectItem, 2));
    QVERIFY(paintedRed(form.gridSelectItem, 3));

    // The marks follow the slate and the file: a cancelled original frees its repeat, and the
    // saved lines are repeats of themselves.
    form.gridSelectItem->setCurrentRow(0);
    form.btnCancel->click();
    QVERIFY(!paintedRed(form.gridSelectItem, 1));
    form.btnSave->click();
    for (int row = 0; row < 3; ++row)
        QVERIFY(paintedRed(form.gridSelectItem, row));
}

// A ticket file that cannot be read (here a folder in its place) is no reason to lose the
// slate: it counts as no saved lines and is told once in the status line.
void TestExtraCommands::unreadableTicketFileOnSlate()
{
    TMainForm &form = *m_form;
    QVERIFY(QDir(m_folder->file("client")).mkdir("2038.csv"));
    MessageBoxWatcher boxes;
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {1, 2, 3, 4, 5, 7});
    decide(form, {1, 2, 3, 4, 5, 6});
    QVERIFY(form.pnlMessagePanel0->text().startsWith("client/2038.csv を読めません："));
    form.pnlMessagePanel0->clear();
    QVERIFY(paintedRed(form.gridSelectItem, 2)); // a repaint: the repeat on the slate shows
    QVERIFY(!paintedRed(form.gridSelectItem, 1));
    QVERIFY(form.pnlMessagePanel0->text().startsWith("client/2038.csv を読めません："));
    QCOMPARE(form.gridSelectItem->rowCount(), 3);
    QVERIFY(boxes.texts().isEmpty());
}

QTEST_MAIN(TestExtraCommands)
#include "tst_extracommands.moc"
