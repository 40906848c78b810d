#pragma once

#include "gui/pages/Page.h"

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

    void InitMainControls();
    // After a load: the first kind, over the newest draws. A failure passes to the caller.
    void showFirstChart();

    void cmbChartKindChange();
    void btnChartExecClick();

private:
    PageContext &m_context;
    QLabel *Label6 = nullptr;
    QComboBox *cmbChartKind = nullptr;
    QPushButton *btnChartExec = nullptr;
    QChartView *chartSelect6 = nullptr, *chartSelect43 = nullptr;
};
