// The page "申込数字照会・取消し": listing and cancelling the stored lines of a draw.

#include "gui/pages/TicketListPage.h"

#include "core/results/DrawHistory.h"
#include "core/tickets/TicketWrite.h"
#include "gui/PageContext.h"
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

namespace
{

const QString kNoTicketData = QStringLiteral("保存データがありません…。");
const QString kCanCancel = QStringLiteral("取消し処理がおこなえます。");

} // namespace

TicketListPage::TicketListPage(PageContext &context, QWidget *parent)
    : Page(parent, Build::WhenFirstShown), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet4"));
}

void TicketListPage::buildControls()
{
    using namespace layout;
    QGroupBox *g = captionlessGroup(this, "GroupBox6");
    GroupBox6 = g;
    Label8 = label(g, "Label8", 18, 21, QStringLiteral("開催回"));
    editLoto6Num =
        spinEdit(g, "editLoto6Num", QRect(73, 18, 58, 24), 1, 9999, 700, 4, Qt::AlignCenter);
    pnlSeaGuide = panel(g, "pnlSeaGuide", QRect(139, 19, 260, 22), Qt::AlignHCenter);
    btnOneDelete =
        button(g, "btnOneDelete", QRect(406, 17, 100, 25), QStringLiteral("１行取消(&O)"),
               colour::red, QStringLiteral("申込み数字を１行除外（削除）します。"));
    btnOneDelete->setIcon(buttonIcon(ButtonPicture::GreenTick, 18));
    btnOneDelete->setIconSize(QSize(18, 18));
    btnAllDelete =
        button(g, "btnAllDelete", QRect(510, 17, 100, 25), QStringLiteral("全て取消(&A)"),
               colour::red, QStringLiteral("申込み数字を全て除外（削除）します。"));
    btnAllDelete->setIcon(buttonIcon(ButtonPicture::GreenTick, 19));
    btnAllDelete->setIconSize(QSize(18, 19));
    gridLoto6 = stringGrid(g, "gridLoto6", QRect(10, 49, 601, 396), 7,
                           {122, 75, 75, 75, 75, 75, 75}, 28, 24, true);
    // Tab reaches the list before the buttons that act on its selected line.
    QWidget::setTabOrder(editLoto6Num, gridLoto6);
    QWidget::setTabOrder(gridLoto6, btnOneDelete);
    QWidget::setTabOrder(btnOneDelete, btnAllDelete);

    connect(editLoto6Num, &SpinEdit::textChanged, this,
            guardedSlot(this, &TicketListPage::editLoto6NumChange));
    connect(btnOneDelete, &QPushButton::clicked, this,
            guardedSlot(this, &TicketListPage::btnOneDeleteClick));
    connect(btnAllDelete, &QPushButton::clicked, this,
            guardedSlot(this, &TicketListPage::btnAllDeleteClick));
    gridLoto6->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridLoto6DrawCell(painter, rect, row, column);
    });
    gridLoto6->setRowMarkSource([this] {
        QVector<StringGrid::RowMark> marks(gridLoto6->rowCount(), StringGrid::RowMark::Plain);
        for (int row : m_invalidRows)
            if (row < marks.size())
                marks[row] = StringGrid::RowMark::Warned;
        return marks;
    });
    editLoto6Num->setKeyFilter(editSelectNumKeyPress);
    gridLoto6->setHeaderTexts(ticketGridHeader());
    // The coming draw of the history loaded; its lines are listed as the page comes up.
    if (const int coming = m_context.history()->comingDraw(); coming != kNoDraw) {
        const QSignalBlocker quiet(editLoto6Num);
        editLoto6Num->setText(QString::number(coming));
        m_draw = coming;
    }
}

QString TicketListPage::guide() const
{
    return QStringLiteral("申込数字の一覧照会や取消作業が行えます。");
}

void TicketListPage::activated()
{
    listLines();
}

QString TicketListPage::setDrawNumber(int draw)
{
    if (!isBuilt()) {
        // The page takes the coming draw when it is built; the load still tells a file that
        // cannot be read.
        const QString path = ticketFilePath(m_context.dataFolder(), draw);
        return draw > kNoDraw ? captureError([&] { listTicketFile(path, draw); }) : QString();
    }
    {
        const QSignalBlocker quiet(editLoto6Num);
        editLoto6Num->setText(QString::number(draw));
    }
    m_draw = draw;
    return captureError([this] { listLines(); });
}

