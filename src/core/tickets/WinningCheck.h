#pragma once

#include "core/results/PastDraws.h"
#include "core/tickets/TicketLine.h"

#include <QString>
#include <QVector>

// The prize tier of a ticket line against the draw it names. Lines and draws compare by their
// numbers: "7" in a line is the draw's "07".

// "１等が当選しました。" .. "５等が当選しました。" for tiers 1..5, empty text for 0 (below three
// hits).
QString prizeText(int tier);

// The result of a line that is not a valid line.
inline const QString kInvalidLineText = QStringLiteral("無効");

// One line that found its draw: the line's index, its result text, and whether it was a valid
// line (an invalid one gets kInvalidLineText and no tier).
struct CheckResult {
    int ticketRow;
    QString text;
    bool valid = true;
    int tier = 0; // 1..5 for a winning line
    QString date; // of the line's draw, "YYYY/MM/DD"; empty for a line that names no draw
};

// Checks ticket lines against the draws of the history. The draws are walked in the order of
// `order` (draw numbers, as the history list shows them; newest first when empty) and, within
// one draw, the lines in line order; a line whose draw number names no draw of the history is
// left out. Then come the lines that name no draw (a memo), each invalid, in line order; the
// line of six commas is left out.
QVector<CheckResult> checkTickets(const PastDraws &history, const QVector<TicketLine> &lines,
                                  const QVector<int> &order = {});
