#include "core/tickets/LotoLine.h"

#include "core/common/ComType.h"
#include "core/common/Formats.h"
#include "core/tickets/CommaText.h"

#include <bitset>

namespace
{

// Bits 1..43: the numbers a line can hold.
const NumberSet kAllNumbers = (numberBit(kLotoMax) << 1) - numberBit(kLotoMin);
// A number of a line has at most two digits once its leading zeros are gone.
constexpr int kMaxNumberDigits = 2;

} // namespace

bool isPlainDrawNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString drawNumberKey(const QString &text)
{
    if (!isPlainDrawNumber(text))
        return QString();
    qsizetype zeros = 0;
    while (zeros < text.size() && text.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return text.mid(zeros);
}

int drawNumberOf(const QString &field)
{
    const QString key = drawNumberKey(field);
    return key.size() <= kMaxDrawDigits ? key.toInt() : 0;
}

std::optional<NumberSet> lineNumbers(const QStringList &fields)
{
    if (fields.size() != kPicksPerLine)
        return std::nullopt;
    NumberSet line = 0;
    for (const QString &field : fields) {
        const QString key = drawNumberKey(field);
        const int n = key.size() <= kMaxNumberDigits ? key.toInt() : 0;
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
