#include "gui/dialogs/LineHistoryForm.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/tickets/LineHistory.h"
#include "gui/AccessibleNames.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include "ui_LineHistoryForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace
{

const QStringList kTierNames = {QStringLiteral("１等"), QStringLiteral("２等"),
                                QStringLiteral("３等"), QStringLiteral("４等"),
                                QStringLiteral("５等")};

// A cell whose whole text shows as its tooltip too: the list of draws can outgrow its column.
QTableWidgetItem *item(const QString &text, Qt::Alignment alignment)
{
    QTableWidgetItem *cell = layout::tableItem(text, alignment);
    cell->setToolTip(text);
    return cell;
}

} // namespace

LineHistoryForm::LineHistoryForm(const PastDraws &history, const QString &line, QWidget *parent)
    : QDialog(parent), m_history(history), m_ui(std::make_unique<Ui::LineHistoryForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15));
    m_ui->editLineHistory->setText(line);

    QTableWidget *grid = m_ui->gridLineHistory;
    layout::applyGridHabits(grid);
    layout::setColumnWidths(grid, {60, 90, 230});
    grid->setFixedHeight(26 * (kPrizeTiers + 1) + 6);
    for (int tier = 0; tier < kPrizeTiers; ++tier)
        grid->setItem(tier, 0, item(kTierNames.at(tier), Qt::AlignCenter));
    layout::fitToScreen(this, QSize(760, sizeHint().height()));

    connect(m_ui->btnLineHistoryExec, &QPushButton::clicked, this,
            &LineHistoryForm::btnLineHistoryExecClick);

    // A line handed over is checked at once; anything else waits for the player.
    try {
        showResult(parseLineText(line));
    } catch (const DomainError &) {
        m_ui->lblLineHistorySummary->setText(
            QStringLiteral("組合せを入力して「照合」をクリックしてください。"));
    }
    nameForScreenReaders(this);
}

LineHistoryForm::~LineHistoryForm() = default;

void LineHistoryForm::btnLineHistoryExecClick()
{
    NumberSet line = 0;
    try {
        line = parseLineText(m_ui->editLineHistory->text());
    } catch (const DomainError &e) {
        showGuideMessage(this, e.message());
        m_ui->editLineHistory->setFocus();
        return;
    }
    showResult(line);
}

void LineHistoryForm::showResult(NumberSet line)
{
    QStringList numbers;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        if (line & numberBit(n))
            numbers.append(twoDigits(n));
    }
    m_ui->editLineHistory->setText(numbers.join(QLatin1Char(' ')));

    const LineHistoryResult result = checkLineHistory(line, m_history);
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const TierTally &tally = result.tiers[static_cast<size_t>(tier)];
        QString amount = formatYen(double(tally.amount));
        if (tally.unpaidWins > 0)
            amount += QStringLiteral("（金額なし%1回）").arg(tally.unpaidWins);
        QStringList draws;
        for (int draw : tally.draws)
            draws.append(QStringLiteral("第%1回").arg(draw));
        m_ui->gridLineHistory->setItem(
            tier, 1, item(QStringLiteral("%1回").arg(tally.wins), Qt::AlignRight));
        m_ui->gridLineHistory->setItem(tier, 2, item(amount, Qt::AlignRight));
        m_ui->gridLineHistory->setItem(tier, 3,
                                       item(draws.join(QStringLiteral("、")), Qt::AlignLeft));
    }

    QString summary = QStringLiteral("照合した抽選 %1回　購入金額 %2　当選金 %3　回収率 %4%")
                          .arg(formatGrouped(result.drawsChecked))
                          .arg(formatYen(double(result.spend())))
                          .arg(formatYen(double(result.winnings())))
                          .arg(result.returnRate(), 0, 'f', 1);
    if (result.unpaidWins() > 0)
        summary += QStringLiteral("\n※該当者なし（当選金額０円）の回の当選%1回は、"
                                  "当選金に含めていません。")
                       .arg(result.unpaidWins());
    m_ui->lblLineHistorySummary->setText(summary);
}
