#include "DuplicateLines.h"

#include "app/ComType.h"
#include "results/PastDraws.h"
#include "tickets/TicketFile.h"

#include <QHash>

namespace
{

// The numbers of a slate row as a set, by the rule of every line; 0 when it is no valid line.
NumberSet numbersOf(const QStringList &cells)
{
    return readTicketLine(ticketLineOf(cells)).numbers;
}

// The valid lines saved for the draw, as number sets. A file that cannot be read holds none
// here; why goes to *unreadable.
QVector<NumberSet> savedLines(const QString &draw, const QString &programFolder,
                              QStringList *unreadable)
{
    QVector<NumberSet> lines;
    const auto path = ticketFilePath(programFolder, draw);
    if (!path)
        return lines;
    QString reason;
    for (const TicketLine &saved : readAllTicketLines(*path, &reason)) {
        if (saved.valid() && saved.draw == drawNumberKey(draw))
            lines.append(saved.numbers);
    }
    if (!reason.isEmpty() && unreadable)
        unreadable->append(QStringLiteral("client/%1.csv を読めません：%2").arg(draw, reason));
    return lines;
}

} // namespace

QVector<bool> duplicateRows(const QVector<QStringList> &slateRows, const QString &programFolder,
                            QStringList *unreadable)
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
                saved.insert(draw, savedLines(draw, programFolder, unreadable));
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
                        const QString &programFolder, QStringList *unreadable)
{
    if (!duplicateRows(slateRows, programFolder, unreadable).value(row, false))
        return QString();
    return QStringLiteral("同じ組合せが既にあります（%1口目）。").arg(row + 1);
}
