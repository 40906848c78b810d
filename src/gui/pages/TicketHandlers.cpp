// Handlers of the ticket files: saving the slate, listing and cancelling the stored lines of a
// draw, and the digit filter of the draw-number fields.

#include "core/picking/DuplicateLines.h"
#include "core/tickets/TicketFile.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QLineEdit>
#include <QPushButton>

namespace
{

const QString kNoTicketData = QStringLiteral("保存データがありません…。");
const QString kCanCancel = QStringLiteral("取消し処理がおこなえます。");
// The listed rows that are not valid lines, drawn in red.
const char *const kInvalidRowsProperty = "invalidRows";

} // namespace

void TMainForm::connectTickets()
{
    connect(btnSave, &QPushButton::clicked, this, [this] { guarded(&TMainForm::btnSaveClick); });
    connect(editLoto6Num, &SpinEdit::textChanged, this,
            [this] { guarded(&TMainForm::editLoto6NumChange); });
    connect(btnOneDelete, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnOneDeleteClick); });
    connect(btnAllDelete, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnAllDeleteClick); });
    gridLoto6->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridLoto6DrawCell(painter, rect, row, column);
    });
    gridLoto6->setRowMarkSource([this] {
        QVector<StringGrid::RowMark> marks(gridLoto6->rowCount(), StringGrid::RowMark::Plain);
        for (int row : gridLoto6->property(kInvalidRowsProperty).value<QList<int>>())
            if (row < marks.size())
                marks[row] = StringGrid::RowMark::Warned;
        return marks;
    });
    editAutoSelectMax->setKeyFilter(editSelectNumKeyPress);
    editLoto6Num->setKeyFilter(editSelectNumKeyPress);
}

// Each line goes to the ticket file of the draw it was decided for, which need not be the
// coming draw any more: a reload in between moves the coming draw on, not the lines. Lines
// saved from the slate before are not stored again.
void TMainForm::btnSaveClick()
{
    const QVector<QStringList> rows = slateRows();
    if (rows.isEmpty()) {
        showGuideMessage(this, QStringLiteral("保存する対象のデータがありません。"));
        return;
    }
    const QVector<SlateLineCheck> checks = checkSlate();
    QVector<QStringList> unsaved;
    QVector<int> unsavedRows;
    for (int r = 0; r < rows.size(); ++r) {
        if (checks.value(r).state != SlateLineCheck::State::Saved) {
            unsaved.append(rows.at(r));
            unsavedRows.append(r);
        }
    }
    if (unsaved.isEmpty()) {
        showGuideMessage(
            this, QStringLiteral("保存する対象のデータがありません（すべて保存済みです）。"));
        return;
    }
    QVector<TicketAppend> appends;
    QStringList written;
    for (const DrawLines &group : groupByDraw(unsaved)) {
        const std::optional<QString> path = ticketFilePath(m_context->dataFolder(), group.draw);
        if (!path) {
            showGuideMessage(
                this, QStringLiteral("開催回が決まっていないため、保存できません。"
                                     "抽選結果を読み込んでから、もう一度操作してください。"));
            return;
        }
        appends.append({*path, group.text});
        written.append(QStringLiteral("client/") + group.draw + QStringLiteral(".csv"));
    }
    appendTicketLines(appends); // every file gets its lines or, on failure, none does
    for (int r : std::as_const(unsavedRows))
        gridSelectItem->setRowTag(r, kSavedLineTag);
    gridSelectItem->invalidateRowMarks();
    updateSlateTotals();
    showSlateNotice();
    showGuideMessage(this, QStringLiteral("正常にファイルの保存が完了しました。"
                                          "「申込数字照会・取消し」機能で参照してください。\n"
                                          "保存先：") +
                               written.join(QStringLiteral("、")));
}

