// The windows of the menu "コマンド" beyond the download — a line against the whole history,
// the spend and return report with the prizes to claim, the test of randomness, the statistics
// beside their values under fair draws — and the duplicate lines of the slate, on the bundled
// history.

#include "NotRegularFile.h"
#include "TestSupport.h"
#include "core/results/DrawCalendar.h"
#include "core/results/ResultsFiles.h"
#include "core/tickets/PrizeClaims.h"
#include "gui/dialogs/LineHistoryForm.h"
#include "gui/dialogs/RandomnessTestForm.h"
#include "gui/dialogs/Splash.h"
#include "gui/dialogs/StatisticsForm.h"
#include "gui/dialogs/TicketReportForm.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <ctime>

namespace
{

// The dialog that the menu command opens, by its objectName.
template <typename Dialog>
Dialog *openFromMenu(TMainForm &form, const char *action, const char *dialogName)
{
    control<QAction>(form, action)->trigger();
    auto *dialog = control<Dialog>(form, dialogName);
    QTest::qWait(10); // shown
    return dialog;
}

const QColor kRed(255, 0, 0), kBlack(0, 0, 0);

} // namespace

class TestExtraCommands : public WindowTest
{
    Q_OBJECT
private slots:
    void lineAgainstWholeHistory();
    void spendAndReturnReport();
    void reportBeforeAnyDraw();
    void reportTableShowsWholeRows();
    void prizesToClaim();
    void claimsCountDaysInJapan();
    void reportOpensWithUnreadableFiles();
    void randomnessTest();
    void statistics();
    void gapVerdict_data();
    void gapVerdict();
    void duplicateLinesOnSlate();
    void unreadableTicketFileOnSlate();
    void dialogsFitASmallScreen_data();
    void dialogsFitASmallScreen();
    void dialogsTabThroughTheirControls_data();
    void dialogsTabThroughTheirControls();

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
    auto *dialog =
        openFromMenu<LineHistoryForm>(*m_form, "menuCommandLineHistory", "LineHistoryForm");
    QVERIFY(dialog);
    QCOMPARE(control<QLineEdit>(*dialog, "editLineHistory")->text(), QString("07 12 20 23 27 29"));
    QTableWidget *grid = control<QTableWidget>(*dialog, "gridLineHistory");
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->item(0, 0)->text(), QString("１等"));
    QCOMPARE(grid->item(0, 1)->text(), QString("1回"));
    QCOMPARE(grid->item(0, 2)->text(), QString("¥0（金額なし1回）"));
    QCOMPARE(grid->item(0, 3)->text(), QString("第2037回"));
    QVERIFY(control<QLabel>(*dialog, "lblLineHistorySummary")
                ->text()
                .startsWith("照合した抽選 2,037回　購入金額 ¥407,400　当選金 ¥"));
    QVERIFY(control<QLabel>(*dialog, "lblLineHistorySummary")
                ->text()
                .contains("当選1回は、当選金に含めていません。"));

    control<QLineEdit>(*dialog, "editLineHistory")->setText("1 2 3 4 5 44");
    QTest::keyClick(control<QLineEdit>(*dialog, "editLineHistory"),
                    Qt::Key_Return); // one check, one message
    QCOMPARE(boxes.texts(), QStringList{"「44」は１～４３の範囲にありません。"});
    QCOMPARE(grid->item(0, 3)->text(), QString("第2037回")); // the last result stays
}

