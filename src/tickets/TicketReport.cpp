#include "TicketReport.h"

#include "TicketFile.h"
#include "app/ComType.h"

#include <QDir>
#include <algorithm>
#include <functional>
#include <map>

namespace
{

// The six numbers of a ticket row as written by the program: two digits each, 01..43, all
// different. Nothing else counts as a line.
bool readNumbers(const QStringList &cells, NumberSet *line)
{
    *line = 0;
    for (int k = 1; k <= kPicksPerLine; ++k) {
        const QString cell = cells.value(k);
        const auto digit = [&cell](int i) { return cell.at(i) >= u'0' && cell.at(i) <= u'9'; };
        if (cell.size() != 2 || !digit(0) || !digit(1))
            return false;
        const int n = cell.toInt();
        if (n < kLotoMin || n > kLotoMax || (*line & numberBit(n)))
            return false;
        *line |= numberBit(n);
    }
    return true;
}

// "2038.csv": a draw number without leading zeros, and ".csv".
bool isTicketFileName(const QString &name)
{
    if (!name.endsWith(QLatin1String(".csv")))
        return false;
    const QString number = name.chopped(4);
    return isPlainDrawNumber(number) && !number.startsWith(QLatin1Char('0'));
}

bool isBlankRow(const QStringList &cells)
{
    return std::all_of(cells.begin(), cells.end(),
                       [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

} // namespace

std::int64_t ReportDraw::spend() const
{
    return std::int64_t(lines) * kLinePriceYen;
}

double TicketReport::returnRate() const
{
    return spend > 0 ? 100.0 * double(winnings) / double(spend) : 0.0;
}

TicketReport buildTicketReport(const QString &clientFolder, const PastDraws &history)
{
    TicketReport report;
    std::map<int, ReportDraw, std::greater<int>> byDraw;
    const QDir folder(clientFolder);
    const QStringList files = folder.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QString &name : files) {
        if (!isTicketFileName(name)) {
            ++report.skippedFiles;
            continue;
        }
        for (const QStringList &cells : readAllTicketLines(folder.filePath(name))) {
            if (isBlankRow(cells))
                continue;
            NumberSet line = 0;
            const QString drawText = cells.value(0);
            if (!isPlainDrawNumber(drawText) || drawText.size() > 9 || !readNumbers(cells, &line)) {
                ++report.invalidLines;
                continue;
            }
            ReportDraw &entry = byDraw[drawText.toInt()];
            const PastDraw *draw = history.find(drawText.toInt());
            if (entry.lines == 0) {
                entry.draw = drawText.toInt();
                entry.drawn = draw != nullptr;
                entry.date = draw ? draw->date : QString();
            }
            ++entry.lines;
            if (!draw)
                continue;
            const int tier = prizeTier(line, *draw);
            if (tier == 0)
                continue;
            ++entry.wins[static_cast<size_t>(tier - 1)];
            const std::int64_t amount = draw->amount[static_cast<size_t>(tier - 1)];
            if (amount > 0)
                entry.winnings += amount;
            else
                ++entry.unpaidWins;
        }
    }
    for (const auto &item : byDraw) {
        const ReportDraw &entry = item.second;
        report.draws.append(entry);
        if (!entry.drawn) {
            report.pendingLines += entry.lines;
            continue;
        }
        report.lines += entry.lines;
        report.spend += entry.spend();
        report.winnings += entry.winnings;
        report.unpaidWins += entry.unpaidWins;
    }
    return report;
}
