// Loading the results files into the window: history, prize table, count table and the
// number of the coming draw.

#include "gui/Main.h"

#include "core/results/DrawHistory.h"
#include "gui/PageContext.h"
#include "gui/pages/CheckPage.h"
#include "gui/pages/HistoryPage.h"
#include "gui/pages/MainPage.h"
#include "gui/pages/PrizesPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/pages/TrendChartPage.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsService.h"

#include <QTimer>

void TMainForm::btnMmsUpdateClick()
{
    const ResultsService::Loaded loaded = m_results->load();
    showLoaded(loaded.missing, loaded.faults);
}

void TMainForm::showLoaded(bool missing, const QStringList &faults)
{
    if (missing) {
        showErrorMessage(this, QStringLiteral("必須データファイルが見つかりませんでした。"
                                              "システム管理者に連絡してください！！"));
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    for (const QString &fault : faults)
        showErrorMessage(this, fault);
}

void TMainForm::applyResults()
{
    // The slate keeps every line: each one carries the draw it was decided for, which a new
    // history does not change. The history list follows the history itself.
    const DrawHistory &results = *m_context->history();
    m_historyPage->showFromTop();
    catchUp();
    m_prizesPage->showPrizes(results.prizes());
    catchUp();
    m_context->setBaseCountTable(results.counts());
    catchUp();

    // The coming draw is the one the main page decides lines for, and the one whose saved
    // lines the ticket list shows; the check shows the newest draw, the last with results.
    m_mainPage->setComingDraw(results.comingDraw());
    const NewestDraw &newest = results.highestDraw();
    m_mainPage->setNewestDraw(newest.number, newest.date);
    QStringList unreadable;
    for (const QString &error : {m_checkPage->setDrawNumber(results.newestDraw()),
                                 m_ticketPage->setDrawNumber(results.comingDraw())}) {
        if (!error.isEmpty() && !unreadable.contains(error))
            unreadable.append(error);
    }
    for (const QString &error : unreadable)
        reportError(this, error);

    // A failure of the first chart passes to the load's caller.
    m_chartPage->showFirstChart();
}
