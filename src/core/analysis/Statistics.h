#pragma once

#include "core/analysis/RandomnessTest.h"
#include "core/results/PastDraws.h"

#include <QVector>
#include <array>

// The statistics players look for in the history — how long since each number was drawn,
// numbers repeated from the draw before, neighbouring numbers, odd and even, the sum, the last
// digits, pairs and the weekday — each beside its exact value under fair draws (every line of
// six different numbers of 1..43 equally likely, draws independent), with a test where one
// applies.

// Categories 0..n-1 of one statistic: how many draws (or numbers) fell into each, the exact
// probability of each and the expected counts, tested over cells pooled to an expectation of 5.
struct Distribution {
    QVector<int> observed;
    QVector<double> probability;
    QVector<double> expected;
    QVector<PooledCell> cells; // labelled by category index
    ChiSquareTest test;
    double adjustedP = 1; // Holm's adjustment over the tests of the report
};

// How long one number has been away, counted in draws.
struct NumberGap {
    int appearances = 0;
    // Draws since it was last drawn: 0 when it is in the newest draw; all the draws counted when
    // it is in none of them.
    int current = 0;
    int longest = 0;  // the longest gap between two draws holding it (0 below two)
    double mean = 0;  // the mean of those gaps (0 below two)
    double tailP = 1; // P(current gap or longer) under fair draws: (37/43)^current
};

// Whether the longest current gap is unusual among 43 numbers: p is the exact probability
// that some number is missing from that many fair draws.
struct GapTest {
    int longest = 0; // 0 when there are no draws
    double p = 1;
    double adjustedP = 1;
};

struct PairCount {
    int first = 0, second = 0; // first < second
    int count = 0;
};

// The most and the least frequent of the 903 pairs, each list in its order (ties by number).
struct PairCounts {
    QVector<PairCount> most, least;
    double expected = 0; // D * 15 / 903 for every pair
};

// Each number's appearances on Monday and on Thursday draws, against the same share of its
// appearances as the weekday has of the draws; tested for independence.
struct WeekdayCounts {
    int mondayDraws = 0, thursdayDraws = 0, otherDraws = 0; // other days are left out
    std::array<int, kLotoCount> monday{}, thursday{};
    std::array<double, kLotoCount> expectedMonday{}, expectedThursday{};
    // Neighbouring numbers pooled until each group expects at least 5 on either day (by the
    // expectations above); observed and expected: Monday. The test has groups - 1 degrees of
    // freedom.
    QVector<PooledCell> groups;
    ChiSquareTest test;
    double adjustedP = 1;
};

struct StatisticsReport {
    int draws = 0;
    std::array<NumberGap, kLotoCount> gaps{};
    GapTest gapTest;
    Distribution repeats;     // k = 0..6 numbers of the draw before, over the D - 1 draws after one
    Distribution consecutive; // k = 0..5 pairs of neighbouring numbers (e.g. 12-13) in a draw
    Distribution oddEven;     // k = 0..6 odd numbers in a draw
    Distribution sums;        // sums in 21-30, 31-40, ..., 241-250
    Distribution lastDigits;  // last digit 0..9, over the 6D numbers drawn
    PairCounts pairs;
    WeekdayCounts weekdays;
};

constexpr int kSumBinFirst = 21; // the smallest sum, 1 + 2 + ... + 6
constexpr int kSumBinWidth = 10;
constexpr int kSumBins = 23; // up to 250, above the largest sum 38 + 39 + ... + 43 = 243
constexpr int kPairsListed = 20;

// The mean gap of a number under fair draws: 43/6 draws.
constexpr double kExpectedMeanGap = double(kLotoCount) / kPicksPerLine;

// P(k of a draw's numbers were in the draw before) = C(6, k) C(37, 6 - k) / C(43, 6).
double repeatProbability(int k);
// P(a line holds k pairs of neighbouring numbers) = C(5, k) C(38, 6 - k) / C(43, 6): the six
// numbers form 6 - k runs; choosing them is choosing which of the five joins are pairs and a
// line of 6 - k numbers among 38 without neighbours.
double consecutiveProbability(int k);
// P(k odd numbers) = C(22, k) C(21, 6 - k) / C(43, 6).
double oddProbability(int k);
// [s]: P(the six numbers of a line add up to s), s = 0..258, counted over all C(43, 6) lines.
QVector<double> sumProbabilities();
// How many of 1..43 end in the digit: 5 for 1, 2, 3, else 4.
int numbersEndingIn(int digit);
// P(some number is missing from g fair draws) = 1 - P(all 43 numbers drawn in g draws), the
// latter by following the count of different numbers drawn from draw to draw.
double someNumberMissingProbability(int g);

// The statistics of the first `draws` draws of the list, newest first (all of them when
// draws < 0 or too many).
StatisticsReport computeStatistics(const QVector<PastDraw> &history, int draws = -1);