void TestExtraCommands::spendAndReturnReport()
{
    m_folder->write("client/2037.csv", "2037,01,02,03,04,05,06\r\n2037,1,2,3,4,5,6,7\r\n");
    m_folder->write("client/2037 - コピー.csv", "2037,01,02,03,04,05,06\r\n"); // a copy in place
    m_folder->write("client/2038.csv", "2038,01,02,03,04,05,06\r\n");
    m_folder->write("client/claimed.csv", "2037,01,02,03,04,05,06,2025/09/30\r\n"); // its own
    const auto before = folderSnapshot(m_folder->path());
    auto *dialog =
        openFromMenu<TicketReportForm>(*m_form, "menuCommandTicketReport", "TicketReportForm");
    QVERIFY(dialog);
    QCOMPARE(control<QLabel>(*dialog, "lblTicketReportTotals")->text(),
             QString("購入 1口 ¥200　当選金 ¥0　収支 ¥-200　回収率 0.0%"));
    auto *grid = control<QTableWidget>(*dialog, "gridTicketReport");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QString("2038"));
    QCOMPARE(grid->item(0, 1)->text(), QString("未抽選"));
    QCOMPARE(grid->item(1, 1)->text(), QString("2025/09/25"));
    const QString notes = control<QLabel>(*dialog, "lblTicketReportNotes")->text();
    QVERIFY(notes.contains("未抽選の申込み 1口"));
    QVERIFY(notes.contains("正しくない行 1行"));
    QVERIFY(notes.contains("名前が開催回の番号でないファイル 1個"));
    // The one drawn draw is a visible point amid its axis; amounts are grouped.
    QChart *chart = control<QChartView>(*dialog, "chartTicketReport")->chart();
    QCOMPARE(chart->series().size(), 2);
    QVERIFY(static_cast<QLineSeries *>(chart->series().first())->pointsVisible());
    const auto *draws = static_cast<QValueAxis *>(chart->axes(Qt::Horizontal).first());
    QCOMPARE(draws->min() + draws->max(), 2.0 * 2037);
    QVERIFY(static_cast<QCategoryAxis *>(chart->axes(Qt::Vertical).first())
                ->categoriesLabels()
                .contains("1,000"));
    dialog->close();
    QCOMPARE(folderSnapshot(m_folder->path()), before);
}

// Lines saved for the coming draw only: no rate and no chart yet, and the window says so.
void TestExtraCommands::reportBeforeAnyDraw()
{
    m_folder->write("client/2038.csv", "2038,01,02,03,04,05,06\r\n");
    auto *dialog =
        openFromMenu<TicketReportForm>(*m_form, "menuCommandTicketReport", "TicketReportForm");
    QVERIFY(dialog);
    QCOMPARE(control<QLabel>(*dialog, "lblTicketReportTotals")->text(),
             QString("購入 0口 ¥0　当選金 ¥0　収支 ¥0　回収率 －"));
    QVERIFY(!control<QChartView>(*dialog, "chartTicketReport")->isVisible());
    QVERIFY(control<QLabel>(*dialog, "lblTicketReportNotes")
                ->text()
                .contains("抽選の済んだ申込みがまだないため、グラフはまだありません。"));
    dialog->close();
}

// On this small screen the table shows whole rows, up to eight, the rest scrolled.
void TestExtraCommands::reportTableShowsWholeRows()
{
    for (int draw = 2028; draw <= 2037; ++draw)
        m_folder->write(QString("client/%1.csv").arg(draw),
                        QByteArray::number(draw) + ",01,02,03,04,05,06\r\n");
    auto *dialog =
        openFromMenu<TicketReportForm>(*m_form, "menuCommandTicketReport", "TicketReportForm");
    QVERIFY(dialog);
    auto *grid = control<QTableWidget>(*dialog, "gridTicketReport");
    QCOMPARE(grid->rowCount(), 10);
    const QRect eighth = grid->visualRect(grid->model()->index(7, 0));
    QVERIFY2(eighth.bottom() < grid->viewport()->height(),
             qPrintable(QString("%1 in %2").arg(eighth.bottom()).arg(grid->viewport()->height())));
    QVERIFY(grid->visualRect(grid->model()->index(8, 0)).top() >= grid->viewport()->height());
    // The spend stays level up to the next draw and steps there; draws tick every 2.
    QChart *chart = control<QChartView>(*dialog, "chartTicketReport")->chart();
    QCOMPARE(static_cast<QLineSeries *>(chart->series().first())->points().mid(0, 3),
             (QList<QPointF>{{2028, 200}, {2029, 200}, {2029, 400}}));
    QCOMPARE(static_cast<QValueAxis *>(chart->axes(Qt::Horizontal).first())->tickInterval(), 2.0);
    dialog->close();
}

