#pragma once

#include "core/common/ComType.h"
#include "core/results/ResultsFiles.h"

#include <QStringList>
#include <QVector>
#include <array>

// The counts behind the trend charts. Kinds 0..5 count how often each number stood among the
// six main numbers of the first rows of the history (in the order the list shows them): the
// first 10, 20, 30, 40, 50 rows, or all of them. Kinds 6..11 give, for one position ①..⑥,
// how many draws had each number there. The bonus number never counts.

constexpr int kTrendKinds = 12;
constexpr int kFirstPositionKind = 6; // kinds 6..11: positions ①..⑥

using TrendValues = std::array<int32_t, kLotoCount>; // [n - 1]: the value of number n

// The item texts of the chart kind selector, in kind order.
QStringList trendKindTexts();

// True for the kinds drawn as bars (0..5), false for the per-position kinds (6..11).
inline bool isAppearanceKind(int kind)
{
    return kind >= 0 && kind < kFirstPositionKind;
}

// The number of history rows a kind counts: 10, 20, 30, 40, 50 for kinds 0..4, every row for
// kind 5, and never more than the history holds.
int trendDrawCount(int kind, int historyRows);

// Appearances of each number among the main numbers of the first drawCount rows. A main
// number that is not a number from 1 to 43 throws DomainError.
TrendValues countAppearances(const QVector<DrawRecord> &rows, int drawCount);

// The 43 values of a chart kind (0..11).
TrendValues trendValues(int kind, const QVector<DrawRecord> &rows, const BaseCountTable &counts);
