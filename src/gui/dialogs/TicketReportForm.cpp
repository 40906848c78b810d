#include "gui/dialogs/TicketReportForm.h"

#include "core/common/Formats.h"
#include "core/tickets/TicketFile.h"
#include "core/tickets/TicketReport.h"
#include "gui/AccessibleNames.h"
#include "gui/dialogs/PrizeClaimsTab.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/MultiRowTabBar.h"

#include "ui_TicketReportForm.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

namespace
{

const QString kPending = QStringLiteral("未抽選");

constexpr int kShownRows = 8; // rows of the table in sight without scrolling

} // namespace

QString ticketReportTotalsText(const TicketReport &report)
{
    const std::int64_t balance = report.balance();
    const QString sign =
        balance > 0 ? QStringLiteral("+") : (balance < 0 ? QStringLiteral("-") : QString());
    // Without a drawn draw there is no rate to tell yet.
    return QStringLiteral("購入 %1口 %2　当選金 %3　収支 ¥%4%5　回収率 %6")
        .arg(formatGrouped(report.lines))
        .arg(formatYen(double(report.spend)))
        .arg(formatYen(double(report.winnings)))
        .arg(sign)
        .arg(formatGrouped(double(balance < 0 ? -balance : balance)))
        .arg(report.spend > 0 ? formatPercent(report.returnRate()) : QStringLiteral("－"));
}

TicketReportForm::TicketReportForm(const PastDraws &history, const QString &programFolder,
                                   QWidget *parent, const QDate &today)
    : QDialog(parent), m_ui(std::make_unique<Ui::TicketReportForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15));
    layout::applyGridHabits(m_ui->gridTicketReport);
    layout::applyStyle(m_ui->lblTicketReportTotals, 17, true, layout::colour::navy);
    m_ui->chartTicketReport->setRenderHint(QPainter::Antialiasing);

    const TicketReport report = buildTicketReport(programFolder + kClientFolder, history);
    m_ui->lblTicketReportTotals->setText(ticketReportTotalsText(report));
    QStringList notes;
    if (report.pendingLines > 0)
        notes.append(
            QStringLiteral("未抽選の申込み %1口は集計に含めていません。").arg(report.pendingLines));
    if (report.invalidLines > 0)
        notes.append(
            QStringLiteral("正しくない行 %1行は集計に含めていません。").arg(report.invalidLines));
    if (report.skippedFiles > 0)
        notes.append(QStringLiteral("名前が開催回の番号でないファイル %1個は集計に含めていません。")
                         .arg(report.skippedFiles));
    if (report.unpaidWins > 0)
        notes.append(QStringLiteral("該当者なし（当選金額０円）の回の当選 %1回は、"
                                    "当選金に含めていません。")
                         .arg(report.unpaidWins));
    if (report.draws.isEmpty() && report.unreadable.isEmpty())
        notes.append(QStringLiteral("保存された申込み数字がありません。"));
    for (const QString &unreadable : report.unreadable)
        notes.append(unreadable + QStringLiteral("（集計に含めていません）"));
    // An empty chart would only show axes from 0 to 1.
    if (report.spend == 0)
        notes.append(QStringLiteral("抽選の済んだ申込みがまだないため、グラフはまだありません。"));
    m_ui->chartTicketReport->setVisible(report.spend > 0);
    m_ui->lblTicketReportNotes->setText(notes.join(QLatin1Char('\n')));
    m_ui->lblTicketReportNotes->setVisible(!notes.isEmpty());

    auto *claims = new PrizeClaimsTab(history, programFolder + kClientFolder, today, this);
    claims->setObjectName(QStringLiteral("tabPrizeClaims"));
    m_ui->tabTicketReport->addTab(claims, QStringLiteral("当選一覧"));
    layout::placeLastInTabOrder(m_ui->btnClose); // after either page
    changePagesFromAnywhere(m_ui->tabTicketReport);

    // Filled in the window's font, in which the table's rows are measured.
    fillTable(report);
    fillChart(report);
    describeChart(report);
    layout::fitToScreen(this, QSize(860, 640));
    nameForScreenReaders(this);
}

TicketReportForm::~TicketReportForm() = default;

