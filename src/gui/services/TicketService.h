#pragma once

#include "gui/services/StartNotice.h"

#include <QString>
#include <QVector>

class PageContext;

// The saved lines of the window as a start finds them.
class TicketService
{
public:
    explicit TicketService(const PageContext &context);

    // Completes a save into several ticket files that the end of the program cut short; the
    // player learns which draws it saved, since the slate that held the lines is gone.
    QVector<StartNotice> recoverAtStart();
    // The status line's warning of prizes not yet claimed whose time runs out, by the loaded
    // history; empty when there are none. A ticket file that cannot be read is told where it
    // is used: the warning is a courtesy.
    QString claimWarning() const;

private:
    const PageContext &m_context;
};
