// The commands that open the analysis windows: a line against the whole history, the spend
// and return of the saved lines, the test of randomness, and the statistics beside their
// values under fair draws. Each window gets what it reads (the history, the data folder, a
// line to start with) and keeps its own state.

#include "core/results/DrawHistory.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/LineHistoryForm.h"
#include "gui/dialogs/RandomnessTestForm.h"
#include "gui/dialogs/StatisticsForm.h"
#include "gui/dialogs/TicketReportForm.h"
#include "gui/pages/MainPage.h"
#include "gui/services/ComFunction.h"

#include <QAction>

namespace
{

void openDialog(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace

void TMainForm::connectExtraCommands()
{
    connect(menuCommandLineHistory, &QAction::triggered, this, [this] {
        runGuarded(this, [this] {
            // The selected slate line, else the numbers picked on the board.
            openDialog(new LineHistoryForm(m_context->history()->draws(),
                                           m_mainPage->currentLineText(), this));
        });
    });
    connect(menuCommandTicketReport, &QAction::triggered, this, [this] {
        runGuarded(this, [this] {
            openDialog(
                new TicketReportForm(m_context->history()->draws(), m_context->dataFolder(), this));
        });
    });
    connect(menuCommandRandomnessTest, &QAction::triggered, this, [this] {
        runGuarded(this, [this] {
            openDialog(new RandomnessTestForm(m_context->history()->draws(), this));
        });
    });
    connect(menuCommandStatistics, &QAction::triggered, this, [this] {
        runGuarded(this,
                   [this] { openDialog(new StatisticsForm(m_context->history()->draws(), this)); });
    });
}
