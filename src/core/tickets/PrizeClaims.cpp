#include "PrizeClaims.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/Formats.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/tickets/TicketFile.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace
{

QString claimedFilePath(const QString &clientFolder)
{
    return clientFolder + kClaimedFileName;
}

// A mark of claimed.csv with its line end: "2039,05,11,19,24,38,42,2026/12/14\r\n".
QByteArray claimedLineText(const LotoLine &line, const QDate &ticked)
{
    return (line.text() + QLatin1Char(',') + formatDate(ticked)).toLatin1() + "\r\n";
}

// One line of claimed.csv, or nothing when it is not one.
std::optional<ClaimedLine> parseClaimedLine(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() != kTicketColumns + 1)
        return std::nullopt;
    const std::optional<LotoLine> claimed = LotoLine::fromFields(fields.mid(0, kTicketColumns));
    const std::optional<QDate> ticked = parseDate(fields.last());
    if (!claimed || !ticked)
        return std::nullopt;
    return ClaimedLine{*claimed, *ticked};
}

} // namespace

QDate claimDeadline(const QDate &drawDate)
{
    // A year counted from a day ends the day before that day's date a year later; a year
    // begun on 29 February finds no such date and ends with the last day of February.
    const QDate yearBegins = drawDate.addDays(1);
    if (yearBegins.month() == 2 && yearBegins.day() == 29)
        return QDate(yearBegins.year() + 1, 2, 28);
    return yearBegins.addYears(1).addDays(-1);
}

QVector<PrizeClaim> prizeClaims(const QVector<LotoLine> &saved, const PastDraws &history,
                                const QDate &today)
{
    QVector<PrizeClaim> claims;
    for (const LotoLine &line : saved) {
        const PastDraw *draw = history.find(line.draw());
        const int tier = draw ? prizeTier(line.numbers(), *draw) : 0;
        if (tier == 0)
            continue;
        PrizeClaim claim;
        claim.line = line;
        claim.date = draw->date;
        claim.tier = tier;
        claim.amount = draw->amount[static_cast<size_t>(tier - 1)];
        claim.deadline = claimDeadline(parseDate(draw->date).value_or(QDate()));
        claim.daysLeft = static_cast<int>(today.daysTo(claim.deadline));
        claims.append(claim);
    }
    std::stable_sort(claims.begin(), claims.end(), [](const PrizeClaim &a, const PrizeClaim &b) {
        return a.line.draw() > b.line.draw();
    });
    return claims;
}

namespace
{

// Each claimed line marks one prize of its draw and numbers, the first not yet marked.
void markClaimed(QVector<PrizeClaim> &claims, const QVector<ClaimedLine> &marks)
{
    for (const ClaimedLine &mark : marks) {
        const auto prize = std::find_if(claims.begin(), claims.end(), [&mark](const PrizeClaim &c) {
            return !c.claimed && c.line == mark.line;
        });
        if (prize == claims.end())
            continue;
        prize->claimed = true;
        prize->claimedOn = mark.ticked;
    }
}

QVector<ClaimedLine> claimedLinesOf(const QByteArray &data)
{
    QVector<ClaimedLine> lines;
    for (const QString &text : splitTextLines(data, TextRules::TicketFile)) {
        if (const std::optional<ClaimedLine> line = parseClaimedLine(text))
            lines.append(*line);
    }
    return lines;
}

} // namespace

QVector<PrizeClaim> readPrizeClaims(const QString &clientFolder, const PastDraws &history,
                                    const QDate &today)
{
    QVector<PrizeClaim> claims = prizeClaims(readSavedLines(clientFolder), history, today);
    markClaimed(claims, readClaimedLines(clientFolder));
    return claims;
}

PrizeClaimsReading readPrizeClaimsNamingFailures(const QString &clientFolder,
                                                 const PastDraws &history, const QDate &today,
                                                 int fromDraw)
{
    PrizeClaimsReading reading;
    reading.claims =
        prizeClaims(readSavedLines(clientFolder, &reading.unreadable, fromDraw), history, today);
    QString reason;
    const QByteArray marks = readClientFile(claimedFilePath(clientFolder), &reason);
    if (!reason.isEmpty()) {
        reading.marksRead = false;
        reading.unreadable.append(unreadableFileText(kClaimedFileName, reason));
        return reading;
    }
    markClaimed(reading.claims, claimedLinesOf(marks));
    return reading;
}

std::int64_t unclaimedTotal(const QVector<PrizeClaim> &claims)
{
    std::int64_t total = 0;
    for (const PrizeClaim &claim : claims) {
        if (!claim.claimed && !claim.expired())
            total += claim.amount;
    }
    return total;
}

QString daysLeftText(int daysLeft)
{
    if (daysLeft < 0)
        return QStringLiteral("期限切れ");
    if (daysLeft == 0)
        return QStringLiteral("本日まで");
    return QStringLiteral("あと %1 日").arg(daysLeft);
}

ClaimWarning claimWarning(const QVector<PrizeClaim> &claims)
{
    ClaimWarning warning;
    for (const PrizeClaim &claim : claims) {
        if (claim.claimed || claim.expired() || !claim.nearDeadline())
            continue;
        warning.fewestDaysLeft =
            warning.count == 0 ? claim.daysLeft : std::min(warning.fewestDaysLeft, claim.daysLeft);
        ++warning.count;
    }
    return warning;
}

QString claimWarningText(const ClaimWarning &warning)
{
    if (warning.count == 0)
        return QString();
    return QStringLiteral("受取期限の近い当選があります（%1件、最短 %2）。")
        .arg(warning.count)
        .arg(daysLeftText(warning.fewestDaysLeft));
}

