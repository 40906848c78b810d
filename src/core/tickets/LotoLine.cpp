#include "core/tickets/LotoLine.h"

#include "core/common/ComType.h"
#include "core/tickets/CommaText.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketFile.h"

#include <bitset>

namespace
{

// Bits 1..43: the numbers a line can hold.
const NumberSet kAllNumbers = (numberBit(kLotoMax) << 1) - numberBit(kLotoMin);

} // namespace

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
    const QString draw = drawNumberKey(fields.first());
    const std::optional<NumberSet> numbers = lineNumbers(fields.mid(1));
    if (draw.isEmpty() || draw.size() > kMaxDrawDigits || !numbers)
        return std::nullopt;
    return of(draw.toInt(), *numbers);
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
