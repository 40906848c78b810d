#include "DuplicateLines.h"

#include "app/ComType.h"
#include "results/PastDraws.h"
#include "tickets/TicketFile.h"

#include <QFileInfo>

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

bool isSaved(const QString &draw, NumberSet line, const QString &programFolder)
{
    const auto path = ticketFilePath(programFolder, draw);
    if (!path || !QFileInfo::exists(*path))
        return false;
    for (const QStringList &saved : readAllTicketLines(*path)) {
        if (saved.value(0) == draw && numbersOf(saved) == line)
            return true;
    }
    return false;
}

} // namespace

bool isDuplicateLine(const QVector<QStringList> &slateRows, int row, const QString &programFolder)
{
    if (row < 0 || row >= slateRows.size())
        return false;
    const QString draw = slateRows.at(row).value(0).trimmed();
    const NumberSet line = numbersOf(slateRows.at(row));
    if (draw.isEmpty() || line == 0)
        return false;
    for (int other = 0; other < slateRows.size(); ++other) {
        if (other != row && slateRows.at(other).value(0).trimmed() == draw &&
            numbersOf(slateRows.at(other)) == line)
            return true;
    }
    return isSaved(draw, line, programFolder);
}

QString duplicateNotice(const QVector<QStringList> &slateRows, int row,
                        const QString &programFolder)
{
    if (!isDuplicateLine(slateRows, row, programFolder))
        return QString();
    return QStringLiteral("同じ組合せが既にあります（%1口目）。").arg(row + 1);
}