void TicketListPage::editLoto6NumChange()
{
    // Only a plain number names a file, whatever way the text got into the field.
    m_draw = ticketFileDraw(editLoto6Num->text().trimmed());
    listLines();
}

void TicketListPage::listLines()
{
    btnOneDelete->setEnabled(false);
    btnAllDelete->setEnabled(false);
    m_invalidRows.clear();
    m_listed.clear();
    gridLoto6->cells()->replaceRows({});
    gridLoto6->setCurrentRow(0);

    const TicketListing listing =
        m_draw > kNoDraw ? listTicketFile(ticketFilePath(m_context.dataFolder(), m_draw), m_draw)
                         : TicketListing();
    if (!listing.hasLines) {
        pnlSeaGuide->setText(kNoTicketData);
        return;
    }
    pnlSeaGuide->setText(kCanCancel);
    if (listing.lines.isEmpty())
        return; // only lines of other draws: nothing to cancel here
    for (int row = 0; row < listing.lines.size(); ++row) {
        if (!listing.lines.at(row).valid())
            m_invalidRows.append(row);
    }
    m_listed = listing.rows();
    gridLoto6->cells()->replaceRows(m_listed);
    gridLoto6->setCurrentRow(0);
    btnOneDelete->setEnabled(true);
    btnAllDelete->setEnabled(true);
}

void TicketListPage::btnOneDeleteClick()
{
    const int draw = m_draw;
    const QVector<QStringList> listed = m_listed;
    if (draw <= kNoDraw || listed.isEmpty()) {
        showGuideMessage(window(), QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    // The question names the line, which stays highlighted behind it.
    const int row = gridLoto6->currentRow();
    if (!askConfirmation(window(),
                         QStringLiteral("『第%1回』の申込数字「%2」が削除されます。"
                                        "元に戻すことは出来ませんが…本当によろしいですか？")
                             .arg(QString::number(draw), shownLineNumbers(listed.value(row)))))
        return;

    // The file is written first; the list follows only when that succeeded.
    const QString path = ticketFilePath(m_context.dataFolder(), draw);
    if (removeListedTicketLine(path, draw, listed, row) == TicketRemoval::ListOutdated) {
        showListOutdated();
        return;
    }
    // The list shows the file as it is now; the row below the cancelled one is current.
    listLines();
    gridLoto6->setCurrentRow(qMin(row, gridLoto6->rowCount() - 1));
    gridLoto6->setFocus();
}

void TicketListPage::btnAllDeleteClick()
{
    const int draw = m_draw;
    if (draw <= kNoDraw)
        return;
    // The lines shown when the player asked; the list may be read again behind the question.
    const QVector<QStringList> listed = m_listed;
    if (!askConfirmation(window(),
                         QStringLiteral("『第") + QString::number(draw) +
                             QStringLiteral("回』全ての申込数字が削除されます。"
                                            "元に戻すことは出来ませんが…本当によろしいですか？")))
        return;
    // Lines of other draws in the same file are not the player's to cancel here, nor lines
    // another program added while the list was shown. The list shows the file as it is now,
    // also when it had gone meanwhile.
    const QString path = ticketFilePath(m_context.dataFolder(), draw);
    if (removeListedDrawTicketLines(path, draw, listed) == TicketRemoval::ListOutdated) {
        showListOutdated();
        return;
    }
    listLines();
}

void TicketListPage::showListOutdated()
{
    showGuideMessage(window(), QStringLiteral("保存データが一覧の表示後に変更されていたため、"
                                              "取消しませんでした。一覧を読み込み直しましたので、"
                                              "もう一度選択してください。"));
    listLines();
    gridLoto6->setFocus();
}

void TicketListPage::windowActivated()
{
    const int row = gridLoto6->currentRow();
    const QString error = captureError([this] { listLines(); });
    if (!error.isEmpty())
        m_context.setStatusText(error);
    gridLoto6->setCurrentRow(qMin(row, gridLoto6->rowCount() - 1));
}

// Rows alternate white and light green; the current row is highlighted, with the focus
// elsewhere too, so the line a cancel would remove stays in sight; a line that is not a valid
// line is drawn in red. Text centred across, at the top of the cell.
void TicketListPage::gridLoto6DrawCell(QPainter *painter, const QRect &rect, int row, int column)
{
    gridLoto6->paintStripedCell(painter, rect, row, column, row == gridLoto6->currentRow(),
                                Qt::AlignHCenter | Qt::AlignTop, gridLoto6->rowMark(row));
}
