#pragma once

#include "results/ResultsFiles.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The prize tier of a ticket line against the draw it names.

// Number of the line's six numbers (two-digit text) among the draw's main numbers, and whether
// the draw's bonus number is among them. Numbers compare as text: "5" never matches "05".
struct Hits {
    int main = 0;
    int bonus = 0;
};
Hits countHits(const DrawRecord &draw, const QStringList &lineNumbers);

// "１等が当選しました。" .. "５等が当選しました。", or empty text below three hits.
QString prizeText(const Hits &hits);

// Whether the six cells are six different numbers of 1..43, each written with one or two
// decimal digits. Only such a line can win: repeated numbers, 00, 44, letters or a missing number
// make a line that was never a valid application.
bool isValidLine(const QStringList &lineNumbers);

// The result of a line that is not a valid line.
inline const QString kInvalidLineText = QStringLiteral("無効");

// One line that found its draw: the ticket row, its result text, and whether it was a valid
// line (an invalid one gets kInvalidLineText and no tier).
struct CheckResult {
    int ticketRow;
    QString text;
    bool valid = true;
};

// Checks ticket rows (draw number, six numbers, ...) against the history rows. The rows are
// walked in history display order and, within one draw, in ticket order; a row whose draw
// number (blanks trimmed on both sides) names no history row is left out.
QVector<CheckResult> checkTickets(const QVector<DrawRecord> &history,
                                  const QVector<QStringList> &ticketRows);
