// Handlers of the application slate: the lines decided for the coming draw, with their count
// and total price, and their save into the ticket files.

#include "core/common/Formats.h"
#include "core/picking/DuplicateLines.h"
#include "core/tickets/TicketFile.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

void TMainForm::btnSelectClick()
{
    QStringList cells{QString()};
    for (int k = 1; k <= kPicksPerLine; ++k) {
        const int number = image(k)->property("tag").toInt();
        if (number == 0) {
            showGuideMessage(this, QStringLiteral("６個の数字を全て選択してから、「決定」ボタンを"
                                                  "クリックしてください。"));
            return;
        }
        cells.append(twoDigits(number));
    }
    // The coming draw number comes from the history; without it there is no line to make.
    bool isNumber = false;
    const int draw = editNewNum->text().toInt(&isNumber);
    if (!isPlainDrawNumber(editNewNum->text()) || !isNumber) {
        showGuideMessage(this,
                         QStringLiteral("開催回が決まっていないため、決定できません。"
                                        "抽選結果を読み込んでから、もう一度操作してください。"));
        return;
    }
    cells[0] = QString::number(draw);

    if (!gridSelectItem->cell(0, 0).isEmpty())
        gridSelectItem->setRowCount(gridSelectItem->rowCount() + 1);
    const int last = gridSelectItem->rowCount() - 1;
    gridSelectItem->setRowCells(last, cells);
    gridSelectItem->setCurrentRow(last);
    updateSlateTotals();
    btnRisetClick();
    showSlateNotice();
}

void TMainForm::btnCancelClick()
{
    if (gridSelectItem->cell(0, 0).isEmpty()) {
        showGuideMessage(this, QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    if (gridSelectItem->rowCount() == 1) {
        gridSelectItem->setRowCells(0, QStringList());
    } else {
        const int row = gridSelectItem->currentRow();
        gridSelectItem->cells()->removeDataRow(row);
        gridSelectItem->setCurrentRow(qMin(row, gridSelectItem->rowCount() - 1));
    }
    updateSlateTotals();
    showSlateNotice();
    gridSelectItem->setFocus();
}

QVector<QStringList> TMainForm::slateRows() const
{
    QVector<QStringList> rows;
    if (gridSelectItem->cell(0, 0).isEmpty())
        return rows;
    for (int r = 0; r < gridSelectItem->rowCount(); ++r)
        rows.append(gridSelectItem->rowCells(r));
    return rows;
}

QVector<SlateLineCheck> TMainForm::checkSlate(QStringList *unreadable) const
{
    const QVector<QStringList> rows = slateRows();
    QVector<bool> saved;
    for (int r = 0; r < rows.size(); ++r)
        saved.append(gridSelectItem->rowTag(r) == kSavedLineTag);
    return checkSlateLines(rows, saved, m_context->dataFolder(), unreadable);
}

void TMainForm::updateSlateTotals()
{
    const QVector<SlateLineCheck> checks = checkSlate();
    const auto saved = std::count_if(checks.begin(), checks.end(), [](const SlateLineCheck &c) {
        return c.state == SlateLineCheck::State::Saved;
    });
    QString count = QString::number(checks.size()) + QStringLiteral("口");
    if (saved > 0)
        count += QStringLiteral("（保存済み%1口）").arg(saved);
    pnlSelectMax->setText(count);
    pnlSelectMoney->setText(formatYen(double(checks.size()) * kLinePriceYen));
}

void TMainForm::showSlateNotice()
{
    // A ticket file that cannot be read is the news that matters more.
    QStringList unreadable;
    const QVector<SlateLineCheck> checks = checkSlate(&unreadable);
    const QString notice = repeatNotice(checks.value(gridSelectItem->currentRow()));
    if (!unreadable.isEmpty())
        setStatusText(unreadable.join(QStringLiteral("　")));
    else if (!notice.isEmpty())
        setStatusText(notice);
    else if (isRepeatNotice(m_context->statusText()))
        setStatusText(kMainPageGuide);
}

// Rows alternate white and light green; the current row is highlighted. Text centred. A line
// that repeats another is drawn in red, a line saved from the slate in grey.
void TMainForm::gridSelectItemDrawCell(QPainter *painter, const QRect &rect, int row, int column)
{
    gridSelectItem->paintStripedCell(painter, rect, row, column,
                                     row == gridSelectItem->currentRow(), Qt::AlignCenter,
                                     gridSelectItem->rowMark(row));
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
