#include "core/tickets/TicketLine.h"

#include "core/tickets/CommaText.h"

TicketLine readTicketLine(const QString &text)
{
    TicketLine line;
    line.text = text;
    // One cell more than a line has: a filled one is a field too many.
    QStringList fields = readCommaText(text, kTicketColumns + 1);
    const bool tooMany = !fields.last().isEmpty();
    fields.removeLast();
    line.draw = readDrawNumber(fields.first()).value_or(kNoDraw);
    if (!tooMany)
        line.line = LotoLine::fromFields(fields);
    line.cells = std::move(fields);
    return line;
}

QString shownLineNumbers(const QStringList &cells)
{
    QString text;
    for (const QString &cell : cells.mid(1)) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += cell.left(kShownLineLength + 1); // no more than can be shown
        if (text.size() > kShownLineLength)
            return text.left(kShownLineLength - 1) + QStringLiteral("…");
    }
    return text;
}
