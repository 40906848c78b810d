#include "ResultEntryForm.h"

#include "Formats.h"
#include "ResultsFiles.h"
#include "app/ComFunction.h"
#include "app/DomainError.h"

#include "ui_ResultEntryForm.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

namespace
{

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
      m_newest(readNewestDraw(m_downloadFolder)), m_ui(std::make_unique<Ui::ResultEntryForm>())
{
    m_ui->setupUi(this);
    editDrawNumber = m_ui->editDrawNumber;
    editDate = m_ui->editDate;
    editNumber = {m_ui->editNumber1, m_ui->editNumber2, m_ui->editNumber3,
                  m_ui->editNumber4, m_ui->editNumber5, m_ui->editNumber6};
    editBonus = m_ui->editBonus;
    editAmount = {m_ui->editAmount1, m_ui->editAmount2, m_ui->editAmount3, m_ui->editAmount4,
                  m_ui->editAmount5};
    editWinners = {m_ui->editWinners1, m_ui->editWinners2, m_ui->editWinners3, m_ui->editWinners4,
                   m_ui->editWinners5};
    editCarryOver = m_ui->editCarryOver;

    editDrawNumber->setText(QString::number(qint64(m_newest.number) + 1));
    editDate->setText(formatDate(nextDrawDay(m_newest.date)));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ResultEntryForm::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ResultEntryForm::reject);
    editNumber[0]->setFocus();
}

ResultEntryForm::~ResultEntryForm() = default;

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