// The winning saved lines with their deadlines, as on 2025/10/06; ticking one as claimed
// writes claimed.csv and nothing else.
void TestExtraCommands::prizesToClaim()
{
    m_folder->write("client/2036.csv", "2036,07,10,17,26,01,02\r\n2036,01,02,03,04,05,06\r\n"
                                       "2036,07,10,17,01,02,03\r\n");
    m_folder->write("client/1937.csv", "1937,01,09,26,28,02,03\r\n");
    m_folder->write("client/1936.csv", "1936,01,06,19,02,03,04\r\n");
    m_folder->write("client/claimed.csv", "2036,01,02,03,07,10,17,2025/09/30\r\n");
    ResultsData results;
    QCOMPARE(readResultsFolder(m_folder->file("download/"), &results), ResultsStatus::Loaded);
    MessageBoxWatcher boxes;
    TicketReportForm dialog(PastDraws(results), m_folder->path(), nullptr, QDate(2025, 10, 6));
    dialog.show();
    auto *tabs = control<QTabWidget>(dialog, "tabTicketReport");
    QCOMPARE(tabs->tabText(1), QString("当選一覧"));
    tabs->setCurrentIndex(1);
    auto *grid = control<QTableWidget>(dialog, "gridPrizeClaims");
    const QStringList expected = {
        "2036|2025/09/22|01 02 07 10 17 26|４等|¥7,300|2026/09/22|あと 351 日",
        "2036|2025/09/22|01 02 03 07 10 17|５等|¥1,000|2026/09/22|あと 351 日",
        "1937|2024/10/07|01 02 03 09 26 28|４等|¥8,700|2025/10/07|あと 1 日",
        "1936|2024/10/03|01 02 03 04 06 19|５等|¥1,000|2025/10/03|期限切れ"};
    QCOMPARE(grid->rowCount(), expected.size());
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells.append(grid->item(row, c)->text());
        QCOMPARE(cells.join('|'), expected.at(row));
        QCOMPARE(grid->item(row, 7)->checkState(), row == 1 ? Qt::Checked : Qt::Unchecked);
    }
    QCOMPARE(grid->item(0, 0)->foreground().color(), dialog.palette().color(QPalette::Text));
    QCOMPARE(grid->item(2, 0)->foreground().color(), kRed);
    QCOMPARE(grid->item(3, 0)->foreground().color(), QColor(128, 128, 128));
    auto *total = control<QLabel>(dialog, "lblPrizeClaims");
    QCOMPARE(total->text(), QString("未受取の当選金（期限内）：¥16,000"));

    const auto before = folderSnapshot(m_folder->path());
    grid->setFocus();
    grid->setCurrentCell(0, 7);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(grid->item(0, 7)->checkState(), Qt::Checked);
    QCOMPARE(
        m_folder->read("client/claimed.csv"),
        QByteArray("2036,01,02,03,07,10,17,2025/09/30\r\n2036,01,02,07,10,17,26,2025/10/06\r\n"));
    QCOMPARE(total->text(), QString("未受取の当選金（期限内）：¥8,700"));
    auto after = folderSnapshot(m_folder->path());
    after.remove("client/claimed.csv");
    auto unchanged = before;
    unchanged.remove("client/claimed.csv");
    QCOMPARE(after, unchanged);

    // A claim that cannot be written is told, and its box goes back.
    LockedPath lock(m_folder->file("client"));
    if (!lock.locked())
        QSKIP("this file system cannot make a folder read-only for this user");
    grid->setCurrentCell(1, 7);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(grid->item(1, 7)->checkState(), Qt::Checked);
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    QVERIFY(boxes.texts().first().startsWith("受取済みの記録を保存できませんでした。"));
    QCOMPARE(total->text(), QString("未受取の当選金（期限内）：¥8,700"));
}

// The claims count their days by Japan's date, as the check and the start-up warning do,
// wherever the computer's clock is set: a prize on its deadline in Japan is due today.
void TestExtraCommands::claimsCountDaysInJapan()
{
    const QByteArray zoneBefore = qgetenv("TZ");
    // One of the two differs from Japan's date at any hour. A Windows program keeps the zone
    // it started in (the Windows test run starts every test in a zone whose date is not
    // Japan's).
    for (const char *zone : {"Etc/GMT+12", "Etc/GMT-14"}) {
        qputenv("TZ", zone);
        tzset();
        if (QDate::currentDate() != japanToday())
            break;
    }
    const QDate today = japanToday();
    const bool differs = QDate::currentDate() != today;
    QDate drawn = today.addYears(-1).addDays(2);
    while (claimDeadline(drawn) > today)
        drawn = drawn.addDays(-1);
    QCOMPARE(claimDeadline(drawn), today);
    m_folder->write("client/1.csv", "1,01,02,03,04,05,06\r\n");
    const QVector<DrawRecord> draws{
        parseDrawLine("1," + drawn.toString("yyyy/MM/dd") + ",1,2,3,4,5,6,7")};
    TicketReportForm dialog(PastDraws(draws, {}), m_folder->path());
    const QString left = control<QTableWidget>(dialog, "gridPrizeClaims")->item(0, 6)->text();
    zoneBefore.isNull() ? qunsetenv("TZ") : qputenv("TZ", zoneBefore);
    tzset();
    QVERIFY2(differs, "no time zone gave another date than Japan's");
    QCOMPARE(left, QString("本日まで"));
}

