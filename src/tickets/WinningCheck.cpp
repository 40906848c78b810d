#include "WinningCheck.h"

#include <QHash>

Hits countHits(const DrawRecord &draw, const QStringList &lineNumbers)
{
    Hits hits;
    for (const QString &number : lineNumbers) {
        for (const QString &drawn : draw.main)
            if (number == drawn)
                ++hits.main;
        if (number == draw.bonus)
            ++hits.bonus;
    }
    return hits;
}

QString prizeText(const Hits &hits)
{
    if (hits.main >= 6)
        return QStringLiteral("１等が当選しました。");
    if (hits.main == 5)
        return hits.bonus > 0 ? QStringLiteral("２等が当選しました。")
                              : QStringLiteral("３等が当選しました。");
    if (hits.main == 4)
        return QStringLiteral("４等が当選しました。");
    if (hits.main == 3)
        return QStringLiteral("５等が当選しました。");
    return QString();
}

QVector<CheckResult> checkTickets(const QVector<DrawRecord> &history,
                                  const QVector<QStringList> &ticketRows)
{
    // Ticket rows by draw number, in ticket order, so each history row finds its lines at once.
    QHash<QString, QVector<int>> rowsByDraw;
    for (int r = 0; r < ticketRows.size(); ++r)
        rowsByDraw[ticketRows.at(r).value(0).trimmed()].append(r);

    QVector<CheckResult> results;
    for (const DrawRecord &draw : history) {
        const auto found = rowsByDraw.constFind(draw.caption.trimmed());
        if (found == rowsByDraw.constEnd())
            continue;
        for (int r : found.value()) {
            const QStringList numbers = ticketRows.at(r).mid(1, kPicksPerLine);
            results.append({r, prizeText(countHits(draw, numbers))});
        }
    }
    return results;
}