QVector<ClaimedLine> readClaimedLines(const QString &clientFolder)
{
    return claimedLinesOf(readClientFile(claimedFilePath(clientFolder)));
}

void setClaimed(const QString &clientFolder, const QVector<PrizeClaim> &claims, int index,
                bool claimed, const QDate &today)
{
    const PrizeClaim &claim = claims.at(index);
    if (claim.claimed == claimed)
        return;
    int wanted = claimed ? 1 : 0; // marks of the line once changed: one per claimed prize
    for (int i = 0; i < claims.size(); ++i) {
        if (i != index && claims.at(i).claimed && claims.at(i).line == claim.line)
            ++wanted;
    }

    const QString path = claimedFilePath(clientFolder);
    const QString shown = kClientFolder + kClaimedFileName;
    QByteArray data = readClientFile(path);
    QVector<TextLineSpan> marks;
    for (const TextLineSpan &span : splitTextLineSpans(data, TextRules::TicketFile)) {
        const std::optional<ClaimedLine> line = parseClaimedLine(span.text);
        if (line && line->line == claim.line)
            marks.append(span);
    }
    // Surplus marks go from the last; missing ones are added at the end, in front of a Ctrl+Z
    // that ended the file. Every other byte stays.
    while (marks.size() > wanted) {
        const TextLineSpan gone = marks.takeLast();
        data = data.left(gone.start) + data.mid(gone.end);
    }
    if (marks.size() < wanted) {
        qsizetype end = data.size();
        while (end > 0 && data.at(end - 1) == '\x1a')
            --end;
        QByteArray added;
        if (end > 0 && data.at(end - 1) != '\n' && data.at(end - 1) != '\r')
            added += "\r\n";
        for (qsizetype n = marks.size(); n < wanted; ++n)
            added += claimedLineText(claim.line, today);
        data.insert(end, added);
    }
    writeWholeFile(path, data, shown);
}

QStringList drawNews(const QVector<LotoLine> &saved, const PastDraws &history,
                     const QVector<int> &draws, const QDate &today)
{
    // Per draw: its lines, and the wins at each tier.
    struct Tally {
        int lines = 0;
        std::array<int, kPrizeTiers> wins{};
    };
    QMap<int, Tally> tallies;
    for (const int draw : draws) {
        if (history.find(draw))
            tallies.insert(draw, Tally());
    }
    for (const LotoLine &line : saved) {
        const auto tally = tallies.find(line.draw());
        if (tally == tallies.end())
            continue;
        ++tally->lines;
        const int tier = prizeTier(line.numbers(), *history.find(line.draw()));
        if (tier > 0)
            ++tally->wins[static_cast<size_t>(tier - 1)];
    }

    QStringList news;
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) {
        const Tally &tally = it.value();
        if (tally.lines == 0)
            continue;
        const PastDraw &draw = *history.find(it.key());
        QStringList tiers;
        for (int tier = 1; tier <= kPrizeTiers; ++tier) {
            const int wins = tally.wins[static_cast<size_t>(tier - 1)];
            const std::int64_t amount = draw.amount[static_cast<size_t>(tier - 1)];
            if (wins > 0)
                tiers.append(QStringLiteral("%1 %2口 %3")
                                 .arg(tierName(tier))
                                 .arg(wins)
                                 .arg(amount > 0 ? formatYen(double(amount * wins))
                                                 : QStringLiteral("金額未定")));
        }
        const QString head = QStringLiteral("第%1回：").arg(it.key());
        if (tiers.isEmpty()) {
            news.append(head + QStringLiteral("当選はありませんでした（%1口）").arg(tally.lines));
            continue;
        }
        const QDate deadline = claimDeadline(parseDate(draw.date).value_or(QDate()));
        const int daysLeft = int(today.daysTo(deadline));
        const QString state =
            daysLeft <= 0 ? QStringLiteral("、") + daysLeftText(daysLeft) : QString();
        news.append(head + tiers.join(QStringLiteral("、")) +
                    QStringLiteral("（支払期限 %1%2）").arg(formatDate(deadline), state));
    }
    return news;
}

QString readClaimWarningText(const QString &programFolder, const PastDraws &history,
                             const QDate &today)
{
    // The oldest draw whose prizes can still be claimed: older files need not be read.
    int fromDraw = 0;
    for (const PastDraw &draw : history.draws()) {
        const std::optional<QDate> date = parseDate(draw.date);
        if (date && claimDeadline(*date) >= today && (fromDraw == 0 || draw.number < fromDraw))
            fromDraw = draw.number;
    }
    if (fromDraw == 0)
        return QString(); // no draw whose prizes are still open
    const PrizeClaimsReading reading =
        readPrizeClaimsNamingFailures(programFolder + kClientFolder, history, today, fromDraw);
    QStringList texts = reading.unreadable;
    const QString warning = claimWarningText(claimWarning(reading.claims));
    if (!warning.isEmpty())
        texts.prepend(warning);
    return texts.join(QStringLiteral("　"));
}

QString checkDeadlineText(const QVector<CheckResult> &results, const QDate &today)
{
    QDate open, passed;
    for (const CheckResult &result : results) {
        if (result.tier == 0)
            continue;
        const QDate deadline = claimDeadline(parseDate(result.date).value_or(QDate()));
        if (!deadline.isValid())
            continue;
        if (deadline >= today) {
            if (!open.isValid() || deadline < open)
                open = deadline;
        } else if (!passed.isValid() || deadline > passed) {
            passed = deadline;
        }
    }
    if (open.isValid())
        return QStringLiteral("支払期限：%1 まで").arg(formatDate(open));
    if (passed.isValid())
        return QStringLiteral("支払期限（%1）を過ぎています。").arg(formatDate(passed));
    return QString();
}
