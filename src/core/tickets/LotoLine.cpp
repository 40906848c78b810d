#include "core/tickets/LotoLine.h"

#include "core/common/ComType.h"
#include "core/common/Formats.h"
#include "core/tickets/CommaText.h"

#include <algorithm>
#include <bitset>

namespace
{

// Bits 1..43: the numbers a line can hold.
const NumberSet kAllNumbers = (numberBit(kLotoMax) << 1) - numberBit(kLotoMin);

} // namespace

std::optional<int> readDrawNumber(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 number = 0; // held at kMaxDrawNumber + 1 once past it
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        number = std::min<qint64>(number * 10 + (c.unicode() - '0'), kMaxDrawNumber + 1);
    }
    return int(number);
}

std::optional<NumberSet> lineNumbers(const QStringList &fields)
{
    if (fields.size() != kPicksPerLine)
        return std::nullopt;
    NumberSet line = 0;
    for (const QString &field : fields) {
        const int n = readDrawNumber(field).value_or(0);
        if (n < kLotoMin || n > kLotoMax || (line & numberBit(n)))
            return std::nullopt;
        line |= numberBit(n);
    }
    return line;
}

QStringList lineNumberTexts(NumberSet numbers)
{
    QStringList texts;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        if (numbers & numberBit(n))
            texts.append(twoDigits(n));
    }
    return texts;
}
std::optional<LotoLine> LotoLine::of(int draw, NumberSet numbers)
{
    const bool sixNumbers =
        (numbers & ~kAllNumbers) == 0 && std::bitset<64>(numbers).count() == kPicksPerLine;
    if (draw < 1 || draw > kMaxDrawNumber || !sixNumbers)
        return std::nullopt;
    return LotoLine(draw, numbers);
}

std::optional<LotoLine> LotoLine::fromFields(const QStringList &fields)
{
    if (fields.size() != 1 + kPicksPerLine)
        return std::nullopt;
    const std::optional<NumberSet> numbers = lineNumbers(fields.mid(1));
    if (!numbers)
        return std::nullopt;
    // of() refuses kNoDraw and a number beyond the last draw.
    return of(readDrawNumber(fields.first()).value_or(kNoDraw), *numbers);
}

std::optional<LotoLine> LotoLine::fromText(const QString &text)
{
    // One cell more than a line has: a filled one is a field too many.
    QStringList fields = readCommaText(text, kTicketColumns + 1);
    if (!fields.takeLast().isEmpty())
        return std::nullopt;
    return fromFields(fields);
}

QStringList LotoLine::numberTexts() const
{
    return lineNumberTexts(m_numbers);
}

QStringList LotoLine::cells() const
{
    if (isNull())
        return QStringList();
    return QStringList{QString::number(m_draw)} + numberTexts();
}

QString LotoLine::text() const
{
    return writeCommaText(cells());
}

QByteArray ticketLinesText(const QVector<LotoLine> &lines)
{
    QByteArray text;
    for (const LotoLine &line : lines)
        text += line.text().toLatin1() + "\r\n";
    return text;
}
