#pragma once

#include "core/common/ComType.h"
#include "core/results/PastDraws.h"

#include <QVector>
#include <array>

// Whether the draws look random: how often each number came up against its expectation, and
// how often each number was the k-th smallest of its draw, each with a chi-squared test.

// Regularised upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), for a > 0, x >= 0.
double upperGammaQ(double a, double x);

// Upper tail of the chi-squared distribution: P(X >= x) for df degrees of freedom.
double chiSquareTail(double x, int df);

// The binomial coefficient C(n, k) as a double; 0 when k is not in 0..n.
double binomial(int n, int k);

// Probability that n is the k-th smallest (k = 1..6) of six different numbers drawn from 43:
// C(n - 1, k - 1) C(43 - n, 6 - k) / C(43, 6).
double kthSmallestProbability(int n, int k);

// Holm's step-down adjustment of p-values read together: the i-th smallest of m is multiplied
// by (m - i + 1), kept at least as large as the one before it and at most 1. The result is in
// the order of the input. A verdict on an adjusted p below 0.05 keeps the chance of any false
// alarm among all the tests below 5 %.
QVector<double> holmAdjusted(const QVector<double> &p);

struct ChiSquareTest {
    double statistic = 0;
    int degreesOfFreedom = 0; // 0 when there is too little to test
    double p = 1;
};

struct NumberCount {
    int observed = 0;
    double expected = 0;     // 6D / 43
    double standardised = 0; // (c - E) / sqrt(D (6/43) (37/43))
};

// Neighbouring cells taken together so that their expectation reaches 5.
struct PooledCell {
    int first = 0, last = 0; // cells first..last, by their labels (the numbers, counts, ...)
    int observed = 0;
    double expected = 0;
};

// Joins neighbouring cells, from the first onwards, until each expects at least 5; a short
// remainder at the end joins the cell before it. Cell i is labelled firstLabel + i.
QVector<PooledCell> pooledCells(const QVector<int> &observed, const QVector<double> &expected,
                                int firstLabel);

// Pearson's sum over the cells times scale, compared with chi-squared on cells - 1 degrees of
// freedom (none, and p = 1, below two cells). The scale corrects counts that vary less than
// independent picks would: 42/37 for counts over the six different numbers of each draw.
ChiSquareTest pearsonTest(const QVector<PooledCell> &cells, double scale = 1.0);

struct PositionCounts {
    std::array<int, kLotoCount> observed{};
    std::array<double, kLotoCount> expected{}; // D P(n, k)
    QVector<PooledCell> cells;
    ChiSquareTest test; // Pearson over the pooled cells, cells - 1 degrees of freedom
};

struct RandomnessReport {
    int draws = 0;
    std::array<NumberCount, kLotoCount> numbers{};
    // The Pearson sum scaled by 42/37: a draw takes six different numbers, so the counts vary
    // less than under independent picks. Compared with chi-squared on 42 degrees of freedom.
    ChiSquareTest counts;
    std::array<PositionCounts, kPicksPerLine> positions{}; // ① smallest .. ⑥ largest
};

// Tests the first `draws` draws of the list (all of them when draws < 0 or too many).
RandomnessReport testRandomness(const QVector<PastDraw> &history, int draws = -1);
