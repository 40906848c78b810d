#include "ResultEntryForm.h"

#include "Formats.h"
#include "ResultsFiles.h"
#include "app/ComFunction.h"
#include "app/DomainError.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

QLineEdit *edit(QWidget *parent, const QString &name, int width, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setMaxLength(maxLength);
    return e;
}

// Draws are held on Mondays and Thursdays: the first of them after the newest draw.
QDate nextDrawDay(const QDate &newest)
{
    QDate day = newest.addDays(1);
    while (day.dayOfWeek() != Qt::Monday && day.dayOfWeek() != Qt::Thursday)
        day = day.addDays(1);
    return day;
}

} // namespace

ResultEntryForm::ResultEntryForm(const QString &dataFolder, QWidget *parent)
    : QDialog(parent), m_downloadFolder(dataFolder + kDownloadFolder),
      m_newest(readNewestDraw(m_downloadFolder))
{
    setObjectName(QStringLiteral("ResultEntryForm"));
    setWindowTitle(QStringLiteral("抽選結果の入力"));

    editDrawNumber = edit(this, QStringLiteral("editDrawNumber"), 80, 10);
    editDrawNumber->setText(QString::number(qint64(m_newest.number) + 1));
    editDrawNumber->setReadOnly(true);
    editDate = edit(this, QStringLiteral("editDate"), 110, 10);
    editDate->setText(formatDate(nextDrawDay(m_newest.date)));

    auto *numbers = new QHBoxLayout;
    for (int i = 0; i < kPicksPerLine; ++i) {
        editNumber[size_t(i)] = edit(this, QStringLiteral("editNumber%1").arg(i + 1), 40, 2);
        numbers->addWidget(editNumber[size_t(i)]);
    }
    numbers->addSpacing(12);
    numbers->addWidget(new QLabel(QStringLiteral("ボーナス数字"), this));
    editBonus = edit(this, QStringLiteral("editBonus"), 40, 2);
    numbers->addWidget(editBonus);
    numbers->addStretch();

    auto *draw = new QFormLayout;
    draw->addRow(QStringLiteral("開催回："), editDrawNumber);
    draw->addRow(QStringLiteral("日付："), editDate);
    draw->addRow(QStringLiteral("本数字："), numbers);

    auto *prizes = new QGroupBox(QStringLiteral("当選金額（空欄は 0）"), this);
    auto *grid = new QGridLayout(prizes);
    grid->addWidget(new QLabel(QStringLiteral("金額（円）"), prizes), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("口数"), prizes), 0, 2);
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        grid->addWidget(new QLabel(QStringLiteral("%1等").arg(tier + 1), prizes), tier + 1, 0);
        editAmount[size_t(tier)] =
            edit(prizes, QStringLiteral("editAmount%1").arg(tier + 1), 140, 15);
        editWinners[size_t(tier)] =
            edit(prizes, QStringLiteral("editWinners%1").arg(tier + 1), 100, 15);
        grid->addWidget(editAmount[size_t(tier)], tier + 1, 1);
        grid->addWidget(editWinners[size_t(tier)], tier + 1, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("キャリーオーバー"), prizes), kPrizeTiers + 1, 0);
    editCarryOver = edit(prizes, QStringLiteral("editCarryOver"), 140, 15);
    grid->addWidget(editCarryOver, kPrizeTiers + 1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ResultEntryForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ResultEntryForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(draw);
    layout->addWidget(prizes);
    layout->addWidget(buttons);
    editNumber[0]->setFocus();
}

DrawEntry ResultEntryForm::entry() const
{
    DrawEntry e;
    e.date = editDate->text();
    for (size_t i = 0; i < e.numbers.size(); ++i)
        e.numbers[i] = editNumber[i]->text();
    e.bonus = editBonus->text();
    for (size_t tier = 0; tier < e.amounts.size(); ++tier) {
        e.amounts[tier] = editAmount[tier]->text();
        e.winners[tier] = editWinners[tier]->text();
    }
    e.carryOver = editCarryOver->text();
    return e;
}

void ResultEntryForm::accept()
{
    const DrawEntry typed = entry();
    try {
        entryLines(typed, m_newest);
    } catch (const DomainError &refused) {
        showGuideMessage(this, refused.message());
        return;
    }
    try {
        addEnteredDraw(m_downloadFolder, typed);
    } catch (const DomainError &failed) {
        showErrorMessage(this,
                         QStringLiteral("抽選結果を追加できませんでした。\n") + failed.message());
        return;
    }
    QDialog::accept();
}
