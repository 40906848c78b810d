#include "core/tickets/SavedLines.h"

#include "core/tickets/TicketFile.h"

QVector<LotoLine> readSavedLines(const QString &clientFolder, QStringList *unreadable, int fromDraw)
{
    QVector<LotoLine> lines;
    const ClientFolderListing listing = listClientFolder(clientFolder, fromDraw);
    for (const ClientFolderListing::TicketFile &file : listing.ticketFiles) {
        // A reader that cannot name what it cannot read passes over what is no regular file.
        if (!unreadable && !file.regular)
            continue;
        QString reason;
        const QVector<TicketLine> tickets =
            unreadable ? readAllTicketLines(file.path, &reason) : readAllTicketLines(file.path);
        if (!reason.isEmpty())
            unreadable->append(unreadableFileText(file.name, reason));
        for (const TicketLine &ticket : tickets) {
            if (ticket.line)
                lines.append(*ticket.line);
        }
    }
    return lines;
}
