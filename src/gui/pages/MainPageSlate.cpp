// The slate of the main page: the lines decided for the coming draw, with their count and
// total price, their save into the ticket files, and the menu command that writes them to a
// CSV file of the player's choice, to take them elsewhere (the lines a save appends).

#include "core/common/Formats.h"
#include "core/picking/DuplicateLines.h"
#include "core/results/DrawEntry.h"
#include "core/results/ResultsFiles.h"
#include "core/tickets/SlateSave.h"
#include "core/tickets/TicketFile.h"
#include "gui/PageContext.h"
#include "gui/dialogs/ContinuedSaveForm.h"
#include "gui/dialogs/Splash.h"
#include "gui/pages/MainPage.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeView>
#include <algorithm>

namespace
{

// Where the dialog opens: the folder of the last export of this run, held on the dialog.
const char *const kLastFolderProperty = "lastSavedFolder";

// Qt's file dialog writes its history and view into a settings file of Qt's own when it is
// destroyed, and reads it back when built. This program keeps nothing but its own settings,
// so on systems where that file is a file, it is sent nowhere before the first dialog exists.
void keepFileDialogStateFromDisk()
{
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
#endif
}

// The kind of each entry as the dialog lists it, in Japanese: Qt's own translation does not
// cover these texts yet.
class JapaneseEntryKinds : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return QStringLiteral("ドライブ");
        if (info.isDir())
            return QStringLiteral("フォルダー");
        if (info.suffix().isEmpty())
            return QStringLiteral("ファイル");
        return info.suffix().toUpper() + QStringLiteral(" ファイル");
    }
};

} // namespace

void MainPage::btnSelectClick()
{
    QStringList cells{QString()};
    for (int k = 1; k <= kPicksPerLine; ++k) {
        const int number = image(k)->property("tag").toInt();
        if (number == 0) {
            showGuideMessage(window(),
                             QStringLiteral("６個の数字を全て選択してから、「決定」ボタンを"
                                            "クリックしてください。"));
            return;
        }
        cells.append(twoDigits(number));
    }
    // The coming draw number comes from the history; without it there is no line to make.
    bool isNumber = false;
    const int draw = editNewNum->text().toInt(&isNumber);
    if (!isPlainDrawNumber(editNewNum->text()) || !isNumber) {
        showGuideMessage(window(),
                         QStringLiteral("開催回が決まっていないため、決定できません。"
                                        "抽選結果を読み込んでから、もう一度操作してください。"));
        return;
    }
    cells[0] = QString::number(draw);

    if (!gridSelectItem->cell(0, 0).isEmpty())
        gridSelectItem->setRowCount(gridSelectItem->rowCount() + 1);
    const int last = gridSelectItem->rowCount() - 1;
    gridSelectItem->setRowCells(last, cells);
    m_slateSaves.append();
    gridSelectItem->setCurrentRow(last);
    updateSlateTotals();
    btnRisetClick();
    showSlateNotice();
}