void TestExtraCommands::randomnessTest()
{
    auto *dialog = openFromMenu<RandomnessTestForm>(*m_form, "menuCommandRandomnessTest",
                                                    "RandomnessTestForm");
    QVERIFY(dialog);
    auto *grid = control<QTableWidget>(*dialog, "gridRandomness");
    auto *draws = control<QSpinBox>(*dialog, "editRandomnessDraws");
    auto *chiSquare = control<QLabel>(*dialog, "lblChiSquare");
    QCOMPARE(grid->rowCount(), 43);
    QCOMPARE(draws->value(), 2037);
    QCOMPARE(grid->item(0, 2)->text(), QString("284.23")); // 6 x 2037 / 43
    QVERIFY(chiSquare->text().contains("自由度 42"));
    // The seven tests are read together: position ② alone looks biased, but not for one of
    // seven, and each verdict goes by the adjusted p.
    auto *tests = control<QTableWidget>(*dialog, "gridRandomnessTests");
    QCOMPARE(tests->rowCount(), 7);
    QStringList row2;
    for (int c = 0; c < tests->columnCount(); ++c)
        row2 << tests->item(2, c)->text();
    QCOMPARE(row2.join('|'), QString("②|46.45|30|0.028|0.197|偶然の範囲内"));
    // On this low screen the chart keeps a readable height and the window scrolls instead.
    QVERIFY2(
        control<QChartView>(*dialog, "chartRandomness")->height() >= 250,
        qPrintable(QString::number(control<QChartView>(*dialog, "chartRandomness")->height())));
    QVERIFY(control<QScrollArea>(*dialog, "scrollRandomness")->verticalScrollBar()->maximum() > 0);
    const QString verdict = chiSquare->text().section('\n', -1);
    QCOMPARE(verdict, QString(tests->item(0, 4)->text().toDouble() < 0.05
                                  ? "偶然とは言いにくい偏りがあります（補正後 p < 0.05）。"
                                  : "出現回数の偏りは偶然の範囲内です。"));
    control<QComboBox>(*dialog, "cmbRandomnessPosition")->setCurrentIndex(1);
    QVERIFY(control<QLabel>(*dialog, "lblPositionTest")
                ->text()
                .endsWith("p = 0.028（補正後 p = 0.197）\n出現回数の偏りは偶然の範囲内です。"));

    // Enter in the field recomputes and leaves the window open.
    draws->setFocus();
    draws->selectAll();
    QTest::keyClicks(draws, "100");
    QTest::keyClick(draws, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(grid->item(0, 2)->text(), QString("13.95"));
    QVERIFY(chiSquare->text().contains("100回"));
    control<QComboBox>(*dialog, "cmbRandomnessPosition")->setCurrentIndex(5);
    QChart *chart = control<QChartView>(*dialog, "chartRandomness")->chart();
    QVERIFY(chart->title().startsWith("⑥"));
    QCOMPARE(chart->series().size(), 2);
}

void TestExtraCommands::statistics()
{
    control<QAction>(*m_form, "menuCommandStatistics")->trigger();
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("StatisticsForm"));
    auto *draws = control<QSpinBox>(*dialog, "editStatisticsDraws");
    auto *tabs = control<QTabWidget>(*dialog, "tabStatistics");
    auto *repeats = control<QTableWidget>(*dialog, "gridRepeats");
    auto *repeatsTest = control<QLabel>(*dialog, "lblRepeatsTest");
    QCOMPARE(tabs->count(), 8);
    for (const char *grid : {"gridIntervals", "gridConsecutive", "gridOddEven", "gridSums",
                             "gridLastDigits", "gridPairs", "gridWeekday"})
        control<QTableWidget>(*dialog, grid); // there, or the test ends naming it
    for (const char *label : {"lblIntervalsTest", "lblConsecutiveTest", "lblOddEvenTest",
                              "lblSumsTest", "lblLastDigitsTest", "lblWeekdayTest"})
        control<QLabel>(*dialog, label);

    // All 2037 draws: 927 of the 2036 after another repeat one of its numbers, against
    // 2036 C(6,1) C(37,5) / C(43,6) = 873.45; the raw p 0.047 is 0.283 after Holm over 7 tests.
    QCOMPARE(draws->value(), 2037);
    QCOMPARE(repeats->item(1, 1)->text(), QString("927"));
    QCOMPARE(repeats->item(1, 2)->text(), QString("873.45"));
    QCOMPARE(repeats->item(1, 3)->text(), QString("42.90%"));
    // A formula is kept whole by spaces no line breaks at.
    QVERIFY2(repeatsTest->text().contains(QString("自由度 3　p = 0.047（Holm補正後 p = 0.283、7個の"
                                                  "検定）\n出現回数の偏りは偶然の範囲内です。")
                                              .replace(" = ", "\u00A0=\u00A0")),
             qPrintable(repeatsTest->text()));
    // The gap test has its own verdict; the sentences write digits of one width.
    const QString gaps = control<QLabel>(*dialog, "lblIntervalsTest")->text();
    QVERIFY2(
        gaps.endsWith("いちばん長い間隔は偶然の範囲内です。") ||
            gaps.endsWith("偶然とは言いにくい長さの間隔があります（補正後\u00A0<\u00A00.05）。"),
        qPrintable(gaps));
    for (const QLabel *label : controls<QLabel>(*dialog)) {
        static const QRegularExpression wide("[０-９]");
        QVERIFY2(!label->text().contains(wide), qPrintable(label->text()));
    }

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

void TestExtraCommands::gapVerdict_data()
{
    QTest::addColumn<double>("adjustedP");
    QTest::addColumn<QString>("verdict");
    const QString within = "いちばん長い間隔は偶然の範囲内です。";
    const QString beyond = "偶然とは言いにくい長さの間隔があります（補正後 p < 0.05）。";
    QTest::newRow("just below 0.05") << 0.0499 << beyond;
    QTest::newRow("0.05 itself") << 0.05 << within;
    QTest::newRow("1") << 1.0 << within;
}

void TestExtraCommands::gapVerdict()
{
    QFETCH(double, adjustedP);
    QFETCH(QString, verdict);
    QCOMPARE(::gapVerdict(adjustedP), verdict);
}

void TestExtraCommands::duplicateLinesOnSlate()
{
    TMainForm &form = *m_form;
    auto *slate = control<StringGrid>(form, "gridSelectItem");
    auto *status = control<QLabel>(form, "pnlMessage.Panel0");
    const QString guide = "１～４３までの数字の中から、異なる６個の数字を選択してください。";
    MessageBoxWatcher boxes;
    // A line saved for the coming draw, its numbers in another order.
    m_folder->write("client/2038.csv", "2038,42,38,25,17,11,03\r\n");
    status->setText(guide); // in place of the start's news of the old history
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {1, 2, 3, 4, 5, 7});
    QCOMPARE(status->text(), guide);
    decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(status->text(), QString("同じ組合せが既にあります（1口目と同じ）。"));
    QVERIFY(paintedIn(slate, 0, kRed) && !paintedIn(slate, 1, kRed) && paintedIn(slate, 1, kBlack));

    // The repeat cancelled, the notice and the marks go with it.
    control<QPushButton>(form, "btnCancel")->click();
    QCOMPARE(status->text(), guide);
    QVERIFY(!paintedIn(slate, 0, kRed));
    decide(form, {3, 11, 17, 25, 38, 42});
    QCOMPARE(status->text(), QString("同じ組合せが既にあります（保存済みの申込み数字と同じ）。"));
    QVERIFY(paintedIn(slate, 2, kRed));

    // Saved, the lines are shown as saved (grey, not black), none as a repeat.
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.texts().size(), 1);
    QCOMPARE(status->text(), QString("第2038回に3口を保存しました（計3口 ¥600）。"));
    QCOMPARE(control<QLabel>(form, "pnlSelectMax")->text(), QString("3口（保存済み3口）"));
    slate->setCurrentRow(0);
    for (int row = 0; row < 3; ++row) {
        QVERIFY(!paintedIn(slate, row, kRed));
        QVERIFY(!paintedIn(slate, row, kBlack));
    }
}

