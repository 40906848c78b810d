#include "PrizeClaims.h"

#include "core/common/Formats.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"

#include <QMap>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace
{

constexpr int kWarningDays = 30;

QString claimedFilePath(const QString &clientFolder)
{
    return clientFolder + kClaimedFileName;
}

// One line of claimed.csv, or nothing when it is not one.
std::optional<ClaimedLine> parseClaimedLine(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() != 2 + kPicksPerLine)
        return std::nullopt;
    const int draw = drawNumberOf(fields.first());
    const NumberSet numbers = numberSetOf(fields.mid(1, kPicksPerLine));
    const std::optional<QDate> ticked = parseDate(fields.last());
    if (draw == 0 || numbers == 0 || !ticked)
        return std::nullopt;
    return ClaimedLine{draw, numbers, *ticked};
}

} // namespace

QString tierName(int tier)
{
    return QChar(u'０' + tier) + QStringLiteral("等");
}

QDate claimDeadline(const QDate &drawDate)
{
    const QDate yearBegins = drawDate.addDays(1);
    return yearBegins.addYears(1).addDays(-1);
}

QVector<PrizeClaim> prizeClaims(const QVector<SavedLine> &saved, const PastDraws &history,
                                const QDate &today)
{
    QVector<PrizeClaim> claims;
    for (const SavedLine &line : saved) {
        const PastDraw *draw = history.find(line.draw);
        const int tier = draw ? prizeTier(line.numbers, *draw) : 0;
        if (tier == 0)
            continue;
        PrizeClaim claim;
        claim.draw = line.draw;
        claim.date = draw->date;
        claim.numbers = line.numbers;
        claim.tier = tier;
        claim.amount = draw->amount[static_cast<size_t>(tier - 1)];
        claim.deadline = claimDeadline(parseDate(draw->date).value_or(QDate()));
        claim.daysLeft = static_cast<int>(today.daysTo(claim.deadline));
        claims.append(claim);
    }
    std::stable_sort(claims.begin(), claims.end(),
                     [](const PrizeClaim &a, const PrizeClaim &b) { return a.draw > b.draw; });
    return claims;
}

QVector<PrizeClaim> readPrizeClaims(const QString &clientFolder, const PastDraws &history,
                                    const QDate &today)
{
    QVector<PrizeClaim> claims = prizeClaims(readSavedLines(clientFolder), history, today);
    // Each claimed line marks one prize of its draw and numbers, the first not yet marked.
    for (const ClaimedLine &mark : readClaimedLines(clientFolder)) {
        const auto prize = std::find_if(claims.begin(), claims.end(), [&mark](const PrizeClaim &c) {
            return !c.claimed && c.draw == mark.draw && c.numbers == mark.numbers;
        });
        if (prize == claims.end())
            continue;
        prize->claimed = true;
        prize->claimedOn = mark.ticked;
    }
    return claims;
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
        if (claim.claimed || claim.expired() || claim.daysLeft > kWarningDays)
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
    QVector<ClaimedLine> lines;
    for (const QString &text :
         readTextLines(claimedFilePath(clientFolder), TextRules::TicketFile)) {
        if (const std::optional<ClaimedLine> line = parseClaimedLine(text))
            lines.append(*line);
    }
    return lines;
}

void writeClaimedLines(const QString &clientFolder, const QVector<ClaimedLine> &lines)
{
    QByteArray content;
    for (const ClaimedLine &line : lines) {
        const QStringList fields = QStringList{QString::number(line.draw)} +
                                   lineNumberTexts(line.numbers) +
                                   QStringList{formatDate(line.ticked)};
        content += fields.join(QLatin1Char(',')).toLatin1() + "\r\n";
    }
    writeWholeFile(claimedFilePath(clientFolder), content,
                   QStringLiteral("client/") + kClaimedFileName);
}

void setClaimed(const QString &clientFolder, const PrizeClaim &claim, bool claimed,
                const QDate &today)
{
    QVector<ClaimedLine> lines = readClaimedLines(clientFolder);
    const auto sameLine = [&claim](const ClaimedLine &line) {
        return line.draw == claim.draw && line.numbers == claim.numbers;
    };
    if (claimed) {
        lines.append({claim.draw, claim.numbers, today});
    } else {
        const auto last = std::find_if(lines.rbegin(), lines.rend(), sameLine);
        if (last == lines.rend())
            return;
        lines.erase(std::next(last).base());
    }
    writeClaimedLines(clientFolder, lines);
}

QStringList drawNews(const QVector<SavedLine> &saved, const PastDraws &history,
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
    for (const SavedLine &line : saved) {
        const auto tally = tallies.find(line.draw);
        if (tally == tallies.end())
            continue;
        ++tally->lines;
        const int tier = prizeTier(line.numbers, *history.find(line.draw));
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

QStringList readDrawNews(const QString &programFolder, const QVector<DrawRecord> &history,
                         const QVector<int> &draws, const QDate &today)
{
    return drawNews(readSavedLines(programFolder + QStringLiteral("client/")),
                    PastDraws(history, readPrizeLines(programFolder)), draws, today);
}

QString readClaimWarningText(const QString &programFolder, const QVector<DrawRecord> &history,
                             const QDate &today)
{
    return claimWarningText(
        claimWarning(readPrizeClaims(programFolder + QStringLiteral("client/"),
                                     PastDraws(history, readPrizeLines(programFolder)), today)));
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
