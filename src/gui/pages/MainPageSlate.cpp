// The slate of the main page: the lines decided for the coming draw, with their count and
// total price, their save into the ticket files, and the menu command that writes them to a
// CSV file of the player's choice, to take them elsewhere (the lines a save appends).

#include "core/common/Formats.h"
#include "core/picking/DuplicateLines.h"
#include "core/results/DrawHistory.h"
#include "core/results/ResultsFiles.h"
#include "core/tickets/SlateSave.h"
#include "core/tickets/TicketWrite.h"
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
#include <QStandardPaths>
#include <QTreeView>
#include <algorithm>

namespace
{

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
    NumberSet numbers = 0;
    for (int k = 1; k <= kPicksPerLine; ++k) {
        const int number = image(k)->property("tag").toInt();
        if (number == 0) {
            showGuideMessage(window(),
                             QStringLiteral("６個の数字を全て選択してから、「決定」ボタンを"
                                            "クリックしてください。"));
            return;
        }
        numbers |= numberBit(number);
    }
    // The coming draw number comes from the history; without it there is no line to make.
    const int draw = m_comingDraw;
    const std::optional<LotoLine> line = LotoLine::of(draw, numbers);
    if (!line) {
        showGuideMessage(window(),
                         QStringLiteral("開催回が決まっていないため、決定できません。"
                                        "抽選結果を読み込んでから、もう一度操作してください。"));
        return;
    }
    if (!confirmPastDraws({draw}, false))
        return;

    m_slate.append(*line);
    const int last = m_slate.size() - 1;
    gridSelectItem->setRowCount(m_slate.size());
    showSlateLine(last);
    gridSelectItem->setCurrentRow(last);
    recheckSlate();
    btnRisetClick();
    showSlateNotice();
}

