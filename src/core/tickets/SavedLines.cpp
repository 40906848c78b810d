#include "SavedLines.h"

#include "core/tickets/TicketFile.h"
#include "core/tickets/WinningCheck.h"

#include <QDir>

QVector<LotoLine> readSavedLines(const QString &clientFolder, QStringList *unreadable, int fromDraw)
{
    QVector<LotoLine> lines;
    const QDir folder(clientFolder);
    // A reader that names what it cannot read looks at anything named like a ticket file, so
    // that one that is not a regular file (a FIFO, a folder) is named rather than passed over.
    const QDir::Filters kinds =
        unreadable ? QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot : QDir::Files;
    const QStringList files = folder.entryList({QStringLiteral("*.csv")}, kinds, QDir::Name);
    for (const QString &name : files) {
        if (!isTicketFileName(name) || drawNumberOf(name.chopped(4)) < fromDraw)
            continue;
        QString reason;
        const QVector<TicketLine> tickets = unreadable
                                                ? readAllTicketLines(folder.filePath(name), &reason)
                                                : readAllTicketLines(folder.filePath(name));
        if (!reason.isEmpty())
            unreadable->append(unreadableFileText(name, reason));
        for (const TicketLine &ticket : tickets) {
            if (ticket.line)
                lines.append(*ticket.line);
        }
    }
    return lines;
}

int drawNumberOf(const QString &field)
{
    const QString key = drawNumberKey(field);
    return key.size() <= kMaxDrawDigits ? key.toInt() : 0;
}

QStringList lineNumberTexts(NumberSet numbers)
{
    QStringList texts;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        if (numbers & numberBit(n))
            texts.append(twoDigits(n));
    }
    return texts;
}

QString unreadableFileText(const QString &name, const QString &reason)
{
    return QStringLiteral("%1%2 を読めません：%3").arg(kClientFolder, name, reason);
}
