#include "gui/dialogs/PrizeClaimsTab.h"

#include "core/common/Formats.h"
#include "core/results/PastDraws.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

const QStringList kHeaders = {QStringLiteral("開催回"),     QStringLiteral("抽選日"),
                              QStringLiteral("申込み数字"), QStringLiteral("等級"),
                              QStringLiteral("当選金額"),   QStringLiteral("支払期限"),
                              QStringLiteral("残り日数"),   QStringLiteral("受取済み")};
constexpr int kClaimedColumn = 7;

} // namespace

PrizeClaimsTab::PrizeClaimsTab(const PastDraws &draws, const QString &clientFolder,
                               const QDate &today, QWidget *parent)
    : QWidget(parent), m_clientFolder(clientFolder), m_today(today),
      m_reading(readPrizeClaimsNamingFailures(clientFolder, draws, today)),
      m_claims(m_reading.claims)
{
    gridPrizeClaims =
        layout::readOnlyTable("gridPrizeClaims", static_cast<int>(m_claims.size()), kHeaders);
    // In the layout first, so that the columns are sized in the window's font.
    auto *page = new QVBoxLayout(this);
    page->addWidget(gridPrizeClaims, 1);
    gridPrizeClaims->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridPrizeClaims->setWordWrap(false);
    gridPrizeClaims->verticalHeader()->setDefaultSectionSize(24);
    for (int row = 0; row < m_claims.size(); ++row)
        fillRow(row);
    gridPrizeClaims->resizeColumnsToContents();
    for (int c = 0; c < gridPrizeClaims->columnCount(); ++c)
        gridPrizeClaims->setColumnWidth(c, gridPrizeClaims->columnWidth(c) + 16);
    gridPrizeClaims->horizontalHeader()->setStretchLastSection(true);
    connect(gridPrizeClaims, &QTableWidget::itemChanged, this, &PrizeClaimsTab::claimedChanged);

    lblPrizeClaims = new QLabel;
    lblPrizeClaims->setObjectName(QStringLiteral("lblPrizeClaims"));
    layout::applyStyle(lblPrizeClaims, 17, true, layout::colour::navy);
    showTotal();
    auto *notes = new QLabel(
        m_claims.isEmpty()
            ? QStringLiteral("抽選の済んだ回に、当選した保存済みの申込み数字はありません。")
            : QStringLiteral("当選金は抽選日の翌日から１年以内に受け取れます。\n"
                             "期限まで%1日以内のものは赤、期限切れのものは灰色で表示します。\n"
                             "受け取ったら「受取済み」にチェックを付けてください。")
                  .arg(fullWidthNumber(kClaimWarningDays)));
    notes->setObjectName(QStringLiteral("lblPrizeClaimsNotes"));
    notes->setWordWrap(true);
    // What could not be read is named; without the marks no prize can be ticked, since a tick
    // would write the file anew without them.
    QStringList unread = m_reading.unreadable;
    if (!m_reading.marksRead)
        unread.append(QStringLiteral("受取済みの記録を読めないため、チェックは変更できません。"));
    if (!unread.isEmpty())
        notes->setText(unread.join(QLatin1Char('\n')) + QLatin1Char('\n') + notes->text());

    page->addWidget(lblPrizeClaims);
    page->addWidget(notes);
}

void PrizeClaimsTab::fillRow(int row)
{
    const PrizeClaim &claim = m_claims.at(row);
    QTableWidget *grid = gridPrizeClaims;
    grid->setItem(row, 0, layout::tableItem(QString::number(claim.line.draw())));
    grid->setItem(row, 1, layout::tableItem(claim.date, Qt::AlignCenter));
    grid->setItem(
        row, 2,
        layout::tableItem(claim.line.numberTexts().join(QLatin1Char(' ')), Qt::AlignCenter));
    grid->setItem(row, 3, layout::tableItem(tierName(claim.tier), Qt::AlignCenter));
    grid->setItem(row, 4,
                  layout::tableItem(claim.amount > 0 ? formatYen(double(claim.amount))
                                                     : QStringLiteral("金額未定")));
    grid->setItem(row, 5, layout::tableItem(formatDate(claim.deadline), Qt::AlignCenter));
    grid->setItem(row, 6, layout::tableItem(daysLeftText(claim.daysLeft)));
    QTableWidgetItem *box = layout::tableItem(QString(), Qt::AlignCenter);
    box->setFlags(m_reading.marksRead
                      ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                      : Qt::ItemIsSelectable);
    box->setCheckState(claim.claimed ? Qt::Checked : Qt::Unchecked);
    grid->setItem(row, kClaimedColumn, box);
    paintRow(row);
    speakClaimed(row);
}

// The tick is a check box to a screen reader; it also says the state in words, which it reads
// even where the tick cannot be changed.
void PrizeClaimsTab::speakClaimed(int row)
{
    const QSignalBlocker quiet(gridPrizeClaims);
    gridPrizeClaims->item(row, kClaimedColumn)
        ->setData(Qt::AccessibleTextRole,
                  m_claims.at(row).claimed ? QStringLiteral("受取済み") : QStringLiteral("未受取"));
}

// Expired prizes grey, unclaimed ones near their deadline red, the others in the window text.
void PrizeClaimsTab::paintRow(int row)
{
    const PrizeClaim &claim = m_claims.at(row);
    QColor colour = palette().color(QPalette::Text);
    if (claim.expired())
        colour = layout::colour::gray;
    else if (!claim.claimed && claim.nearDeadline())
        colour = layout::colour::red;
    const QSignalBlocker quiet(gridPrizeClaims);
    for (int c = 0; c < gridPrizeClaims->columnCount(); ++c)
        gridPrizeClaims->item(row, c)->setForeground(colour);
}

void PrizeClaimsTab::claimedChanged(QTableWidgetItem *box)
{
    if (box->column() != kClaimedColumn)
        return;
    PrizeClaim &claim = m_claims[box->row()];
    const bool claimed = box->checkState() == Qt::Checked;
    if (claimed == claim.claimed)
        return;
    const QString error =
        captureError([&] { setClaimed(m_clientFolder, m_claims, box->row(), claimed, m_today); });
    if (!error.isEmpty()) {
        {
            const QSignalBlocker quiet(gridPrizeClaims);
            box->setCheckState(claim.claimed ? Qt::Checked : Qt::Unchecked);
        }
        showErrorMessage(this, QStringLiteral("受取済みの記録を保存できませんでした。\n") + error);
        return;
    }
    claim.claimed = claimed;
    claim.claimedOn = claimed ? m_today : QDate();
    paintRow(box->row());
    speakClaimed(box->row());
    showTotal();
}

void PrizeClaimsTab::showTotal()
{
    lblPrizeClaims->setText(QStringLiteral("未受取の当選金（期限内）：%1")
                                .arg(formatYen(double(unclaimedTotal(m_claims)))));
}