void MainPage::btnCancelClick()
{
    if (gridSelectItem->cell(0, 0).isEmpty()) {
        showGuideMessage(window(), QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    if (gridSelectItem->rowCount() == 1) {
        gridSelectItem->setRowCells(0, QStringList());
        m_slateSaves.clear();
    } else {
        const int row = gridSelectItem->currentRow();
        gridSelectItem->cells()->removeDataRow(row);
        m_slateSaves.remove(row);
        gridSelectItem->setCurrentRow(qMin(row, gridSelectItem->rowCount() - 1));
    }
    updateSlateTotals();
    showSlateNotice();
    gridSelectItem->setFocus();
}

QVector<QStringList> MainPage::slateRows() const
{
    QVector<QStringList> rows;
    if (gridSelectItem->cell(0, 0).isEmpty())
        return rows;
    for (int r = 0; r < gridSelectItem->rowCount(); ++r)
        rows.append(gridSelectItem->rowCells(r));
    return rows;
}

QVector<SlateLineCheck> MainPage::checkSlate(QStringList *unreadable) const
{
    return checkSlateLines(slateRows(), m_slateSaves.savedLines(), m_context.dataFolder(),
                           unreadable);
}

void MainPage::updateSlateTotals()
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

void MainPage::showSlateNotice()
{
    // A ticket file that cannot be read is the news that matters more.
    QStringList unreadable;
    const QVector<SlateLineCheck> checks = checkSlate(&unreadable);
    const QString notice = repeatNotice(checks.value(gridSelectItem->currentRow()));
    if (!unreadable.isEmpty())
        m_context.setStatusText(unreadable.join(QStringLiteral("　")));
    else if (!notice.isEmpty())
        m_context.setStatusText(notice);
    else if (isRepeatNotice(m_context.statusText()))
        m_context.setStatusText(kMainPageGuide);
}

// Rows alternate white and light green; the current row is highlighted. Text centred. A line
// that repeats another is drawn in red, a line saved from the slate in grey.
void MainPage::gridSelectItemDrawCell(QPainter *painter, const QRect &rect, int row, int column)
{
    gridSelectItem->paintStripedCell(painter, rect, row, column,
                                     row == gridSelectItem->currentRow(), Qt::AlignCenter,
                                     gridSelectItem->rowMark(row));
}

// Each line goes to the ticket file of the draw it was decided for, which need not be the
// coming draw any more: a reload in between moves the coming draw on, not the lines. Lines
// saved from the slate before are not stored again, also when the player has cancelled them
// since: a cancelled line stays cancelled.
std::optional<MainPage::UnsavedLines> MainPage::unsavedLines()
{
    const QVector<QStringList> rows = slateRows();
    if (rows.isEmpty()) {
        showGuideMessage(window(), QStringLiteral("保存する対象のデータがありません。"));
        return std::nullopt;
    }
    const QVector<SlateLineCheck> checks = checkSlate();
    UnsavedLines unsaved;
    for (int r = 0; r < rows.size(); ++r) {
        if (checks.value(r).state != SlateLineCheck::State::Saved) {
            unsaved.rows.append(rows.at(r));
            unsaved.indexes.append(r);
        }
    }
    if (unsaved.rows.isEmpty()) {
        showGuideMessage(
            window(), QStringLiteral("保存する対象のデータがありません（すべて保存済みです）。"));
        return std::nullopt;
    }
    return unsaved;
}

void MainPage::markSaved(const QVector<int> &rows, const QVector<int> &draws)
{
    for (int r : rows)
        m_slateSaves.markSaved(r, draws.isEmpty() ? QVector<int>{gridSelectItem->cell(r, 0).toInt()}
                                                  : draws);
    gridSelectItem->invalidateRowMarks();
    updateSlateTotals();
    showSlateNotice();
}

bool MainPage::settleDrawnDraws(UnsavedLines &unsaved)
{
    bool isNumber = false;
    const int coming = editNewNum->text().toInt(&isNumber);
    const QVector<int> drawn = isNumber ? drawnDrawsOf(unsaved.rows, coming) : QVector<int>();
    if (drawn.isEmpty())
        return true;
    const auto lines =
        std::count_if(unsaved.rows.begin(), unsaved.rows.end(), [&drawn](const QStringList &row) {
            return drawn.contains(row.value(0).toInt());
        });
    switch (askChoice(window(), drawnDrawsQuestion(drawn, int(lines), coming))) {
    case Choice::Cancel:
        return false;
    case Choice::No:
        return true;
    case Choice::Yes:
        break;
    }
    unsaved.rows = movedToComingDraw(unsaved.rows, drawn, coming);
    for (int i = 0; i < unsaved.rows.size(); ++i)
        gridSelectItem->setCell(unsaved.indexes.at(i), 0, unsaved.rows.at(i).value(0));
    gridSelectItem->invalidateRowMarks();
    return true;
}

void MainPage::saveContinued()
{
    const std::optional<UnsavedLines> unsaved = unsavedLines();
    if (!unsaved)
        return;
    const ResultsTop top = readResultsTop(m_context.dataFolder() + kDownloadFolder);
    ContinuedSaveForm form(top.newest, unsaved->rows, m_context.dataFolder(), window());
    if (form.exec() != QDialog::Accepted)
        return;
    QVector<int> draws;
    for (const ExpectedDraw &draw : form.draws())
        draws.append(draw.number);
    markSaved(unsaved->indexes, draws);
    m_context.setStatusText(form.report());
}

void MainPage::btnSaveClick()
{
    std::optional<UnsavedLines> unsavedOrNone = unsavedLines();
    if (!unsavedOrNone || !settleDrawnDraws(*unsavedOrNone))
        return;
    const QVector<QStringList> &unsaved = unsavedOrNone->rows;
    QVector<TicketAppend> appends;
    QStringList written;
    QVector<QPair<QString, int>> linesPerDraw;
    for (const DrawLines &group : groupByDraw(unsaved)) {
        const std::optional<QString> path = ticketFilePath(m_context.dataFolder(), group.draw);
        if (!path) {
            showGuideMessage(
                window(), QStringLiteral("開催回が決まっていないため、保存できません。"
                                         "抽選結果を読み込んでから、もう一度操作してください。"));
            return;
        }
        appends.append({*path, group.text});
        written.append(QStringLiteral("client/") + group.draw + QStringLiteral(".csv"));
        linesPerDraw.append({group.draw, int(group.text.count("\r\n"))});
    }
    appendTicketLines(appends); // every file gets its lines or, on failure, none does
    markSaved(unsavedOrNone->indexes);
    m_context.setStatusText(saveSummary(linesPerDraw));
    showGuideMessage(window(), QStringLiteral("正常にファイルの保存が完了しました。"
                                              "「申込数字照会・取消し」機能で参照してください。\n"
                                              "保存先：") +
                                   written.join(QStringLiteral("、")));
}

void MainPage::menuFileCsvSaveClick()
{
    // The dialog is made when first needed, and then kept for the window's life.
    if (!dlgSave) {
        keepFileDialogStateFromDisk();
        dlgSave = new QFileDialog(window());
        dlgSave->setObjectName(QStringLiteral("dlgSave"));
        dlgSave->setAcceptMode(QFileDialog::AcceptSave);
        // On Windows the players' own save dialog; elsewhere Qt's, the same on every desktop
        // and in Japanese. A chosen file is replaced without a question: the player named it
        // for this (never one of the program's own files).
#ifndef Q_OS_WIN
        dlgSave->setOption(QFileDialog::DontUseNativeDialog);
#endif
        dlgSave->setOption(QFileDialog::DontConfirmOverwrite);
        // Stateless, and kept to the end of the program: the dialog's file model may still
        // ask it while the dialog goes.
        static JapaneseEntryKinds kinds;
        dlgSave->setIconProvider(&kinds);
        // Size, kind and date shown whole: those columns take the width of their texts.
        if (auto *details = dlgSave->findChild<QTreeView *>(QStringLiteral("treeView")))
            for (int column = 1; column < details->header()->count(); ++column)
                details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        dlgSave->setWindowTitle(QStringLiteral("CSVファイルに名前を付けて保存"));
        dlgSave->setNameFilter(QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
        dlgSave->setDefaultSuffix(QStringLiteral("csv"));
    }
    // The player's documents (or home, on a system without them) the first time, then where
    // the last export went.
    QString folder = dlgSave->property(kLastFolderProperty).toString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dlgSave->setDirectory(folder);
    dlgSave->selectFile(editNewNum->text());
    if (dlgSave->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dlgSave->selectedFiles();
    if (chosen.isEmpty())
        return;
    // Replacing a ticket file or a results file would lose what it held.
    if (isInProgramData(chosen.first(), m_context.dataFolder(), m_context.installFolder())) {
        showGuideMessage(
            window(),
            QStringLiteral("このフォルダーにはプログラムのデータがあるため保存できません。"));
        return;
    }

    WaitCursor wait;
    SplashScope splash(m_context.splash(), QStringLiteral("CSVファイルに出力中です。"));
    const QVector<QStringList> rows = slateRows();
    if (rows.isEmpty()) {
        splash.close();
        showGuideMessage(window(), QStringLiteral("保存する対象のデータがありません。"));
        return;
    }
    // The file gets every line or, on failure, keeps what it held.
    writeTicketLines(chosen.first(), slateLinesText(rows));
    dlgSave->setProperty(kLastFolderProperty, QFileInfo(chosen.first()).absolutePath());
    splash.close();
    showGuideMessage(window(), QStringLiteral("正常にファイルの保存が完了しました。"));
}
