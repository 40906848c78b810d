#include "SavedLines.h"

#include "core/tickets/TicketFile.h"
#include "core/tickets/WinningCheck.h"

#include <QDir>

QVector<SavedLine> readSavedLines(const QString &clientFolder)
{
    QVector<SavedLine> lines;
    const QDir folder(clientFolder);
    const QStringList files = folder.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QString &name : files) {
        if (!isTicketFileName(name))
            continue;
        for (const TicketLine &ticket : readAllTicketLines(folder.filePath(name))) {
            const int draw = drawNumberOf(ticket.draw);
            if (ticket.valid() && draw != 0)
                lines.append({draw, ticket.numbers});
        }
    }
    return lines;
}

int drawNumberOf(const QString &field)
{
    const QString key = drawNumberKey(field);
    return key.size() <= 9 ? key.toInt() : 0;
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

NumberSet numberSetOf(const QStringList &cells)
{
    return lineNumbers(cells).value_or(0);
}
