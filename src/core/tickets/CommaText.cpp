#include "core/tickets/CommaText.h"

namespace
{

constexpr ushort kQuote = '"';
constexpr ushort kComma = ',';

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool needsQuotes(const QString &cell)
{
    for (const QChar c : cell) {
        if (c.unicode() <= 32 || c.unicode() == kQuote || c.unicode() == kComma)
            return true;
    }
    return false;
}

} // namespace

QString writeCommaText(const QStringList &cells)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString &cell : cells) {
        if (needsQuotes(cell)) {
            QString quoted = cell;
            quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
            written.append(QLatin1Char('"') + quoted + QLatin1Char('"'));
        } else {
            written.append(cell);
        }
    }
    return written.join(QLatin1Char(','));
}

QStringList readCommaText(const QString &line, int columns)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells.append(QString());

    // The line ends at its first NUL, as a text of the file formats always did.
    const qsizetype nul = line.indexOf(QChar(0));
    const QStringView text = QStringView(line).left(nul < 0 ? line.size() : nul);
    const qsizetype end = text.size();

    qsizetype p = 0;
    int filled = 0;
    while (p < end && isBlank(text[p]))
        ++p;
    while (p < end) {
        QString field;
        if (text[p].unicode() == kQuote) {
            ++p;
            while (p < end) {
                if (text[p].unicode() == kQuote) {
                    if (p + 1 < end && text[p + 1].unicode() == kQuote) {
                        field.append(QLatin1Char('"'));
                        p += 2;
                        continue;
                    }
                    ++p; // the closing quote
                    break;
                }
                field.append(text[p]);
                ++p;
            }
        } else {
            const qsizetype start = p;
            while (p < end && text[p].unicode() > 32 && text[p].unicode() != kComma)
                ++p;
            field = text.mid(start, p - start).toString();
        }
        if (filled < columns)
            cells[filled] = field.isEmpty() ? QStringLiteral(" ") : field;
        ++filled;

        while (p < end && isBlank(text[p]))
            ++p;
        if (p < end && text[p].unicode() == kComma) {
            ++p;
            while (p < end && isBlank(text[p]))
                ++p;
        }
    }
    return cells;
}