void TicketReportForm::fillTable(const TicketReport &report)
{
    QTableWidget *grid = m_ui->gridTicketReport;
    grid->setRowCount(static_cast<int>(report.draws.size()));
    for (int row = 0; row < report.draws.size(); ++row) {
        const ReportDraw &draw = report.draws.at(row);
        grid->setItem(row, 0, layout::tableItem(QString::number(draw.draw)));
        grid->setItem(row, 1,
                      layout::tableItem(draw.drawn ? draw.date : kPending, Qt::AlignCenter));
        grid->setItem(row, 2, layout::tableItem(QStringLiteral("%1口").arg(draw.lines)));
        grid->setItem(row, 3, layout::tableItem(formatYen(double(draw.spend()))));
        for (int tier = 0; tier < kPrizeTiers; ++tier) {
            const int wins = draw.wins[static_cast<size_t>(tier)];
            grid->setItem(
                row, 4 + tier,
                layout::tableItem(draw.drawn && wins > 0 ? QString::number(wins) : QString()));
        }
        QString winnings = draw.drawn ? formatYen(double(draw.winnings)) : kPending;
        if (draw.unpaidWins > 0)
            winnings += QStringLiteral("※");
        grid->setItem(row, 9, layout::tableItem(winnings));
    }
    grid->resizeColumnsToContents();
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, grid->columnWidth(c) + 16);
    grid->horizontalHeader()->setStretchLastSection(true);
    // Whole rows only, up to eight (more scroll), the last one never cut in half; the chart
    // takes the rest of the height.
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() +
                         24 * qBound(1, int(report.draws.size()), kShownRows) +
                         2 * grid->frameWidth());
}

void TicketReportForm::fillChart(const TicketReport &report)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("購入金額と当選金の累計"));
    chart->setTitleFont(layout::makeFont(15, true));
    chart->legend()->setFont(layout::makeFont(13));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *spend = new QLineSeries;
    spend->setName(QStringLiteral("購入金額の累計"));
    auto *winnings = new QLineSeries;
    winnings->setName(QStringLiteral("当選金の累計"));
    std::int64_t spent = 0, won = 0;
    int first = 0, last = 0;
    // Oldest draw first, draws with results only. The totals change at a draw and nowhere
    // else: each stays level up to the next draw, then steps.
    for (auto it = report.draws.crbegin(); it != report.draws.crend(); ++it) {
        if (!it->drawn)
            continue;
        if (first != 0) {
            spend->append(it->draw, double(spent));
            winnings->append(it->draw, double(won));
        }
        spent += it->spend();
        won += it->winnings;
        spend->append(it->draw, double(spent));
        winnings->append(it->draw, double(won));
        if (first == 0)
            first = it->draw;
        last = it->draw;
    }
    chart->addSeries(spend);
    chart->addSeries(winnings);

    // A single drawn draw shows as a point in the middle, where a line would need two.
    for (QLineSeries *series : {spend, winnings})
        series->setPointsVisible(spend->count() == 1);
    auto *x = new QValueAxis;
    x->setTitleText(QStringLiteral("開催回"));
    x->setLabelFormat(QStringLiteral("%d"));
    // Draws are whole numbers: ticks at whole draws only, at most about six of them, every
    // 1, 2 or 5 draws times a power of ten.
    if (spend->count() == 1)
        x->setRange(first - 1, first + 1);
    else
        x->setRange(first, last);
    const int span = int(x->max() - x->min());
    int interval = 1;
    for (int scale = 1; span / interval > 5; scale *= 10) {
        for (int step : {1, 2, 5}) {
            interval = step * scale;
            if (span / interval <= 5)
                break;
        }
    }
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(interval);
    x->setMinorTickCount(0);
    // Amounts with their digits grouped, "800,000,000", at the round values a value axis
    // would choose.
    QValueAxis nice;
    nice.setRange(0, qMax<double>(1000.0, double(qMax(spent, won)) * 1.1));
    nice.applyNiceNumbers();
    auto *y = new QCategoryAxis;
    y->setTitleText(QStringLiteral("金額（円）"));
    y->setRange(nice.min(), nice.max());
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int t = 0; t < nice.tickCount(); ++t) {
        const double value = nice.min() + (nice.max() - nice.min()) * t / (nice.tickCount() - 1);
        y->append(formatGrouped(value), value);
    }
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(x), static_cast<QAbstractAxis *>(y)}) {
        axis->setLabelsFont(layout::makeFont(12));
        axis->setTitleFont(layout::makeFont(12));
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *series : {spend, winnings}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    QChart *initial = m_ui->chartTicketReport->chart();
    m_ui->chartTicketReport->setChart(chart);
    delete initial;
}

// The chart's values for a screen reader: the running totals after each drawn draw, oldest
// first.
void TicketReportForm::describeChart(const TicketReport &report)
{
    QStringList totals;
    std::int64_t spent = 0, won = 0;
    for (auto it = report.draws.crbegin(); it != report.draws.crend(); ++it) {
        if (!it->drawn)
            continue;
        spent += it->spend();
        won += it->winnings;
        totals.append(QStringLiteral("第%1回まで：購入金額 %2、当選金 %3")
                          .arg(it->draw)
                          .arg(formatYen(double(spent)), formatYen(double(won))));
    }
    m_ui->chartTicketReport->setAccessibleName(QStringLiteral("購入金額と当選金の累計"));
    m_ui->chartTicketReport->setAccessibleDescription(totals.join(QStringLiteral("、")));
}
