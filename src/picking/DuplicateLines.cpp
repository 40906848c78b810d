#include "DuplicateLines.h"

#include "app/ComType.h"
#include "results/PastDraws.h"
#include "tickets/TicketFile.h"

#include <QFileInfo>
#include <QHash>

namespace
{

// The numbers of a row (cells 1..6) as a set; 0 when a cell holds no number of 1..43.
NumberSet numbersOf(const QStringList &cells)
{
    NumberSet line = 0;
    for (int k = 1; k <= kPicksPerLine; ++k) {
        bool ok = false;
        const int n = cells.value(k).trimmed().toInt(&ok);
        if (!ok || n < kLotoMin || n > kLotoMax)
            return 0;
        line |= numberBit(n);
    }
    return line;
}

// The lines saved for the draw, as number sets.
QVector<NumberSet> savedLines(const QString &draw, const QString &programFolder)
{
    QVector<NumberSet> lines;
    const auto path = ticketFilePath(programFolder, draw);
    if (!path || !QFileInfo::exists(*path))
        return lines;
    for (const QStringList &saved : readAllTicketLines(*path)) {
        if (saved.value(0) == draw)
            lines.append(numbersOf(saved));
    }
    return lines;
}

} // namespace

QVector<bool> duplicateRows(const QVector<QStringList> &slateRows, const QString &programFolder)
{
    QVector<bool> repeats(slateRows.size(), false);
    QHash<QString, QVector<NumberSet>> saved; // per draw, read when first needed
    for (int row = 0; row < slateRows.size(); ++row) {
        const QString draw = slateRows.at(row).value(0).trimmed();
        const NumberSet line = numbersOf(slateRows.at(row));
        if (draw.isEmpty() || line == 0)
            continue;
        for (int other = 0; other < slateRows.size() && !repeats[row]; ++other) {
            repeats[row] = other != row && slateRows.at(other).value(0).trimmed() == draw &&
                           numbersOf(slateRows.at(other)) == line;
        }
        if (!repeats[row]) {
            if (!saved.contains(draw))
                saved.insert(draw, savedLines(draw, programFolder));
            repeats[row] = saved.value(draw).contains(line);
        }
    }
    return repeats;
}

bool isDuplicateLine(const QVector<QStringList> &slateRows, int row, const QString &programFolder)
{
    return duplicateRows(slateRows, programFolder).value(row, false);
}

QString duplicateNotice(const QVector<QStringList> &slateRows, int row,
                        const QString &programFolder)
{
    if (!isDuplicateLine(slateRows, row, programFolder))
        return QString();
    return QStringLiteral("同じ組合せが既にあります（%1口目）。").arg(row + 1);
}
