// Handlers of the trend charts.

#include "core/analysis/TrendCounts.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/pages/HistoryModel.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/TrendChart.h"

#include <QChartView>
#include <QComboBox>
#include <QPushButton>

void TMainForm::connectAnalysis()
{
    connect(cmbChartKind, &QComboBox::currentIndexChanged, this,
            [this] { guarded(&TMainForm::cmbChartKindChange); });
    connect(btnChartExec, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnChartExecClick); });
}

// A new kind empties the page until the chart is asked for.
void TMainForm::cmbChartKindChange()
{
    chartSelect43->hide();
    chartSelect6->hide();
}

// Computes the chosen kind from the history rows in the order shown (or from the count
// table) and shows it on its chart. Before a kind is chosen nothing is drawn.
void TMainForm::btnChartExecClick()
{
    WaitCursor wait;
    const int kind = cmbChartKind->currentIndex();
    if (kind < 0 || kind >= kTrendKinds)
        return;
    QChartView *view = isAppearanceKind(kind) ? chartSelect43 : chartSelect6;
    auto *chart = static_cast<TrendChart *>(view->chart());
    chart->clearValues();
    const TrendValues values = trendValues(kind, m_history->records(), m_context->baseCountTable());
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        chart->addValue(values[static_cast<size_t>(n - 1)], twoDigits(n));
    view->show();
}
