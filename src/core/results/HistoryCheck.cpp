#include "core/results/HistoryCheck.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"
#include "core/results/DrawCalendar.h"
#include "core/results/ResultsReplace.h"

#include <QDateTime>
#include <algorithm>

namespace
{

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
    if (!std::is_sorted(main.begin(), main.end())) {
        QStringList shown;
        for (const int n : main)
            shown << QString::number(n);
        return QStringLiteral("%1：本数字 %2 が小さい順に並んでいません。")
            .arg(drawName(number), shown.join(QLatin1Char(',')));
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

// The tier of an index into the figures (0 for 1等).
QString tierOf(size_t index)
{
    return tierName(int(index) + 1);
}

// A figure of a fetched prize line: plain digits up to max.
std::optional<QString> figureFault(const QString &text, const QString &name, qint64 max)
{
    bool digits = !text.isEmpty() && text.size() <= 18;
    for (const QChar c : text)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits)
        return QStringLiteral("%1 '%2' は 0 以上の整数ではありません").arg(name, text);
    if (text.toLongLong() > max)
        return QStringLiteral("%1 %2 が上限の %3 を超えています")
            .arg(name, formatGrouped(text.toDouble()), formatGrouped(double(max)));
    return std::nullopt;
}

// The figures of a fetched prize line into draw (date and numbers left as they are).
std::optional<QString> readFigures(const QString &line, DrawFigures *draw)
{
    const QStringList fields = line.split(QLatin1Char(','));
    for (size_t tier = 0; tier < draw->amounts.size(); ++tier) {
        const QString amount = fields.value(int(1 + 2 * tier));
        const QString winners = fields.value(int(2 + 2 * tier));
        if (auto fault =
                figureFault(amount, tierOf(tier) + QStringLiteral("の金額"), kMaxEntryAmountYen))
            return fault;
        if (auto fault =
                figureFault(winners, tierOf(tier) + QStringLiteral("の口数"), kMaxEntryWinners))
            return fault;
        draw->amounts[tier] = amount.toLongLong();
        draw->winners[tier] = winners.toLongLong();
    }
    const QString carryOver = fields.value(kPrizeFields - 1);
    if (auto fault =
            figureFault(carryOver, QStringLiteral("キャリーオーバー"), kMaxEntryCarryOverYen))
        return fault;
    draw->carryOver = carryOver.toLongLong();
    return std::nullopt;
}

} // namespace

std::optional<QString> invalidDrawFault(const QVector<DrawRecord> &draws)
{
    for (const DrawRecord &draw : draws) {
        if (auto fault = invalidDraw(draw, draw.number))
            return fault;
    }
    return std::nullopt;
}

std::optional<QString> implausibleFigures(const DrawFigures &draw)
{
    if (!isDrawDay(draw.date))
        return QStringLiteral("日付 %1 は%2曜日で、抽選日（月曜と木曜、12/31～1/3 を除く）では"
                              "ありません")
            .arg(formatDate(draw.date))
            .arg(QStringLiteral("月火水木金土日").at(draw.date.dayOfWeek() - 1));
    const qint64 lowest = draw.amounts.back();
    for (size_t tier = 0; tier < draw.amounts.size(); ++tier) {
        const qint64 amount = draw.amounts[tier];
        const qint64 winners = draw.winners[tier];
        if (amount == 0 && winners > 0)
            return QStringLiteral("%1の当選口数が %2 口なのに金額が ¥0 です")
                .arg(tierOf(tier))
                .arg(winners);
        if (amount > 0 && winners == 0)
            return QStringLiteral("%1の当選口数が 0 口なのに金額が %2 です")
                .arg(tierOf(tier), formatYen(double(amount)));
        if (amount > 0 && amount < lowest)
            return QStringLiteral("%1の金額 %2 が%3の %4 より少ないです")
                .arg(tierOf(tier), formatYen(double(amount)), tierOf(draw.amounts.size() - 1),
                     formatYen(double(lowest)));
    }
    return std::nullopt;
}

std::optional<QString> fetchedFiguresFault(const QStringList &numberLines,
                                           const QStringList &prizeLines)
{
    QVector<DrawRecord> draws;
    for (const QString &line : numberLines)
        draws.append(parseDrawLine(line));
    return fetchedFiguresFault(draws, prizeLines);
}

std::optional<QString> fetchedFiguresFault(const QVector<DrawRecord> &draws,
                                           const QStringList &prizeLines)
{
    for (qsizetype i = 0; i < draws.size() && i < prizeLines.size(); ++i) {
        const DrawRecord &record = draws.at(i);
        DrawFigures figures;
        figures.date = parseDate(record.date).value_or(QDate());
        auto fault = readFigures(prizeLines.at(i), &figures);
        if (!fault)
            fault = implausibleFigures(figures);
        if (fault)
            return QStringLiteral("%1：%2。").arg(drawName(record.number), *fault);
    }
    return std::nullopt;
}

std::optional<QString> fetchedHistoryFault(const QVector<DrawRecord> &fetched,
                                           const QVector<DrawRecord> &local,
                                           const QSet<int> &typedDraws, const QDate &today)
{
    // Oldest first, the draws must be numbered 1, 2, 3, ...: draw n is fetched[size - n].
    QDate before;
    for (int expected = 1; expected <= fetched.size(); ++expected) {
        const DrawRecord &draw = fetched.at(fetched.size() - expected);
        const int number = draw.number;
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

    // A typed draw is no bound: the official one may come before the feed reaches the next.
    int localNewest = 0;
    for (const DrawRecord &draw : local) {
        if (!typedDraws.contains(draw.number))
            localNewest = std::max(localNewest, draw.number);
    }
    const int fetchedNewest = static_cast<int>(fetched.size());
    if (localNewest > fetchedNewest)
        return QStringLiteral("取得した抽選結果（第%1回まで）はお使いの抽選結果（第%2回まで）より"
                              "古いため、使いません。")
            .arg(fetchedNewest)
            .arg(localNewest);
    for (auto draw = local.crbegin(); draw != local.crend(); ++draw) {
        const int number = draw->number;
        if (typedDraws.contains(number) || invalidDraw(*draw, number))
            continue;
        if (number < 1 || !sameDraw(*draw, fetched.at(fetchedNewest - number)))
            return QStringLiteral("%1がお使いの履歴と異なります。").arg(drawName(number));
    }
    return std::nullopt;
}

ResultsData checkFetchedPair(const QByteArray &numberBody, const QByteArray &prizeBody,
                             const QVector<DrawRecord> &local, const QSet<int> &typedDraws,
                             const QDate &today)
{
    const QStringList prizeLines = splitTextLines(prizeBody);
    ResultsData fetched;
    if (parseResults(splitTextLines(numberBody), prizeLines, &fetched) != ResultsStatus::Loaded)
        checkResultsBodies(numberBody, prizeBody); // names the file without data
    if (const auto fault = fetchedHistoryFault(fetched.draws, local, typedDraws, today))
        throw DomainError(*fault);
    if (const QString mismatch = pairMismatch(fetched); !mismatch.isEmpty())
        throw DomainError(mismatch);
    if (const auto fault = fetchedFiguresFault(fetched.draws, prizeLines))
        throw DomainError(*fault);
    return fetched;
}
