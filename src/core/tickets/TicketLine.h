#pragma once

#include "core/tickets/LotoLine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// One line of a ticket file as every reader takes it: a valid line is a LotoLine (the draw
// number and exactly six numbers by the rule of a line, seven fields by the comma-text rule).
// Anything else is not a valid line ("無効"): it is listed and shown, and never wins.
struct TicketLine {
    QString text;      // the line as the file holds it
    QStringList cells; // its first seven fields by the comma-text rule, as shown
    // The draw it belongs to, its first field by readDrawNumber: kNoDraw when that is no plain
    // number, or 0 (the line of six commas, a memo), kMaxDrawNumber + 1 beyond the last draw.
    int draw = kNoDraw;
    std::optional<LotoLine> line; // the line, when it is a valid one
    bool valid() const { return line.has_value(); }
};
TicketLine readTicketLine(const QString &text);

// The line left in a file when its last line is cancelled. It belongs to no draw.
inline const QByteArray kEmptyTicketLine = QByteArrayLiteral(",,,,,,\r\n");

// The numbers of a listed line (its cells after the draw) as a question names them, "03 11 19
// 24 38 42": joined by spaces and cut to kShownLineLength characters, a cut marked by "…", so
// that a line of any length fits in a message.
inline constexpr int kShownLineLength = 40;
QString shownLineNumbers(const QStringList &cells);
