#include "core/tickets/TicketReport.h"

#include "core/common/ComType.h"
#include "core/common/FileNames.h"
#include "core/tickets/PrizeClaims.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketFile.h"

#include <QDir>
#include <QFileInfo>
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
    const QDir folder(clientFolder);
    const QStringList files = folder.entryList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name);
    for (const QString &name : files) {
        if (name.compare(kClaimedFileName, kFileNameCase) == 0) // the program's own, no stray
            continue;
        if (!isTicketFileName(name)) {
            if (QFileInfo(folder.filePath(name)).isFile())
                ++report.skippedFiles;
            continue;
        }
        QString reason;
        const QVector<TicketLine> tickets = readAllTicketLines(folder.filePath(name), &reason);
        if (!reason.isEmpty())
            report.unreadable.append(unreadableFileText(name, reason));
        for (const TicketLine &ticket : tickets) {
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
