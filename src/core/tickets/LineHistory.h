#pragma once

#include "core/results/PastDraws.h"

#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

// What one line would have won had it been played in every draw of the history.

// Reads six numbers separated by blanks or commas (full-width digits, blanks and commas too),
// a line by the rule of every line (lineNumbers). Throws DomainError naming the fault.
NumberSet parseLineText(const QString &text);

struct TierTally {
    int wins = 0;
    std::int64_t amount = 0; // the paid amounts of those wins
    int unpaidWins = 0;      // wins in draws where nobody won the tier (amount 0)
    QVector<int> draws;      // draw numbers of the wins, newest first (tiers 1..3 only)
};

struct LineHistoryResult {
    int drawsChecked = 0;
    std::array<TierTally, kPrizeTiers> tiers; // 1等..5等

    std::int64_t spend() const;    // 200 yen a draw
    std::int64_t winnings() const; // the paid amounts of all tiers
    int unpaidWins() const;
    // Winnings as a percentage of the spend; 0 without draws.
    double returnRate() const;
};

LineHistoryResult checkLineHistory(NumberSet line, const PastDraws &history);