void TestExtraCommands::dialogsFitASmallScreen_data()
{
    QTest::addColumn<QString>("command"); // empty: the waiting window
    for (const char *command :
         {"menuHelpAbout", "menuCommandDownloadSettings", "menuCommandEnterResult",
          "menuCommandLineHistory", "menuCommandTicketReport", "menuCommandRandomnessTest",
          "menuCommandStatistics", "menuCommandSaveContinued", ""})
        QTest::newRow(*command ? command : "SplashForm") << command;
}

// Every window opens whole within the screen, "閉じる" and all.
void TestExtraCommands::dialogsFitASmallScreen()
{
    QFETCH(QString, command);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1024, 576));
    QRect shown;
    QStringList keyFaults;
    if (command.isEmpty()) {
        splashWindow(*m_form)->showWithText("アプリケーションを起動中です。");
        shown = splashWindow(*m_form)->frameGeometry();
        splashWindow(*m_form)->hide();
    } else {
        if (command == "menuCommandSaveContinued")
            decide(*m_form, {1, 2, 3, 4, 5, 6}); // a line to save
        QTimer::singleShot(100, m_form.get(), [&shown, &keyFaults] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                shown = dialog->frameGeometry();
                keyFaults = accessKeyFaults(*dialog);
                dialog->close();
            }
        });
        control<QAction>(*m_form, command)->trigger();
        QTRY_VERIFY(!shown.isNull());
    }
    QCOMPARE(keyFaults, QStringList());
    QVERIFY2(screen.contains(shown), qPrintable(QString("%1 x %2 at %3, %4")
                                                    .arg(shown.width())
                                                    .arg(shown.height())
                                                    .arg(shown.x())
                                                    .arg(shown.y())));
}

