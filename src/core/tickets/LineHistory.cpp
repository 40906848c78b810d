#include "core/tickets/LineHistory.h"

#include "core/common/ComType.h"
#include "core/common/DomainError.h"
#include "core/tickets/TicketFile.h"

#include <QRegularExpression>

NumberSet parseLineText(const QString &text)
{
    // NFKC turns full-width digits, commas and blanks into their ASCII forms.
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    static const QRegularExpression separators(QStringLiteral("[\\s,、]+"));
    const QStringList fields = plain.split(separators, Qt::SkipEmptyParts);
    if (const std::optional<NumberSet> line = lineNumbers(fields))
        return *line;

    // Not a line: say why.
    NumberSet line = 0;
    for (const QString &field : fields) {
        const std::optional<int> number = readDrawNumber(field);
        if (!number)
            throw DomainError(QStringLiteral("「%1」は数字ではありません。").arg(field));
        const int n = *number;
        if (n < kLotoMin || n > kLotoMax)
            throw DomainError(QStringLiteral("「%1」は１～４３の範囲にありません。").arg(field));
        if (line & numberBit(n))
            throw DomainError(QStringLiteral("「%1」が２回入力されています。").arg(n));
        line |= numberBit(n);
    }
    throw DomainError(
        QStringLiteral("数字が%1個です。異なる６個の数字を入力してください。").arg(fields.size()));
}

std::int64_t LineHistoryResult::spend() const
{
    return std::int64_t(drawsChecked) * kLinePriceYen;
}

std::int64_t LineHistoryResult::winnings() const
{
    std::int64_t sum = 0;
    for (const TierTally &tier : tiers)
        sum += tier.amount;
    return sum;
}

int LineHistoryResult::unpaidWins() const
{
    int sum = 0;
    for (const TierTally &tier : tiers)
        sum += tier.unpaidWins;
    return sum;
}

double LineHistoryResult::returnRate() const
{
    return spend() > 0 ? 100.0 * double(winnings()) / double(spend()) : 0.0;
}

LineHistoryResult checkLineHistory(NumberSet line, const PastDraws &history)
{
    LineHistoryResult result;
    result.drawsChecked = static_cast<int>(history.draws().size());
    for (const PastDraw &draw : history.draws()) {
        const int tier = prizeTier(line, draw);
        if (tier == 0)
            continue;
        TierTally &tally = result.tiers[static_cast<size_t>(tier - 1)];
        ++tally.wins;
        const std::int64_t amount = draw.amount[static_cast<size_t>(tier - 1)];
        if (amount > 0)
            tally.amount += amount;
        else
            ++tally.unpaidWins;
        if (tier <= 3)
            tally.draws.append(draw.number);
    }
    return result;
}
