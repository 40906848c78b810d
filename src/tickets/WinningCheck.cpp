#include "WinningCheck.h"

#include <QHash>
#include <array>

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

bool isValidLine(const QStringList &lineNumbers)
{
    if (lineNumbers.size() != kPicksPerLine)
        return false;
    std::array<bool, kLotoCount + 1> seen{};
    for (const QString &text : lineNumbers) {
        if (text.isEmpty() || text.size() > 2)
            return false;
        int n = 0;
        for (const QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            n = n * 10 + (c.unicode() - '0');
        }
        if (n < kLotoMin || n > kLotoMax || seen[static_cast<size_t>(n)])
            return false;
        seen[static_cast<size_t>(n)] = true;
    }
    return true;
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
            if (isValidLine(numbers))
                results.append({r, prizeText(countHits(draw, numbers))});
            else
                results.append({r, kInvalidLineText, false});
        }
    }
    return results;
}
