// The commands that open the analysis windows: a line against the whole history, the spend
// and return of the saved lines, the test of randomness, and the statistics beside their
// values under fair draws. Each window gets what it reads (the history, the data folder, a
// line to start with) and keeps its own state.

#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/LineHistoryForm.h"
#include "gui/dialogs/RandomnessTestForm.h"
#include "gui/dialogs/StatisticsForm.h"
#include "gui/dialogs/TicketReportForm.h"
#include "gui/pages/HistoryModel.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QLabel>

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
            QStringList numbers;
            if (!gridSelectItem->cell(0, 0).isEmpty()) {
                numbers = gridSelectItem->rowCells(gridSelectItem->currentRow()).mid(1);
            } else {
                for (int k = 1; k <= kPicksPerLine; ++k) {
                    if (const int n = image(k)->property("tag").toInt())
                        numbers.append(twoDigits(n));
                }
            }
            openDialog(new LineHistoryForm(m_history->records(), m_context->dataFolder(),
                                           numbers.join(QLatin1Char(' ')), this));
        });
    });
    connect(menuCommandTicketReport, &QAction::triggered, this, [this] {
        runGuarded(this, [this] {
            openDialog(new TicketReportForm(m_history->records(), m_context->dataFolder(), this));
        });
    });
    connect(menuCommandRandomnessTest, &QAction::triggered, this, [this] {
        runGuarded(this,
                   [this] { openDialog(new RandomnessTestForm(m_history->records(), this)); });
    });
    connect(menuCommandStatistics, &QAction::triggered, this, [this] {
        runGuarded(this, [this] { openDialog(new StatisticsForm(m_history->records(), this)); });
    });
}
