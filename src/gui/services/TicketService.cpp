#include "gui/services/TicketService.h"

#include "core/platform/DataFolder.h"
#include "core/results/DrawCalendar.h"
#include "core/results/DrawHistory.h"
#include "core/tickets/PrizeClaims.h"
#include "core/tickets/TicketWrite.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"

TicketService::TicketService(const PageContext &context) : m_context(context) {}

QVector<StartNotice> TicketService::recoverAtStart()
{
    const CommitRecovery save = finishTicketSave(m_context.dataFolder() + kClientFolder);
    if (!save.anything())
        return {};
    return {{ticketRecoveryText(save), save.troubled()}};
}

QString TicketService::claimWarning() const
{
    QString warning;
    captureError([this, &warning] {
        warning = readClaimWarningText(m_context.dataFolder(), m_context.history()->draws(),
                                       japanToday());
    });
    return warning;
}
