// The page "オンラインデータ照合": loading the stored lines of a draw number and
// checking each line against the draw it names in the history.

#include "gui/pages/CheckPage.h"

#include "core/results/DrawCalendar.h"
#include "core/results/DrawHistory.h"
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
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

namespace
{

constexpr int kResultColumn = 7;
// The lines of a ticket (up to ten) are shown one by one, each held in view for a moment before
// the check moves on: the suspense of the check. Lines beyond them run on in quick steps, all
// of them within about a second, however many there are.
constexpr int kPacedLines = 10;
constexpr int kPauseMs = 200;
constexpr int kQuickSteps = 40;
constexpr int kQuickStepMs = 25;

const QString kNoTicketData = QStringLiteral("保存データがありません…。");
const QString kReadyToCheck = QStringLiteral("抽選結果と申込数字を照合します。");
const QString kChecking = QStringLiteral("抽選結果と照合中です…。");
const QString kNoDrawFound = QStringLiteral("抽選結果と照合できません…。");
const QString kSeeResults = QStringLiteral("抽選結果を確認してください。");
const QString kStopped = QStringLiteral("照合を中止しました。");

} // namespace

// A check under way: its results, how many are shown, and for as long as it runs the busy mark
// (a close asked for meanwhile waits for it to stop), the block of the pages' input and the busy
// cursor.
struct CheckPage::CheckRun {
    CheckRun(PageContext &context, QObject *stop)
        : context(&context), busy(std::make_unique<PageContext::BusyScope>(context)),
          block(std::in_place, context.pageControl(), stop), cursor(std::in_place, Qt::BusyCursor)
    {
    }
    ~CheckRun()
    {
        // A window torn down in the middle of a check has lost its context first: there is no
        // busy mark left to clear.
        if (!context)
            (void)busy.release();
    }
    QPointer<PageContext> context;
    std::unique_ptr<PageContext::BusyScope> busy;
    std::optional<InputBlock> block; // the pages keep their colours meanwhile
    std::optional<WaitCursor> cursor;
    QVector<CheckResult> results;
    int shown = 0;
    int found = 0; // the valid lines among those shown
};

CheckPage::CheckPage(PageContext &context, QWidget *parent)
    : Page(parent, Build::WhenFirstShown), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet5"));
}

void CheckPage::buildControls()
{
    using namespace layout;
    QGroupBox *g = captionlessGroup(this, "GroupBox4");
    GroupBox4 = g;
    Label3 = label(g, "Label3", 18, 21, QStringLiteral("開催回"));
    editSelectNum =
        spinEdit(g, "editSelectNum", QRect(73, 18, 58, 24), 1, 9999, 700, 4, Qt::AlignCenter);
    // Wider than the picture and the words alone: the access key's "(E)" follows them.
    btnExec =
        button(g, "btnExec", QRect(135, 17, 112, 25), QStringLiteral("照合開始(&E)"), colour::navy);
    btnExec->setIcon(buttonIcon(ButtonPicture::SheetWithRedArrow));
    btnCheckStop =
        button(g, "btnCheckStop", QRect(253, 17, 84, 25), QStringLiteral("中止(&S)"), QColor(),
               QStringLiteral("照合を途中で止めます（Esc キーでも止まります）。"));
    btnCheckStop->setAccessibleName(QStringLiteral("照合の中止"));
    btnCheckStop->setEnabled(false);
    pnlHitGuide = panel(g, "pnlHitGuide", QRect(343, 19, 266, 22), Qt::AlignHCenter);
    pnlHitGuide->setProperty("tag", 0);
    gridHitSel = stringGrid(g, "gridHitSel", QRect(10, 49, 599, 396), 8,
                            {75, 32, 32, 32, 32, 32, 32, 303}, 22, 19, false);

    connect(editSelectNum, &SpinEdit::textChanged, this,
            guardedSlot(this, &CheckPage::editSelectNumChange));
    connect(btnExec, &QPushButton::clicked, this, guardedSlot(this, &CheckPage::btnExecClick));
    connect(btnCheckStop, &QPushButton::clicked, this, &CheckPage::btnCheckStopClick);
    // Esc stops a check from anywhere in the window, as long as the stop button is enabled.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), btnCheckStop), &QShortcut::activated, this,
            &CheckPage::btnCheckStopClick);
    m_step.setSingleShot(true);
    m_step.setTimerType(Qt::PreciseTimer); // each pause whole, not a little shortened
    connect(&m_step, &QTimer::timeout, this, guardedSlot(this, &CheckPage::showNextResults));
    gridHitSel->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridHitSelDrawCell(painter, rect, row, column);
    });
    editSelectNum->setKeyFilter(editSelectNumKeyPress);
    gridHitSel->setHeaderTexts(ticketGridHeader() + QStringList{QStringLiteral("照合結果")});
    // The newest draw of the history loaded; its lines are listed as the page comes up.
    if (const int newest = m_context.history()->newestDraw(); newest != kNoDraw) {
        const QSignalBlocker quiet(editSelectNum);
        editSelectNum->setText(QString::number(newest));
        m_draw = newest;
    }
}

CheckPage::~CheckPage() = default;

