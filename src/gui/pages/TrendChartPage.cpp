// The page "データの傾向と分析": the trend charts.

#include "gui/pages/TrendChartPage.h"

#include "core/analysis/TrendCounts.h"
#include "gui/PageContext.h"
#include "gui/models/HistoryModel.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/TrendChart.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <utility>

using namespace layout;

TrendChartPage::TrendChartPage(PageContext &context, QWidget *parent)
    : Page(parent, Build::WhenFirstShown), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet3"));
}

void TrendChartPage::buildControls()
{
    Label6 = label(this, "Label6", 10, 10, QStringLiteral("グラフ種別"));
    cmbChartKind = new QComboBox(this);
    cmbChartKind->setObjectName(QStringLiteral("cmbChartKind"));
    cmbChartKind->setGeometry(106, 7, 335, 23);
    cmbChartKind->setEditable(false);
    cmbChartKind->setMaxVisibleItems(15);
    cmbChartKind->setCursor(Qt::PointingHandCursor);
    applyStyle(cmbChartKind, 15);
    cmbChartKind->addItems(trendKindTexts());
    // No kind until the first load chooses one.
    cmbChartKind->setCurrentIndex(m_firstChartDue ? 0 : -1);
    btnChartExec = button(this, "btnChartExec", QRect(460, 6, 149, 25),
                          QStringLiteral("傾向グラフ表示(&G)"), colour::black);
    btnChartExec->setIcon(buttonIcon(ButtonPicture::SmallChart));

    // The line chart lies behind the bar chart, at the same place.
    const QRect place(5, 39, 622, 418);
    chartSelect6 =
        buildTrendChart(this, QStringLiteral("chartSelect6"), place, TrendChart::Style::Line, 1);
    chartSelect43 =
        buildTrendChart(this, QStringLiteral("chartSelect43"), place, TrendChart::Style::Bars, 5);
    chartSelect43->raise();
    chartSelect43->hide();
    chartSelect6->hide();

    connect(cmbChartKind, &QComboBox::currentIndexChanged, this,
            guardedSlot(this, &TrendChartPage::cmbChartKindChange));
    connect(btnChartExec, &QPushButton::clicked, this,
            guardedSlot(this, &TrendChartPage::btnChartExecClick));
}

QString TrendChartPage::guide() const
{
    return QStringLiteral("過去の抽選結果より、データを分析・集計し、グラフに表示します。");
}

void TrendChartPage::activated()
{
    if (!m_firstChartDue)
        return;
    const QVector<int> values = *std::exchange(m_firstChartDue, std::nullopt);
    drawChart(values);
}

void TrendChartPage::showFirstChart()
{
    m_firstChartDue.reset();
    // The button takes no input while the load runs, so its handler is run directly; on a
    // page not up, the chart is only filled when the player brings the page up, with the
    // values of the load.
    if (!isBuilt()) {
        m_firstChartDue = valuesOf(0); // the page is built with the first kind chosen
        return;
    }
    cmbChartKind->setCurrentIndex(0);
    if (isVisible()) {
        btnChartExecClick();
        return;
    }
    m_firstChartDue = chosenValues();
}

// A new kind empties the page until the chart is asked for.
void TrendChartPage::cmbChartKindChange()
{
    m_firstChartDue.reset();
    chartSelect43->hide();
    chartSelect6->hide();
}

// Computes the chosen kind and shows it on its chart. Before a kind is chosen nothing is
// drawn.
void TrendChartPage::btnChartExecClick()
{
    m_firstChartDue.reset();
    WaitCursor wait;
    if (const std::optional<QVector<int>> values = chosenValues())
        drawChart(*values);
}

std::optional<QVector<int>> TrendChartPage::chosenValues() const
{
    return valuesOf(cmbChartKind->currentIndex());
}

std::optional<QVector<int>> TrendChartPage::valuesOf(int kind) const
{
    if (kind < 0 || kind >= kTrendKinds)
        return std::nullopt;
    const TrendValues values =
        trendValues(kind, m_context.historyList()->shownRecords(), m_context.baseCountTable());
    return QVector<int>(values.cbegin(), values.cend());
}

void TrendChartPage::drawChart(const QVector<int> &values)
{
    QChartView *view =
        isAppearanceKind(cmbChartKind->currentIndex()) ? chartSelect43 : chartSelect6;
    QStringList labels;
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        labels.append(twoDigits(n));
    static_cast<TrendChart *>(view->chart())->setValues(values, labels);
    view->setAccessibleName(cmbChartKind->currentText());
    view->show();
}
