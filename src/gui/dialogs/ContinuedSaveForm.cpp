#include "ContinuedSaveForm.h"

#include "core/common/DomainError.h"
#include "core/results/DrawCalendar.h"
#include "core/tickets/ContinuedPurchase.h"
#include "core/tickets/SlateSave.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{

constexpr int kFewestDraws = 2;
constexpr int kMostDraws = 10; // a ticket covers at most ten consecutive draws
constexpr int kDefaultDraws = 5;

} // namespace

ContinuedSaveForm::ContinuedSaveForm(const NewestDraw &newest, const QVector<LotoLine> &lines,
                                     const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_newest(newest), m_lines(lines), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("ContinuedSaveForm"));
    setWindowTitle(QStringLiteral("継続購入として保存"));
    setFont(layout::makeFont(15));

    m_count = new QSpinBox;
    m_count->setObjectName(QStringLiteral("editContinuedDraws"));
    m_count->setRange(kFewestDraws, kMostDraws);
    m_count->setValue(kDefaultDraws);
    m_count->setSuffix(QStringLiteral(" 回分"));
    m_count->setMinimumWidth(90);
    auto *countLabel = new QLabel(QStringLiteral("購入する回数(&N)："));
    countLabel->setBuddy(m_count);
    auto *count = new QHBoxLayout;
    count->addWidget(countLabel);
    count->addWidget(m_count);
    count->addStretch(1);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("lblContinuedSummary"));
    m_summary->setWordWrap(true);

    // The draws are counted from the newest one loaded: a history left behind names draws
    // already held, and the window says so.
    auto *stale = new QLabel(staleHistoryText(m_newest.number, m_newest.date,
                                              missingDraws(m_newest.date, japanToday())));
    stale->setObjectName(QStringLiteral("lblContinuedStale"));
    stale->setWordWrap(true);
    stale->setVisible(!stale->text().isEmpty());
    layout::setTextColour(stale, layout::colour::red);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("listContinuedDraws"));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ContinuedSaveForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ContinuedSaveForm::reject);

    auto *page = new QVBoxLayout(this);
    page->addLayout(count);
    page->addWidget(m_summary);
    page->addWidget(stale);
    page->addWidget(m_list, 1);
    page->addWidget(buttons);

    connect(m_count, qOverload<int>(&QSpinBox::valueChanged), this, &ContinuedSaveForm::showDraws);
    showDraws();
    resize(460, 440);
    m_count->setFocus();
}

QVector<ExpectedDraw> ContinuedSaveForm::draws() const
{
    return expectedDraws(m_newest.number, m_newest.date, m_count->value());
}

void ContinuedSaveForm::showDraws()
{
    m_list->clear();
    for (const ExpectedDraw &draw : draws())
        m_list->addItem(expectedDrawText(draw));
    m_summary->setText(QStringLiteral("申込数字 %1口を、次の%2回分の抽選に保存します。\n"
                                      "購入金額：%3")
                           .arg(m_lines.size())
                           .arg(m_count->value())
                           .arg(purchaseText(int(m_lines.size()) * m_count->value())));
}

void ContinuedSaveForm::keyPressEvent(QKeyEvent *event)
{
    // Enter in the count takes the typed count; only OK saves.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_count->hasFocus()) {
        m_count->interpretText();
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
    showGuideMessage(this, save.report);
    m_report = save.report;
    QDialog::accept();
}