void TestExtraCommands::dialogsTabThroughTheirControls_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pages"); // a tab widget shown at another page than its first
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("stops"); // from the first focus round to it again
    const QString button = "QPushButton";   // a button of the OK and Cancel row
    const QString tabs = "qt_tabwidget_tabbar";
    QTest::newRow("download settings")
        << "menuCommandDownloadSettings" << QString() << 0
        << QStringList{"editAddress", "editTimeout",      "btnConnectionTest", button,
                       button,        "radioHistoryFeed", "editAddress"};
    QTest::newRow("continued save")
        << "menuCommandSaveContinued" << QString() << 0
        << QStringList{"editContinuedDraws", button, button, "editContinuedDraws"};
    QTest::newRow("line history") << "menuCommandLineHistory" << QString() << 0
                                  << QStringList{"editLineHistory", "btnLineHistoryExec",
                                                 "gridLineHistory", "btnClose", "editLineHistory"};
    QTest::newRow("randomness test")
        << "menuCommandRandomnessTest" << QString() << 0
        << QStringList{"editRandomnessDraws", "gridRandomness", "cmbRandomnessPosition",
                       "gridRandomnessTests", "btnClose",       "editRandomnessDraws"};
    QTest::newRow("spend and return") << "menuCommandTicketReport" << QString() << 0
                                      << QStringList{tabs, "gridTicketReport", "btnClose", tabs};
    QTest::newRow("prizes to claim")
        << "menuCommandTicketReport"
        << "tabTicketReport" << 1 << QStringList{tabs, "gridPrizeClaims", "btnClose", tabs};
    QTest::newRow("statistics, first page")
        << "menuCommandStatistics" << QString() << 0
        << QStringList{"editStatisticsDraws", tabs, "gridIntervals", "btnClose",
                       "editStatisticsDraws"};
    QTest::newRow("statistics, a page with a chart")
        << "menuCommandStatistics"
        << "tabStatistics" << 1
        << QStringList{"editStatisticsDraws", tabs, "gridRepeats", "btnClose",
                       "editStatisticsDraws"};
    QTest::newRow("statistics, the last page")
        << "menuCommandStatistics"
        << "tabStatistics" << 7
        << QStringList{"editStatisticsDraws", tabs, "gridWeekday", "btnClose",
                       "editStatisticsDraws"};
}

