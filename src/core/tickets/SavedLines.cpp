#include "SavedLines.h"

#include "tickets/TicketFile.h"
#include "tickets/WinningCheck.h"

#include <QDir>

QVector<SavedLine> readSavedLines(const QString &clientFolder)
{
    QVector<SavedLine> lines;
    const QDir folder(clientFolder);
    const QStringList files = folder.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QString &name : files) {
        if (!isPlainDrawNumber(name.chopped(4)))
            continue;
        for (const QStringList &cells : readAllTicketLines(folder.filePath(name))) {
            const int draw = drawNumberOf(cells.value(0));
            const NumberSet numbers = numberSetOf(cells.mid(1, kPicksPerLine));
            if (draw != 0 && numbers != 0)
                lines.append({draw, numbers});
        }
    }
    return lines;
}

int drawNumberOf(const QString &field)
{
    return isPlainDrawNumber(field) && field.size() <= 9 ? field.toInt() : 0;
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
    if (!isValidLine(cells))
        return 0;
    NumberSet numbers = 0;
    for (const QString &cell : cells)
        numbers |= numberBit(cell.toInt());
    return numbers;
}
