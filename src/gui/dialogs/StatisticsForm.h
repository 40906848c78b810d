#pragma once

#include "core/results/PastDraws.h"

#include <QDialog>
#include <memory>

class QChartView;
class QLabel;
class QTableWidget;
struct Distribution;
struct StatisticsReport;
namespace Ui
{
class StatisticsForm;
}

// The verdict of the test of the longest gap, read on its adjusted p: "いちばん長い間隔は偶然の
// 範囲内です。" from 0.05 up, "偶然とは言いにくい長さの間隔があります（補正後 p < 0.05）。" below.
QString gapVerdict(double adjustedP);

// The statistics players look for, each beside its exact value under fair draws, one page
// each: how long since each number was drawn, repeats from the draw before, neighbouring
// numbers, odd and even, the sum, the last digits, pairs and the weekday, over the newest n
// draws of the history. Each test's verdict is read on Holm's adjustment over the window's
// tests.
class StatisticsForm : public QDialog
{
    Q_OBJECT
public:
    explicit StatisticsForm(const PastDraws &history, QWidget *parent = nullptr);
    ~StatisticsForm() override;

private:
    // One page: its table, its chart where it has one, its test label where it has a test.
    struct Page {
        QTableWidget *table = nullptr;
        QChartView *chart = nullptr;
        QLabel *test = nullptr;
        QLabel *sentence = nullptr;
    };
    enum PageIndex { Intervals, Repeats, Consecutive, OddEven, Sums, LastDigits, Pairs, Weekday };

    void addPage(PageIndex index, const QString &title, QTableWidget *table, const char *chart,
                 const char *test);
    void refresh();
    void showIntervals(const StatisticsReport &report);
    void showDistribution(PageIndex index, const Distribution &distribution,
                          const QStringList &rows, const QString &axisTitle);
    void showPairs(const StatisticsReport &report);
    void showWeekdays(const StatisticsReport &report);

    PastDraws m_history;
    Page m_pages[Weekday + 1];
    int m_tests = 0; // the tests read together in the current report
    std::unique_ptr<Ui::StatisticsForm> m_ui;
};