// Tab goes round each dialog's controls in the order they stand, every one reached once, and
// stops at nothing that takes no key (a scroll area round a page, a chart).
void TestExtraCommands::dialogsTabThroughTheirControls()
{
    QFETCH(QString, command);
    QFETCH(QString, pages);
    QFETCH(int, page);
    QFETCH(QStringList, stops);
    if (command == "menuCommandSaveContinued")
        decide(*m_form, {1, 2, 3, 4, 5, 6}); // a line to save
    QStringList walked;
    int turned = -1;
    // The walk starts once the dialog is up and has given the focus to its first control,
    // which a slow run (the sanitizers') may take a while to do.
    QTimer walk;
    walk.setInterval(20);
    connect(&walk, &QTimer::timeout, m_form.get(), [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->focusWidget())
            return;
        walk.stop();
        if (!pages.isEmpty())
            control<QTabWidget>(*dialog, pages)->setCurrentIndex(page);
        for (int stop = 0; stop < stops.size(); ++stop) {
            QWidget *focus = dialog->focusWidget();
            if (!focus)
                break;
            walked.append(focus->objectName().isEmpty() ? focus->metaObject()->className()
                                                        : focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        // From the first stop, Ctrl+Tab turns the page too.
        QTest::keyClick(dialog->findChild<QWidget *>(stops.first()), Qt::Key_Tab,
                        Qt::ControlModifier);
        if (auto *tabs = dialog->findChild<QTabWidget *>())
            turned = tabs->currentIndex();
        dialog->close();
    });
    walk.start();
    control<QAction>(*m_form, command)->trigger();
    QTRY_VERIFY(!walked.isEmpty());
    QCOMPARE(walked, stops);
    if (command.endsWith("Statistics")) // its eight pages
        QCOMPARE(turned, (page + 1) % 8);
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
    QVERIFY(control<QLabel>(form, "pnlMessage.Panel0")
                ->text()
                .startsWith("client/2038.csv を読めません："));
    control<QLabel>(form, "pnlMessage.Panel0")->clear();
    QVERIFY(paintedRed(control<StringGrid>(form, "gridSelectItem"),
                       2)); // a repaint: the repeat on the slate shows
    QVERIFY(!paintedRed(control<StringGrid>(form, "gridSelectItem"), 1));
    QVERIFY(control<QLabel>(form, "pnlMessage.Panel0")
                ->text()
                .startsWith("client/2038.csv を読めません："));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 3);
    QVERIFY(boxes.texts().isEmpty());
}

// A ticket file and claimed.csv that cannot be read (a FIFO and a folder in their place): the
// report opens with what could be read, names both, and offers no tick without the marks.
void TestExtraCommands::reportOpensWithUnreadableFiles()
{
    m_folder->write("client/2036.csv", "2036,07,10,17,26,01,02\r\n");
    QVERIFY(makeNotRegularFile(m_folder->file("client/2037.csv")));
    QVERIFY(QDir(m_folder->file("client")).mkdir("claimed.csv"));
    ResultsData results;
    QCOMPARE(readResultsFolder(m_folder->file("download/"), &results), ResultsStatus::Loaded);
    MessageBoxWatcher boxes;
    TicketReportForm dialog(PastDraws(results), m_folder->path(), nullptr, QDate(2025, 10, 6));
    dialog.show();
    QCOMPARE(control<QTableWidget>(dialog, "gridTicketReport")->rowCount(), 1);
    QVERIFY(control<QLabel>(dialog, "lblTicketReportNotes")
                ->text()
                .contains("client/2037.csv を読めません：通常のファイルではありません"));
    auto *grid = control<QTableWidget>(dialog, "gridPrizeClaims");
    QCOMPARE(grid->rowCount(), 1);
    QVERIFY(!(grid->item(0, 7)->flags() & Qt::ItemIsUserCheckable));
    const QString notes = control<QLabel>(dialog, "lblPrizeClaimsNotes")->text();
    QVERIFY(notes.contains("client/claimed.csv を読めません"));
    QVERIFY(notes.contains("client/2037.csv を読めません"));
    QVERIFY(boxes.texts().isEmpty());
}

QTEST_MAIN(TestExtraCommands)
#include "tst_extracommands.moc"