void CheckPage::activated()
{
    listLines();
}

QString CheckPage::setDrawNumber(int draw)
{
    if (!isBuilt()) {
        // The page takes the newest draw when it is built; the load still tells a file that
        // cannot be read.
        const QString path = ticketFilePath(m_context.dataFolder(), draw);
        return draw > kNoDraw ? captureError([&path] { readAllTicketLines(path); }) : QString();
    }
    {
        const QSignalBlocker quiet(editSelectNum);
        editSelectNum->setText(QString::number(draw));
    }
    m_draw = draw;
    return captureError([this] { listLines(); });
}

void CheckPage::editSelectNumChange()
{
    // Only a plain number names a file, whatever way the text got into the field.
    m_draw = ticketFileDraw(editSelectNum->text().trimmed());
    listLines();
}

// Loads every line of the draw's ticket file, whatever draw each line names; each line is
// later checked against its own draw. Any earlier results go with the old rows.
void CheckPage::listLines()
{
    if (m_run)
        endCheck(false); // its results would go with the old rows
    m_lines.clear();
    gridHitSel->cells()->replaceRows({});
    gridHitSel->setCurrentRow(0);

    if (m_draw > kNoDraw)
        m_lines = readAllTicketLines(ticketFilePath(m_context.dataFolder(), m_draw));
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
    if (m_run)
        return;
    // The pages take no input and the history is not reloaded while a check runs (see
    // menuCommandDownloadClick), so the lines listed stay valid.
    QVector<CheckResult> results = checkTickets(m_context.history()->draws(), m_lines,
                                                m_context.historyList()->shownDrawNumbers());
    m_run = std::make_unique<CheckRun>(m_context, btnCheckStop);
    m_run->results = std::move(results);
    pnlHitGuide->setText(kChecking);
    pnlHitGuide->setProperty("tag", 0);
    btnCheckStop->setEnabled(true);
    btnCheckStop->setFocus();
    btnExec->setEnabled(false);
    m_step.start(0); // the first line once the page shows the check under way
}

void CheckPage::btnCheckStopClick()
{
    if (m_run)
        endCheck(false);
}

void CheckPage::showNextResults()
{
    if (!m_run)
        return;
    CheckRun &run = *m_run;
    const int total = int(run.results.size());
    if (run.shown == total || m_context.isCloseRequested())
        return endCheck(run.shown == total);
    const int quickStep = std::max(1, (total - kPacedLines + kQuickSteps - 1) / kQuickSteps);
    const int count = run.shown < kPacedLines ? 1 : std::min(quickStep, total - run.shown);
    // The count covers the valid lines checked; an invalid line only shows it is invalid.
    for (int i = 0; i < count; ++i) {
        const CheckResult &result = run.results.at(run.shown++);
        if (result.valid)
            pnlHitGuide->setProperty("tag", ++run.found);
        gridHitSel->setCell(result.ticketRow, kResultColumn, result.text);
        gridHitSel->setCurrentRow(result.ticketRow);
    }
    m_step.start(run.shown <= kPacedLines ? kPauseMs : kQuickStepMs);
}

void CheckPage::endCheck(bool whole)
{
    m_step.stop();
    // The run, with its busy mark, goes at the end: a close asked for meanwhile runs once the
    // page is ready again and the closing message has been read.
    const std::unique_ptr<CheckRun> run = std::move(m_run);
    run->block.reset();
    run->cursor.reset();
    const bool stopHadFocus = window()->focusWidget() == btnCheckStop;
    btnExec->setEnabled(true);
    btnCheckStop->setEnabled(false);
    if (stopHadFocus)
        btnExec->setFocus();

    if (!whole) {
        // The results shown so far stay; the selection stays on the last of them.
        pnlHitGuide->setText(kStopped);
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        m_context.setStatusText(
            QStringLiteral("照合を中止しました（%1 行のうち %2 行を照合済み）。")
                .arg(japanese.toString(qsizetype(m_lines.size())), japanese.toString(run->shown)));
        return;
    }
    const QVector<CheckResult> &results = run->results;
    const bool anyFound = std::any_of(results.begin(), results.end(), [](const CheckResult &r) {
        return !r.date.isEmpty(); // a line found its draw, valid or not
    });
    // The selection stays on the last line checked; the first winning line is scrolled whole
    // into view below the header, where the player looks first.
    const auto firstWin = std::find_if(results.begin(), results.end(),
                                       [](const CheckResult &r) { return r.tier > 0; });
    if (firstWin != results.end())
        gridHitSel->scrollTo(gridHitSel->model()->index(firstWin->ticketRow, 1),
                             QAbstractItemView::EnsureVisible);

    if (!anyFound) {
        showGuideMessage(window(),
                         kNoDrawFound +
                             QStringLiteral("最新の抽選データをダウンロードしてください。"));
        pnlHitGuide->setText(kNoDrawFound);
    } else {
        pnlHitGuide->setText(kSeeResults);
        // Without a win the status names no deadline, least of all that of the check before;
        // the deadline is that of the wins (until when they can be claimed).
        const QString deadline = checkDeadlineText(results, japanToday());
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
