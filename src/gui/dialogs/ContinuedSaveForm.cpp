#include "ContinuedSaveForm.h"

#include "core/common/DomainError.h"
#include "core/results/DrawCalendar.h"
#include "core/tickets/ContinuedPurchase.h"
#include "core/tickets/SlateSave.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include "ui_ContinuedSaveForm.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace
{

constexpr int kFewestDraws = 2;
constexpr int kMostDraws = 10; // a ticket covers at most ten consecutive draws
constexpr int kDefaultDraws = 5;

} // namespace

ContinuedSaveForm::ContinuedSaveForm(const NewestDraw &newest, const QVector<LotoLine> &lines,
                                     const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_newest(newest), m_lines(lines), m_programFolder(programFolder),
      m_ui(std::make_unique<Ui::ContinuedSaveForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15));
    m_ui->editContinuedDraws->setRange(kFewestDraws, kMostDraws);
    m_ui->editContinuedDraws->setValue(kDefaultDraws);

    // The draws are counted from the newest one loaded: a history left behind names draws
    // already held, and the window says so.
    QLabel *stale = m_ui->lblContinuedStale;
    const HistoryLag lag = historyLag(m_newest.number, m_newest.date, japanToday());
    if (isPastByCalendar(m_newest.number + 1, lag))
        stale->setText(staleHistoryText(m_newest.number, m_newest.date, lag.missing));
    stale->setVisible(!stale->text().isEmpty());
    layout::setTextColour(stale, layout::colour::red);

    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK(&O)"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル(&C)"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ContinuedSaveForm::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ContinuedSaveForm::reject);
    connect(m_ui->editContinuedDraws, qOverload<int>(&QSpinBox::valueChanged), this,
            &ContinuedSaveForm::showDraws);
    showDraws();
    m_ui->editContinuedDraws->setFocus();
}

ContinuedSaveForm::~ContinuedSaveForm() = default;

QVector<ExpectedDraw> ContinuedSaveForm::draws() const
{
    return expectedDraws(m_newest.number, m_newest.date, m_ui->editContinuedDraws->value());
}

void ContinuedSaveForm::showDraws()
{
    m_ui->listContinuedDraws->clear();
    for (const ExpectedDraw &draw : draws())
        m_ui->listContinuedDraws->addItem(expectedDrawText(draw));
    m_ui->lblContinuedSummary->setText(
        QStringLiteral("申込数字 %1口を、次の%2回分の抽選に保存します。\n"
                       "購入金額：%3")
            .arg(m_lines.size())
            .arg(m_ui->editContinuedDraws->value())
            .arg(purchaseText(int(m_lines.size()) * m_ui->editContinuedDraws->value())));
}

void ContinuedSaveForm::keyPressEvent(QKeyEvent *event)
{
    // Enter in the count takes the typed count; only OK saves.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_ui->editContinuedDraws->hasFocus()) {
        m_ui->editContinuedDraws->interpretText();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ContinuedSaveForm::accept()
{
    ContinuedSave save;
    try {
        save = continuedSave(m_programFolder, draws(), m_lines);
    } catch (const DomainError &refused) {
        showGuideMessage(this, refused.message());
        return;
    }
    try {
        appendTicketLines(save.appends); // every file gets the lines, or none does
    } catch (const DomainError &failed) {
        showErrorMessage(this, QStringLiteral("継続購入の申込数字を保存できませんでした。\n") +
                                   failed.message());
        return;
    }
    showInfoMessage(this, save.report);
    m_report = save.report;
    QDialog::accept();
}
