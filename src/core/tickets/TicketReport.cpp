#include "core/tickets/TicketReport.h"

#include "core/common/ComType.h"
#include "core/tickets/TicketFile.h"

#include <algorithm>
#include <functional>
#include <map>

namespace
{

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
    const ClientLines read = readClientLines(clientFolder);
    report.skippedFiles = read.skippedFiles;
    report.unreadable = read.unreadable;
    for (const TicketLine &ticket : read.lines) {
        if (isBlankRow(ticket.cells))
            continue;
        if (!ticket.line) {
            ++report.invalidLines;
            continue;
        }
        const int number = ticket.line->draw();
        ReportDraw &entry = byDraw[number];
        const PastDraw *draw = history.find(number);
        if (entry.lines == 0) {
            entry.draw = number;
            entry.drawn = draw != nullptr;
            entry.date = draw ? draw->date : QString();
        }
        ++entry.lines;
        if (!draw)
            continue;
        const int tier = prizeTier(ticket.line->numbers(), *draw);
        if (tier == 0)
            continue;
        ++entry.wins[static_cast<size_t>(tier - 1)];
        const std::int64_t amount = draw->amount[static_cast<size_t>(tier - 1)];
        if (amount > 0)
            entry.winnings += amount;
        else
            ++entry.unpaidWins;
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
