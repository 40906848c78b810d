#pragma once

#include "core/common/NumberSet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The rule of a line, which every reader of lines follows (the check, the list, the report, the
// repeated lines of the slate, a line typed in), and the line itself.

// The fields of a line in a ticket file: the draw number, then the six numbers.
inline constexpr int kTicketColumns = 7;

// The largest draw number a line can name: nine digits. A longer number names no draw the
// history can hold, and is no line.
inline constexpr int kMaxDrawDigits = 9;
inline constexpr int kMaxDrawNumber = 999'999'999;

// What a line's first field holds when it names no draw: the line of six commas, a memo, or a
// number that is no draw number ("0").
inline constexpr int kNoDraw = 0;

// The one reader of draw-number text, which every reader of a draw number and of the numbers of a
// line calls. Plain decimal text is ASCII digits only, at least one, with no blank, sign or any
// other character; it is read as a number, leading zeros and all, so "0700" and "700" name one
// draw and "07" and "7" one number. A number of more than kMaxDrawDigits digits reads as
// kMaxDrawNumber + 1, which names no draw the history can hold, but is not kNoDraw either.
// Nothing when the text is not plain decimal text.
std::optional<int> readDrawNumber(const QString &text);

// The numbers of a line are exactly six fields, each plain decimal digits read as a number ("7"
// and "07" are one number), all different and each of 1..43. Their set, or nothing when the
// fields are anything else.
std::optional<NumberSet> lineNumbers(const QStringList &fields);

// The six numbers of a line as two-digit texts, ascending: {"01", "05", ...}.
QStringList lineNumberTexts(NumberSet numbers);

// One line of Loto 6 as the player decided it: the draw it is for and its six numbers. Made only
// through the functions below, so that a line that exists is a valid one: a draw number of
// 1..kMaxDrawNumber and six different numbers of 1..43. A default-made line is no line
// (isNull()), as an empty slot. The slate holds its lines as these, a save writes them, and the
// check, the list, the report and the claims read them from the ticket files.
class LotoLine
{
public:
    LotoLine() = default;

    // The line of that draw with those numbers; nothing when either breaks the rule above.
    static std::optional<LotoLine> of(int draw, NumberSet numbers);
    // The line of seven fields, the draw number and the six numbers, as a ticket file holds
    // them: each plain decimal digits read as a number, so "0700" is draw 700 and "7" the
    // number 7 (see readDrawNumber and lineNumbers); nothing when they are anything else.
    static std::optional<LotoLine> fromFields(const QStringList &fields);
    // The line of a ticket file's line "700,03,11,19,24,38,42" by the comma-text rule: exactly
    // seven fields as fromFields reads them.
    static std::optional<LotoLine> fromText(const QString &text);

    bool isNull() const { return m_draw == 0; }
    int draw() const { return m_draw; }
    NumberSet numbers() const { return m_numbers; }
    // The same numbers for another draw; nothing when that is no draw number.
    std::optional<LotoLine> forDraw(int draw) const { return of(draw, m_numbers); }

    // The six numbers as two-digit texts, ascending: {"03", "11", ...}.
    QStringList numberTexts() const;
    // The draw number, then the six numbers: the cells of a grid row.
    QStringList cells() const;
    // The line as a ticket file holds it, without a line end: "700,03,11,19,24,38,42".
    QString text() const;

    bool operator==(const LotoLine &other) const
    {
        return m_draw == other.m_draw && m_numbers == other.m_numbers;
    }
    bool operator!=(const LotoLine &other) const { return !(*this == other); }

private:
    LotoLine(int draw, NumberSet numbers) : m_draw(draw), m_numbers(numbers) {}

    int m_draw = 0;
    NumberSet m_numbers = 0;
};

// The lines as a save appends them to a file: each line's text followed by CR LF, in order.
QByteArray ticketLinesText(const QVector<LotoLine> &lines);
