#pragma once

#include "gui/pages/Page.h"

#include <QVector>
#include <optional>

class PageContext;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;

// The page "データの傾向と分析" (TabSheet3): the trend chart of the chosen kind, counted over
// the history in the order shown or from the count table.
class TrendChartPage : public Page
{
    Q_OBJECT
public:
    explicit TrendChartPage(PageContext &context, QWidget *parent = nullptr);

    QString guide() const override;
    void activated() override;

    // After a load: the first kind, over the newest draws, counted at once (a failure passes
    // to the caller) and put on its chart when the page is up, or as soon as it comes up.
    void showFirstChart();

    void cmbChartKindChange();
    void btnChartExecClick();

protected:
    void buildControls() override;

private:
    // The values of the chosen kind, from the history rows in the order shown (or from the
    // count table); nothing before a kind is chosen.
    std::optional<QVector<int>> chosenValues() const;
    std::optional<QVector<int>> valuesOf(int kind) const;
    // Puts the values on the chart of the chosen kind and shows it.
    void drawChart(const QVector<int> &values);

    PageContext &m_context;
    // The first chart of a load while the page was not up: drawn when it comes up.
    std::optional<QVector<int>> m_firstChartDue;
    QLabel *Label6 = nullptr;
    QComboBox *cmbChartKind = nullptr;
    QPushButton *btnChartExec = nullptr;
    QChartView *chartSelect6 = nullptr, *chartSelect43 = nullptr;
};