void MainPage::btnCancelClick()
{
    if (m_slate.isEmpty()) {
        showGuideMessage(window(), QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    if (m_slate.size() == 1) {
        m_slate.clear();
        showSlateLine(0);
    } else {
        const int row = gridSelectItem->currentRow();
        m_slate.remove(row);
        gridSelectItem->cells()->removeDataRow(row);
        gridSelectItem->setCurrentRow(qMin(row, gridSelectItem->rowCount() - 1));
    }
    recheckSlate();
    showSlateNotice();
    gridSelectItem->setFocus();
}

void MainPage::showSlateLine(int row)
{
    gridSelectItem->setRowCells(row, m_slate.line(row).cells());
}

void MainPage::recheckSlate()
{
    m_review = reviewSlate(m_slate, m_context.dataFolder());
    gridSelectItem->invalidateRowMarks();
    pnlSelectMax->setText(m_review.countText());
    pnlSelectMoney->setText(formatYen(double(m_review.lines.size()) * kLinePriceYen));
}

void MainPage::showSlateNotice()
{
    // A ticket file that cannot be read is the news that matters more.
    const QString notice = repeatNotice(m_review.lines.value(gridSelectItem->currentRow()));
    QString text;
    if (!m_review.unreadable.isEmpty())
        text = m_review.unreadable.join(QStringLiteral("　"));
    else if (!notice.isEmpty())
        text = notice;
    else if (!m_repeatNotice.isEmpty() && m_context.statusText() == m_repeatNotice)
        text = kMainPageGuide; // the notice this page gave is still shown: it gives way
    else
        return;
    m_repeatNotice = notice;
    m_context.setStatusText(text);
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
QVector<int> MainPage::unsavedLines()
{
    if (m_slate.isEmpty()) {
        showGuideMessage(window(), QStringLiteral("保存する対象のデータがありません。"));
        return {};
    }
    const QVector<int> unsaved = m_slate.unsaved();
    if (unsaved.isEmpty())
        showGuideMessage(
            window(), QStringLiteral("保存する対象のデータがありません（すべて保存済みです）。"));
    return unsaved;
}

void MainPage::showSaved()
{
    recheckSlate();
    showSlateNotice();
}

bool MainPage::settleDrawnDraws(const QVector<int> &unsaved)
{
    const int coming = m_comingDraw;
    const QVector<LotoLine> lines = m_slate.linesAt(unsaved);
    const QVector<int> drawn = coming != kNoDraw ? drawnDrawsOf(lines, coming) : QVector<int>();
    if (drawn.isEmpty())
        return true;
    const auto drawnLines =
        std::count_if(lines.begin(), lines.end(),
                      [&drawn](const LotoLine &line) { return drawn.contains(line.draw()); });
    switch (askChoice(window(), drawnDrawsQuestion(drawn, int(drawnLines), coming))) {
    case Choice::Cancel:
        return false;
    case Choice::No:
        return true;
    case Choice::Yes:
        break;
    }
    for (const int place : m_slate.moveToComingDraw(drawn, coming))
        showSlateLine(place);
    recheckSlate();
    return true;
}

void MainPage::saveContinued()
{
    const QVector<int> unsaved = unsavedLines();
    if (unsaved.isEmpty())
        return;
    // The draws are counted from the newest one loaded.
    ContinuedSaveForm form(m_context.history()->highestDraw(), m_slate.linesAt(unsaved),
                           m_context.dataFolder(), window());
    if (form.exec() != QDialog::Accepted)
        return;
    QVector<int> draws;
    for (const ExpectedDraw &draw : form.draws())
        draws.append(draw.number);
    for (const int place : unsaved)
        m_slate.markSaved(place, draws);
    showSaved();
    m_context.setStatusText(form.report());
}

void MainPage::btnSaveClick()
{
    const QVector<int> unsaved = unsavedLines();
    if (unsaved.isEmpty() || !settleDrawnDraws(unsaved))
        return;
    QVector<int> draws;
    for (const LotoLine &line : m_slate.linesAt(unsaved))
        draws.append(line.draw());
    if (!confirmPastDraws(draws, true))
        return;
    // Every file gets its lines or, on failure, none does; each is read once.
    const SlateSaveDone done = saveSlate(m_slate, m_context.dataFolder());
    showSaved();
    m_context.setStatusText(saveSummary(done.linesPerDraw));
    showInfoMessage(window(), QStringLiteral("正常にファイルの保存が完了しました。"
                                             "「申込数字照会・取消し」機能で参照してください。\n"
                                             "保存先：") +
                                  done.files.join(QStringLiteral("、")));
}

void MainPage::menuFileCsvSaveClick()
{
    // The dialog is made when first needed, and then kept for the window's life.
    if (!dlgSave) {
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
        // Kept until the dialog has gone (see ~MainPage): its file model asks it to the end.
        m_entryKinds = std::make_unique<JapaneseEntryKinds>();
        dlgSave->setIconProvider(m_entryKinds.get());
        // Size, kind and date shown whole: those columns take the width of their texts.
        if (auto *details = dlgSave->findChild<QTreeView *>(QStringLiteral("treeView")))
            for (int column = 1; column < details->header()->count(); ++column)
                details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        // Qt's own dialog names its two lists by their labels, which not every system gives a
        // screen reader; they are named here, in Japanese.
        const std::pair<const char *, QString> lists[] = {
            {"lookInCombo", QStringLiteral("保存する場所")},
            {"fileTypeCombo", QStringLiteral("ファイルの種類")}};
        for (const auto &[name, spoken] : lists)
            if (auto *list = dlgSave->findChild<QWidget *>(QLatin1String(name)))
                list->setAccessibleName(spoken);
        dlgSave->setWindowTitle(QStringLiteral("CSVファイルに名前を付けて保存"));
        dlgSave->setNameFilter(QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
        dlgSave->setDefaultSuffix(QStringLiteral("csv"));
    }
    // The player's documents (or home, on a system without them) the first time, then where
    // the last export went.
    QString folder = m_lastSavedFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dlgSave->setDirectory(folder);
    dlgSave->selectFile(comingDrawText());
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
    if (m_slate.isEmpty()) {
        splash.close();
        showGuideMessage(window(), QStringLiteral("保存する対象のデータがありません。"));
        return;
    }
    // The file gets every line or, on failure, keeps what it held.
    writeTicketLines(chosen.first(), ticketLinesText(m_slate.lines()));
    m_lastSavedFolder = QFileInfo(chosen.first()).absolutePath();
    splash.close();
    showInfoMessage(window(),
                    QStringLiteral("正常にファイルの保存が完了しました。\n保存先：") +
                        QDir::toNativeSeparators(QFileInfo(chosen.first()).absoluteFilePath()));
}
