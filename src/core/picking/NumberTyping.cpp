#include "core/picking/NumberTyping.h"

#include "core/common/ComType.h"

namespace
{

bool isLottoNumber(int n)
{
    return n >= kLotoMin && n <= kLotoMax;
}

// Whether a second digit can still make a number of the board out of this first one.
bool canBeginTwoDigits(int digit)
{
    return digit * 10 <= kLotoMax;
}

} // namespace

QVector<int> NumberTyping::typeDigit(int digit)
{
    QVector<int> numbers;
    if (m_pending) {
        const int both = *m_pending * 10 + digit;
        if (isLottoNumber(both)) {
            m_pending.reset();
            return {both};
        }
        if (const std::optional<int> first = finish())
            numbers.append(*first);
    }
    if (canBeginTwoDigits(digit))
        m_pending = digit;
    else
        numbers.append(digit);
    return numbers;
}

std::optional<int> NumberTyping::finish()
{
    const std::optional<int> pending = m_pending;
    m_pending.reset();
    if (pending && isLottoNumber(*pending))
        return pending;
    return std::nullopt;
}
