#include "core/tickets/WinningCheck.h"

#include <QHash>
#include <algorithm>

QString prizeText(int tier)
{
    switch (tier) {
    case 1:
        return QStringLiteral("１等が当選しました。");
    case 2:
        return QStringLiteral("２等が当選しました。");
    case 3:
        return QStringLiteral("３等が当選しました。");
    case 4:
        return QStringLiteral("４等が当選しました。");
    case 5:
        return QStringLiteral("５等が当選しました。");
    default:
        return QString();
    }
}

QVector<CheckResult> checkTickets(const PastDraws &history, const QVector<TicketLine> &lines,
                                  const QVector<int> &order)
{
    // Lines by draw number, in line order, so each draw finds its lines at once.
    QHash<int, QVector<int>> linesByDraw;
    for (int r = 0; r < lines.size(); ++r) {
        if (lines.at(r).draw != kNoDraw)
            linesByDraw[lines.at(r).draw].append(r);
    }

    QVector<CheckResult> results;
    QVector<const PastDraw *> walked;
    walked.reserve(history.draws().size());
    if (order.isEmpty()) {
        for (const PastDraw &draw : history.draws())
            walked.append(&draw);
    } else {
        for (int number : order)
            if (const PastDraw *draw = history.find(number))
                walked.append(draw);
    }
    for (const PastDraw *walkedDraw : std::as_const(walked)) {
        const PastDraw &draw = *walkedDraw;
        const auto found = linesByDraw.constFind(draw.number);
        if (found == linesByDraw.constEnd())
            continue;
        for (int r : found.value()) {
            const TicketLine &line = lines.at(r);
            if (line.line) {
                const int tier = prizeTier(line.line->numbers(), draw);
                results.append({r, prizeText(tier), true, tier, draw.date});
            } else {
                results.append({r, kInvalidLineText, false, 0, draw.date});
            }
        }
    }
    // A line that names no draw at all (a memo) is invalid too; only the line of six commas,
    // which a cancel leaves, is no line.
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList &cells = lines.at(r).cells;
        const bool blank = std::all_of(cells.begin(), cells.end(), [](const QString &cell) {
            return cell.trimmed().isEmpty();
        });
        if (lines.at(r).draw == kNoDraw && !blank)
            results.append({r, kInvalidLineText, false, 0, QString()});
    }
    return results;
}
