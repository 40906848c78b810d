#include "PastDraws.h"

#include "Formats.h"
#include "TextLines.h"
#include "app/DomainError.h"

#include <algorithm>
#include <bitset>
#include <cmath>

namespace
{

int numberOf(const QString &text)
{
    return parseInteger(text).value_or(0);
}

// Draw number and the five amounts per line of one prize line (twelve fields).
std::pair<int, std::array<std::int64_t, kPrizeTiers>> parseAmounts(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() != kPrizeFields)
        throw DomainError(QStringLiteral("項目の数が %1 個ではありません").arg(kPrizeFields));
    const auto draw = parseInteger(fields.at(0));
    if (!draw)
        throw DomainError(notAnIntegerMessage(fields.at(0)));
    std::array<std::int64_t, kPrizeTiers> amount{};
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const QString &text = fields.at(1 + 2 * tier);
        const auto value = parseDecimal(text);
        if (!value)
            throw DomainError(notADecimalMessage(text));
        amount[static_cast<size_t>(tier)] = std::llround(std::max(0.0, *value));
    }
    return {*draw, amount};
}

} // namespace

int prizeTier(NumberSet line, const PastDraw &draw)
{
    const auto hits = std::bitset<64>(line & draw.main).count();
    switch (hits) {
    case 6:
        return 1;
    case 5:
        return (line & numberBit(draw.bonus)) ? 2 : 3;
    case 4:
        return 4;
    case 3:
        return 5;
    default:
        return 0;
    }
}

PastDraws::PastDraws(const QVector<DrawRecord> &history, const QStringList &prizeLines)
{
    QHash<int, std::array<std::int64_t, kPrizeTiers>> amounts;
    for (int i = 0; i < prizeLines.size(); ++i) {
        try {
            const auto [draw, amount] = parseAmounts(prizeLines.at(i));
            amounts.insert(draw, amount);
        } catch (const DomainError &e) {
            throw DomainError(QStringLiteral("%1 の %2 行目を読み込めません：%3。")
                                  .arg(kDataFileName)
                                  .arg(i + 1)
                                  .arg(e.message()));
        }
    }

    m_draws.reserve(history.size());
    for (const DrawRecord &record : history) {
        PastDraw draw;
        draw.number = numberOf(record.caption);
        draw.date = record.date;
        for (const QString &text : record.main) {
            const int n = numberOf(text);
            if (n >= kLotoMin && n <= kLotoMax)
                draw.main |= numberBit(n);
        }
        const int bonus = numberOf(record.bonus);
        draw.bonus = bonus >= kLotoMin && bonus <= kLotoMax ? bonus : 0;
        draw.amount = amounts.value(draw.number);
        m_draws.append(draw);
    }
    std::stable_sort(m_draws.begin(), m_draws.end(),
                     [](const PastDraw &a, const PastDraw &b) { return a.number > b.number; });
    for (int i = 0; i < m_draws.size(); ++i)
        m_index.insert(m_draws.at(i).number, i);
}

const PastDraw *PastDraws::find(int number) const
{
    const auto it = m_index.constFind(number);
    return it == m_index.constEnd() ? nullptr : &m_draws.at(*it);
}

QStringList readPrizeLines(const QString &programFolder)
{
    return readTextLines(programFolder + kDownloadFolder + kDataFileName);
}
