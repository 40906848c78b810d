#include "gui/dialogs/LineHistoryForm.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/tickets/LineHistory.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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

LineHistoryForm::LineHistoryForm(const QVector<DrawRecord> &history, const QString &programFolder,
                                 const QString &line, QWidget *parent)
    : QDialog(parent), m_history(history, readPrizeLines(programFolder))
{
    setObjectName(QStringLiteral("LineHistoryForm"));
    setWindowTitle(QStringLiteral("組合せを過去の全抽選と照合"));
    setFont(layout::makeFont(15));

    auto *prompt = new QLabel(QStringLiteral("組合せ（６個の数字を空白かカンマで区切る）"));
    editLineHistory = new QLineEdit(line);
    editLineHistory->setObjectName(QStringLiteral("editLineHistory"));
    editLineHistory->setMinimumWidth(220);
    btnLineHistoryExec = new QPushButton(QStringLiteral("照合"));
    btnLineHistoryExec->setObjectName(QStringLiteral("btnLineHistoryExec"));
    btnLineHistoryExec->setDefault(true); // Enter in the field checks the line
    auto *entry = new QHBoxLayout;
    entry->addWidget(prompt);
    entry->addWidget(editLineHistory, 1);
    entry->addWidget(btnLineHistoryExec);

    gridLineHistory =
        layout::readOnlyTable("gridLineHistory", kPrizeTiers,
                              {QStringLiteral("等級"), QStringLiteral("当選回数"),
                               QStringLiteral("当選金額の合計"), QStringLiteral("当選した開催回")});
    gridLineHistory->setSelectionMode(QAbstractItemView::NoSelection);
    gridLineHistory->setWordWrap(false);
    gridLineHistory->setColumnWidth(0, 60);
    gridLineHistory->setColumnWidth(1, 90);
    gridLineHistory->setColumnWidth(2, 230);
    gridLineHistory->horizontalHeader()->setStretchLastSection(true);
    gridLineHistory->verticalHeader()->setDefaultSectionSize(26);
    gridLineHistory->setFixedHeight(26 * (kPrizeTiers + 1) + 6);
    for (int tier = 0; tier < kPrizeTiers; ++tier)
        gridLineHistory->setItem(tier, 0, item(kTierNames.at(tier), Qt::AlignCenter));

    lblLineHistorySummary = new QLabel;
    lblLineHistorySummary->setObjectName(QStringLiteral("lblLineHistorySummary"));
    lblLineHistorySummary->setWordWrap(true);
    lblLineHistorySummary->setMinimumHeight(48);
    lblLineHistorySummary->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QHBoxLayout *bottom = layout::closeButtonRow(this);

    auto *page = new QVBoxLayout(this);
    page->addLayout(entry);
    page->addWidget(gridLineHistory);
    page->addWidget(lblLineHistorySummary);
    page->addLayout(bottom);
    layout::fitToScreen(this, QSize(760, sizeHint().height()));

    connect(btnLineHistoryExec, &QPushButton::clicked, this,
            &LineHistoryForm::btnLineHistoryExecClick);

    // A line handed over is checked at once; anything else waits for the player.
    try {
        showResult(parseLineText(line));
    } catch (const DomainError &) {
        lblLineHistorySummary->setText(
            QStringLiteral("組合せを入力して「照合」をクリックしてください。"));
    }
}

void LineHistoryForm::btnLineHistoryExecClick()
{
    NumberSet line = 0;
    try {
        line = parseLineText(editLineHistory->text());
    } catch (const DomainError &e) {
        showGuideMessage(this, e.message());
        editLineHistory->setFocus();
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
    editLineHistory->setText(numbers.join(QLatin1Char(' ')));

    const LineHistoryResult result = checkLineHistory(line, m_history);
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const TierTally &tally = result.tiers[static_cast<size_t>(tier)];
        QString amount = formatYen(double(tally.amount));
        if (tally.unpaidWins > 0)
            amount += QStringLiteral("（金額なし%1回）").arg(tally.unpaidWins);
        QStringList draws;
        for (int draw : tally.draws)
            draws.append(QStringLiteral("第%1回").arg(draw));
        gridLineHistory->setItem(tier, 1,
                                 item(QStringLiteral("%1回").arg(tally.wins), Qt::AlignRight));
        gridLineHistory->setItem(tier, 2, item(amount, Qt::AlignRight));
        gridLineHistory->setItem(tier, 3, item(draws.join(QStringLiteral("、")), Qt::AlignLeft));
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
    lblLineHistorySummary->setText(summary);
}