void TMainForm::editLoto6NumChange()
{
    btnOneDelete->setEnabled(false);
    btnAllDelete->setEnabled(false);
    gridLoto6->setProperty(kInvalidRowsProperty, QVariant());
    gridLoto6->cells()->replaceRows({});
    gridLoto6->setCurrentRow(0);

    // Only a plain number names a file, whatever way the text got into the field.
    const QString draw = editLoto6Num->text().trimmed();
    const std::optional<QString> path = ticketFilePath(m_context->dataFolder(), draw);
    const TicketListing listing = path ? listTicketFile(*path, draw) : TicketListing();
    if (!listing.hasLines) {
        pnlSeaGuide->setText(kNoTicketData);
        return;
    }
    pnlSeaGuide->setText(kCanCancel);
    if (listing.rows.isEmpty())
        return; // only lines of other draws: nothing to cancel here
    QList<int> invalid;
    for (int row = 0; row < listing.invalid.size(); ++row) {
        if (listing.invalid.at(row))
            invalid.append(row);
    }
    gridLoto6->setProperty(kInvalidRowsProperty, QVariant::fromValue(invalid));
    gridLoto6->cells()->replaceRows(listing.rows);
    gridLoto6->setCurrentRow(0);
    btnOneDelete->setEnabled(true);
    btnAllDelete->setEnabled(true);
}

QVector<QStringList> TMainForm::listedTicketRows() const
{
    QVector<QStringList> rows;
    if (gridLoto6->cell(0, 0).trimmed().isEmpty())
        return rows;
    for (int r = 0; r < gridLoto6->rowCount(); ++r)
        rows.append(gridLoto6->rowCells(r));
    return rows;
}

void TMainForm::btnOneDeleteClick()
{
    const QString draw = editLoto6Num->text().trimmed();
    const std::optional<QString> path = ticketFilePath(m_context->dataFolder(), draw);
    const QVector<QStringList> listed = listedTicketRows();
    if (!path || listed.isEmpty()) {
        showGuideMessage(this, QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    // The question names the line, which stays highlighted behind it.
    const int row = gridLoto6->currentRow();
    if (!askConfirmation(this, QStringLiteral("『第%1回』の申込数字「%2」が削除されます。"
                                              "元に戻すことは出来ませんが…本当によろしいですか？")
                                   .arg(draw, listed.value(row).mid(1).join(QLatin1Char(' ')))))
        return;

    // The file is written first; the list follows only when that succeeded.
    if (removeListedTicketLine(*path, draw, listed, row) == TicketRemoval::ListOutdated) {
        showGuideMessage(this, QStringLiteral("保存データが一覧の表示後に変更されていたため、"
                                              "取消しませんでした。一覧を読み込み直しましたので、"
                                              "もう一度選択してください。"));
        editLoto6NumChange();
        gridLoto6->setFocus();
        return;
    }
    // The list shows the file as it is now; the row below the cancelled one is current.
    editLoto6NumChange();
    gridLoto6->setCurrentRow(qMin(row, gridLoto6->rowCount() - 1));
    gridLoto6->setFocus();
}

void TMainForm::btnAllDeleteClick()
{
    const QString draw = editLoto6Num->text().trimmed();
    const std::optional<QString> path = ticketFilePath(m_context->dataFolder(), draw);
    if (!path)
        return;
    if (!askConfirmation(this,
                         QStringLiteral("『第") + draw +
                             QStringLiteral("回』全ての申込数字が削除されます。"
                                            "元に戻すことは出来ませんが…本当によろしいですか？")))
        return;
    // Lines of other draws in the same file are not the player's to cancel here. The list
    // shows the file as it is now, also when it had gone meanwhile.
    removeDrawTicketLines(*path, draw);
    editLoto6NumChange();
}

void TMainForm::refreshTicketList()
{
    const int row = gridLoto6->currentRow();
    const QString error = captureError([this] { editLoto6NumChange(); });
    if (!error.isEmpty())
        setStatusText(error);
    gridLoto6->setCurrentRow(qMin(row, gridLoto6->rowCount() - 1));
}

// Rows alternate white and light green; the current row is highlighted, with the focus
// elsewhere too, so the line a cancel would remove stays in sight; a line that is not a valid
// line is drawn in red. Text centred across, at the top of the cell.
void TMainForm::gridLoto6DrawCell(QPainter *painter, const QRect &rect, int row, int column)
{
    gridLoto6->paintStripedCell(painter, rect, row, column, row == gridLoto6->currentRow(),
                                Qt::AlignHCenter | Qt::AlignTop, gridLoto6->rowMark(row));
}
