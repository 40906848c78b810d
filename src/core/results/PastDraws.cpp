#include "core/results/PastDraws.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"

#include <algorithm>
#include <bitset>

namespace
{

int numberOf(const QString &text)
{
    return parseInteger(text).value_or(0);
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
    fill(history, parsePrizeAmountLines(prizeLines));
}

PastDraws::PastDraws(const ResultsData &results)
{
    fill(results.draws, results.amounts);
}

void PastDraws::fill(const QVector<DrawRecord> &history, const QVector<PrizeAmounts> &prizes)
{
    QHash<int, std::array<std::int64_t, kPrizeTiers>> amounts;
    for (const PrizeAmounts &prize : prizes)
        amounts.insert(prize.draw, prize.amount);

    m_draws.reserve(history.size());
    for (const DrawRecord &record : history) {
        PastDraw draw;
        draw.number = record.number;
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
