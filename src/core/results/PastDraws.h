#pragma once

#include "core/common/NumberSet.h"
#include "core/results/ResultsFiles.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

// The draw history in numbers, for the analyses that walk all of it: each draw's main numbers
// as a set of bits, its bonus, and the amount one line was paid at each tier.

struct PastDraw {
    int number = 0; // draw number
    QString date;   // "YYYY/MM/DD"
    NumberSet main = 0;
    int bonus = 0;
    // Yen paid per line at tiers 1..5. 0 where nobody won the tier, and where the prize data
    // has no line for the draw.
    std::array<std::int64_t, kPrizeTiers> amount{};
};

// Tier 1..5 of a line against a draw, 0 below three hits.
int prizeTier(NumberSet line, const PastDraw &draw);

class PastDraws
{
public:
    PastDraws() = default;
    // The draws of the history (in any order) with the amounts of the prize lines (the lines
    // of Loto6Data.csv). Throws DomainError naming the line of a malformed prize line.
    PastDraws(const QVector<DrawRecord> &history, const QStringList &prizeLines);
    // The draws and prizes of both results files as read.
    explicit PastDraws(const ResultsData &results);

    // Newest first, by draw number.
    const QVector<PastDraw> &draws() const { return m_draws; }
    // The draw of that number, or nullptr.
    const PastDraw *find(int number) const;

private:
    void fill(const QVector<DrawRecord> &history, const QVector<PrizeAmounts> &prizes);

    QVector<PastDraw> m_draws;
    QHash<int, int> m_index;
};
