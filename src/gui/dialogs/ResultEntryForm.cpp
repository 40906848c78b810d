#include "gui/dialogs/ResultEntryForm.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/results/DrawCalendar.h"
#include "core/results/HistoryCheck.h"
#include "gui/AccessibleNames.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include "ui_ResultEntryForm.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

ResultEntryForm::ResultEntryForm(ResultsService &results, QWidget *parent)
    : QDialog(parent), m_results(results), m_start(results.startEntry()),
      m_ui(std::make_unique<Ui::ResultEntryForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15)); // the program's size, as in its other windows
    radioAddNext = m_ui->radioAddNext;
    radioCorrectNewest = m_ui->radioCorrectNewest;
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

    const ResultsTop &top = m_start.top;
    radioAddNext->setText(QStringLiteral("第%1回を入力").arg(qint64(top.newest.number) + 1));
    radioCorrectNewest->setText(QStringLiteral("第%1回を修正").arg(top.newest.number));
    radioAddNext->setVisible(m_start.correctable);
    radioCorrectNewest->setVisible(m_start.correctable);
    m_nextDraw.date = formatDate(nextDrawDay(top.newest.date));
    showEntry(m_nextDraw);
    editDrawNumber->setText(QString::number(qint64(top.newest.number) + 1));

    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK(&O)"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル(&C)"));
    connect(radioCorrectNewest, &QRadioButton::toggled, this, &ResultEntryForm::placeChanged);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ResultEntryForm::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ResultEntryForm::reject);
    editNumber[0]->setFocus();
    nameForScreenReaders(this);
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

void ResultEntryForm::showEntry(const DrawEntry &e)
{
    editDate->setText(e.date);
    for (size_t i = 0; i < e.numbers.size(); ++i)
        editNumber[i]->setText(e.numbers[i]);
    editBonus->setText(e.bonus);
    for (size_t tier = 0; tier < e.amounts.size(); ++tier) {
        editAmount[tier]->setText(e.amounts[tier]);
        editWinners[tier]->setText(e.winners[tier]);
    }
    editCarryOver->setText(e.carryOver);
}

void ResultEntryForm::placeChanged()
{
    if (radioCorrectNewest->isChecked()) {
        m_nextDraw = entry();
        showEntry(*m_start.top.newestEntry);
        editDrawNumber->setText(QString::number(m_start.top.newest.number));
    } else {
        showEntry(m_nextDraw);
        editDrawNumber->setText(QString::number(qint64(m_start.top.newest.number) + 1));
    }
}

void ResultEntryForm::keyPressEvent(QKeyEvent *event)
{
    // Enter moves on to the next field, as Tab does: a stray Enter must not store a half-typed
    // draw. OK handles Enter itself while it has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ResultEntryForm::accept()
{
    const DrawEntry typed = entry();
    const bool correcting = radioCorrectNewest->isChecked();
    const QDate today = japanToday();
    std::optional<QString> implausible;
    try {
        implausible =
            implausibleEntry(typed, correcting ? m_start.top.previous : m_start.top.newest, today);
    } catch (const DomainError &refused) {
        showGuideMessage(this, refused.message());
        return;
    }
    if (hasEmptyPrizeField(typed) &&
        !askConfirmation(this, QStringLiteral("当選金額・口数が未入力の等級があります。"
                                              "0 として保存しますか？")))
        return;
    if (implausible &&
        !askConfirmation(this, QStringLiteral("%1。\nこのまま保存しますか？").arg(*implausible)))
        return;

    try {
        m_typed = m_results.storeTypedDraw(
            typed, correcting ? EntryPlace::ReplacingNewest : EntryPlace::AfterNewest, m_start);
    } catch (const DomainError &failed) {
        showErrorMessage(this, failed.message());
        return;
    }
    QDialog::accept();
}
