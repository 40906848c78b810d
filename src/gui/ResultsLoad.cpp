// Loading the results files into the window: history, prize table, count table and the
// number of the coming draw.

#include "core/results/HistoryCheck.h"
#include "core/results/ResultsFiles.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/pages/CheckPage.h"
#include "gui/pages/HistoryPage.h"
#include "gui/pages/MainPage.h"
#include "gui/pages/PrizesPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/pages/TrendChartPage.h"
#include "gui/services/ComFunction.h"

#include <QTabWidget>
#include <QTimer>

void TMainForm::btnMmsUpdateClick()
{
    PageContext::BusyScope busy(*m_context);
    const InputBlock block(pctrlMain); // the pages keep their colours meanwhile
    WaitCursor wait;

    catchUp();
    // Both files are read and checked completely before anything on screen changes, so a
    // malformed file leaves the data loaded before in place.
    ResultsData results;
    const ResultsStatus status =
        readResultsFolder(m_context->dataFolder() + kDownloadFolder, &results);
    if (status != ResultsStatus::Loaded) {
        showErrorMessage(this, QStringLiteral("必須データファイルが見つかりませんでした。"
                                              "システム管理者に連絡してください！！"));
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // A pair that does not belong together is loaded as it is, and said so.
    // So is a draw that breaks the rules of a draw; a download replaces it.
    const QString mismatch = pairMismatch(results);
    const std::optional<QString> invalid = invalidDrawFault(results.draws);
    applyResults(std::move(results));
    catchUp();
    if (!mismatch.isEmpty())
        showErrorMessage(this, mismatch);
    if (invalid)
        showErrorMessage(this, QStringLiteral("%1%2 に正しくない抽選結果があります。\n%3\n"
                                              "最新の抽選結果をダウンロードしてください。")
                                   .arg(kDownloadFolder, kNumberFileName, *invalid));
}

void TMainForm::applyResults(ResultsData &&results)
{
    // The slate keeps every line: each one carries the draw it was decided for, which a new
    // history does not change.
    m_historyPage->showDraws(std::move(results.draws));
    catchUp();
    m_prizesPage->showPrizes(results.prizes);
    catchUp();
    m_context->setBaseCountTable(results.counts);
    catchUp();

    // The coming draw is the one the main page decides lines for, and the one whose saved
    // lines the ticket list shows; the check shows the newest draw, the last with results.
    m_mainPage->setComingDraw(results.comingDraw);
    QStringList unreadable;
    for (const QString &error : {m_checkPage->setDrawNumber(results.newestDraw),
                                 m_ticketPage->setDrawNumber(results.comingDraw)}) {
        if (!error.isEmpty() && !unreadable.contains(error))
            unreadable.append(error);
    }
    for (const QString &error : unreadable)
        reportError(this, error);

    // A failure of the first chart passes to the load's caller.
    m_chartPage->showFirstChart();
}
