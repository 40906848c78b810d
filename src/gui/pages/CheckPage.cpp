// The page "オンラインデータ照合": loading the stored lines of a draw number and
// checking each line against the draw it names in the history.

#include "gui/pages/CheckPage.h"

#include "core/results/DrawCalendar.h"
#include "core/tickets/PrizeClaims.h"
#include "core/tickets/TicketFile.h"
#include "core/tickets/WinningCheck.h"
#include "gui/PageContext.h"
#include "gui/models/HistoryModel.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>
#include <algorithm>

namespace
{

constexpr int kResultColumn = 7;
// How long each checked line stays in view before the check moves on.
constexpr unsigned long kPauseMs = 200;

const QString kNoTicketData = QStringLiteral("保存データがありません…。");
const QString kReadyToCheck = QStringLiteral("抽選結果と申込数字を照合します。");
const QString kChecking = QStringLiteral("抽選結果と照合中です…。");
const QString kNoDrawFound = QStringLiteral("抽選結果と照合できません…。");
const QString kSeeResults = QStringLiteral("抽選結果を確認してください。");

} // namespace

CheckPage::CheckPage(PageContext &context, QWidget *parent) : Page(parent), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet5"));
    using namespace layout;
    QGroupBox *g = captionlessGroup(this, "GroupBox4");
    GroupBox4 = g;
    Label3 = label(g, "Label3", 18, 21, QStringLiteral("開催回"));
    editSelectNum =
        spinEdit(g, "editSelectNum", QRect(73, 18, 58, 24), 1, 9999, 700, 4, Qt::AlignCenter);
    btnExec =
        button(g, "btnExec", QRect(135, 17, 100, 25), QStringLiteral("照合開始"), colour::navy);
    btnExec->setIcon(buttonIcon(ButtonPicture::SheetWithRedArrow));
    pnlHitGuide = panel(g, "pnlHitGuide", QRect(243, 19, 366, 22), Qt::AlignHCenter);
    pnlHitGuide->setProperty("tag", 0);
    gridHitSel = stringGrid(g, "gridHitSel", QRect(10, 49, 599, 396), 8,
                            {75, 32, 32, 32, 32, 32, 32, 303}, 22, 19, false);

    connect(editSelectNum, &SpinEdit::textChanged, this,
            guardedSlot(this, &CheckPage::editSelectNumChange));
    connect(btnExec, &QPushButton::clicked, this, guardedSlot(this, &CheckPage::btnExecClick));
    gridHitSel->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridHitSelDrawCell(painter, rect, row, column);
    });
    editSelectNum->setKeyFilter(editSelectNumKeyPress);
}

void CheckPage::activated()
{
    editSelectNumChange();
}

void CheckPage::InitMainControls(const QStringList &ticketHeader)
{
    gridHitSel->setHeaderTexts(ticketHeader + QStringList{QStringLiteral("照合結果")});
}

QString CheckPage::setDrawNumber(const QString &draw)
{
    {
        const QSignalBlocker quiet(editSelectNum);
        editSelectNum->setText(draw);
    }
    return captureError([this] { editSelectNumChange(); });
}

// Loads every line of the draw's ticket file, whatever draw each line names; each line is
// later checked against its own draw. Any earlier results go with the old rows.
void CheckPage::editSelectNumChange()
{
    m_lines.clear();
    gridHitSel->cells()->replaceRows({});
    gridHitSel->setCurrentRow(0);

    // Only a plain number names a file, whatever way the text got into the field.
    const std::optional<QString> path =
        ticketFilePath(m_context.dataFolder(), editSelectNum->text().trimmed());
    m_lines = path ? readAllTicketLines(*path) : QVector<TicketLine>();
    if (m_lines.isEmpty()) {
        pnlHitGuide->setText(kNoTicketData);
        btnExec->setEnabled(false);
        return;
    }
    // The line of six commas shows as blanks and is checked like any other; it names no draw.
    QVector<QStringList> rows;
    for (const TicketLine &line : m_lines)
        rows.append(line.cells + QStringList{QString()}); // the result, until a check writes it
    gridHitSel->cells()->replaceRows(std::move(rows));
    gridHitSel->setCurrentRow(0);
    pnlHitGuide->setText(kReadyToCheck);
    btnExec->setEnabled(true);
}

void CheckPage::btnExecClick()
{
    // Closing the window waits until the check and its closing message are over.
    PageContext::BusyScope busy(m_context);
    pnlHitGuide->setText(kChecking);
    pnlHitGuide->setProperty("tag", 0);
    window()->repaint();

    bool anyFound = false; // a line found its draw, valid or not
    QString deadline;      // until when the wins can be claimed
    {
        const InputBlock block(m_context.pageControl()); // the pages keep their colours meanwhile
        WaitCursor wait;

        // The pages take no input and the history is not reloaded while a check runs (see
        // menuCommandDownloadClick), so the lines listed stay valid.
        const QVector<CheckResult> results = checkTickets(m_context.history()->records(), m_lines);

        // The count covers the valid lines checked; an invalid line only shows it is invalid.
        int found = 0;
        for (const CheckResult &result : results) {
            if (result.valid)
                pnlHitGuide->setProperty("tag", ++found);
            gridHitSel->setCell(result.ticketRow, kResultColumn, result.text);
            QThread::msleep(kPauseMs);
            catchUp();
            gridHitSel->setCurrentRow(result.ticketRow);
            window()->repaint();
        }
        anyFound = std::any_of(results.begin(), results.end(),
                               [](const CheckResult &result) { return !result.date.isEmpty(); });
        deadline = checkDeadlineText(results, japanToday());
        // The selection stays on the last line checked; the first winning line is scrolled
        // whole into view below the header, where the player looks first.
        const auto firstWin = std::find_if(results.begin(), results.end(),
                                           [](const CheckResult &r) { return r.tier > 0; });
        if (firstWin != results.end())
            gridHitSel->scrollTo(gridHitSel->model()->index(firstWin->ticketRow, 1),
                                 QAbstractItemView::EnsureVisible);
    }

    if (!anyFound) {
        showGuideMessage(window(),
                         kNoDrawFound +
                             QStringLiteral("最新の抽選データをダウンロードしてください。"));
        pnlHitGuide->setText(kNoDrawFound);
    } else {
        pnlHitGuide->setText(kSeeResults);
        // Without a win the status names no deadline, least of all that of the check before.
        m_context.setStatusText(deadline.isEmpty() ? guide() : deadline);
    }
}

QString CheckPage::guide() const
{
    return QStringLiteral("オンラインで申込数字とデータ照合を行い、抽選結果を表示します。");
}

// As the ticket list: the selected row stays highlighted without the focus too, so the walk
// of a check stays visible.
void CheckPage::gridHitSelDrawCell(QPainter *painter, const QRect &rect, int row, int column)
{
    gridHitSel->paintStripedCell(painter, rect, row, column, row == gridHitSel->currentRow(),
                                 Qt::AlignHCenter | Qt::AlignTop);
}
