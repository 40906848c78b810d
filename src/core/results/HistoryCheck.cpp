#include "core/results/HistoryCheck.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"

#include <QDateTime>
#include <algorithm>

namespace
{

int drawNumber(const DrawRecord &draw)
{
    return parseInteger(draw.caption).value_or(0);
}

QString drawName(int number)
{
    return QStringLiteral("第%1回").arg(number);
}

// Six different numbers of 1..43, a bonus of 1..43 that is none of them, a valid date.
std::optional<QString> invalidDraw(const DrawRecord &draw, int number)
{
    std::array<int, kPicksPerLine> main{};
    for (size_t i = 0; i < main.size(); ++i) {
        const int n = parseInteger(draw.main[i]).value_or(0);
        if (n < kLotoMin || n > kLotoMax)
            return QStringLiteral("%1：本数字 %2 が 1～43 の範囲にありません。")
                .arg(drawName(number), draw.main[i]);
        main[i] = n;
    }
    for (size_t i = 0; i < main.size(); ++i) {
        const auto times = std::count(main.begin(), main.end(), main[i]);
        if (times > 1)
            return QStringLiteral("%1：本数字 %2 が %3 回あります。")
                .arg(drawName(number))
                .arg(main[i])
                .arg(times);
    }
    const int bonus = parseInteger(draw.bonus).value_or(0);
    if (bonus < kLotoMin || bonus > kLotoMax)
        return QStringLiteral("%1：ボーナス数字 %2 が 1～43 の範囲にありません。")
            .arg(drawName(number), draw.bonus);
    if (std::find(main.begin(), main.end(), bonus) != main.end())
        return QStringLiteral("%1：ボーナス数字 %2 が本数字と同じです。")
            .arg(drawName(number))
            .arg(bonus);
    if (!parseDate(draw.date))
        return QStringLiteral("%1：日付 %2 が正しくありません。").arg(drawName(number), draw.date);
    return std::nullopt;
}

bool sameDraw(const DrawRecord &a, const DrawRecord &b)
{
    return a.date == b.date && a.main == b.main && a.bonus == b.bonus;
}

} // namespace

QDate japanToday()
{
    return QDateTime::currentDateTimeUtc().addSecs(9 * 3600).date();
}

std::optional<QString> fetchedHistoryFault(const QVector<DrawRecord> &fetched,
                                           const QVector<DrawRecord> &local,
                                           const QSet<int> &typedDraws, const QDate &today)
{
    // Oldest first, the draws must be numbered 1, 2, 3, ...: draw n is fetched[size - n].
    QDate before;
    for (int expected = 1; expected <= fetched.size(); ++expected) {
        const DrawRecord &draw = fetched.at(fetched.size() - expected);
        const int number = drawNumber(draw);
        if (number > expected)
            return QStringLiteral("%1がありません。").arg(drawName(expected));
        if (number == expected - 1)
            return QStringLiteral("%1が 2 回あります。").arg(drawName(number));
        if (number != expected)
            return QStringLiteral("%1が%2の後に並んでいます。")
                .arg(drawName(number), drawName(expected - 1));
        if (auto fault = invalidDraw(draw, number))
            return fault;
        const QDate date = *parseDate(draw.date);
        if (date <= before)
            return QStringLiteral("%1：日付 %2 が%3の %4 より後ではありません。")
                .arg(drawName(number), draw.date, drawName(number - 1), formatDate(before));
        if (date > today)
            return QStringLiteral("%1：日付 %2 が今日（%3）より後です。")
                .arg(drawName(number), draw.date, formatDate(today));
        before = date;
    }

    int localNewest = 0;
    for (const DrawRecord &draw : local)
        localNewest = std::max(localNewest, drawNumber(draw));
    const int fetchedNewest = static_cast<int>(fetched.size());
    if (localNewest > fetchedNewest)
        return QStringLiteral("取得した抽選結果（第%1回まで）はお使いの抽選結果（第%2回まで）より"
                              "古いため、使いません。")
            .arg(fetchedNewest)
            .arg(localNewest);
    for (auto draw = local.crbegin(); draw != local.crend(); ++draw) {
        const int number = drawNumber(*draw);
        if (typedDraws.contains(number))
            continue;
        if (number < 1 || !sameDraw(*draw, fetched.at(fetchedNewest - number)))
            return QStringLiteral("%1がお使いの履歴と異なります。").arg(drawName(number));
    }
    return std::nullopt;
}

void checkFetchedHistory(const QString &downloadFolder, const QByteArray &numberBody,
                         const QSet<int> &typedDraws, const QDate &today)
{
    QVector<DrawRecord> fetched;
    for (const QString &line : splitTextLines(numberBody))
        fetched.append(parseDrawLine(line));
    QVector<DrawRecord> local;
    try {
        for (const QString &line : readTextLines(downloadFolder + kNumberFileName))
            local.append(parseDrawLine(line));
    } catch (const DomainError &) {
        local.clear();
    }
    if (const auto fault = fetchedHistoryFault(fetched, local, typedDraws, today))
        throw DomainError(*fault);
}
