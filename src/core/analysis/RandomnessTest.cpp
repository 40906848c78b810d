#include "core/analysis/RandomnessTest.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace
{

constexpr int kMaxIterations = 1000;
constexpr double kEpsilon = 1e-15;
constexpr double kTiny = std::numeric_limits<double>::min() / kEpsilon;

// P(a, x) by its series, for x < a + 1.
double lowerSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int i = 1; i <= kMaxIterations; ++i) {
        term *= x / (a + i);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon)
            break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) by its continued fraction (modified Lentz), for x >= a + 1.
double upperFraction(double a, double x)
{
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i <= kMaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny)
            d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny)
            c = kTiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon)
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

} // namespace

double binomial(int n, int k)
{
    if (k < 0 || k > n)
        return 0.0;
    double value = 1.0;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

namespace
{

constexpr double kMinExpected = 5.0;

} // namespace

ChiSquareTest pearsonTest(const QVector<PooledCell> &cells, double scale)
{
    ChiSquareTest test;
    if (cells.size() < 2)
        return test;
    for (const PooledCell &cell : cells) {
        const double diff = cell.observed - cell.expected;
        test.statistic += diff * diff / cell.expected;
    }
    test.statistic *= scale;
    test.degreesOfFreedom = static_cast<int>(cells.size()) - 1;
    test.p = chiSquareTail(test.statistic, test.degreesOfFreedom);
    return test;
}

QVector<PooledCell> pooledCells(const QVector<int> &observed, const QVector<double> &expected,
                                int firstLabel)
{
    QVector<PooledCell> cells;
    PooledCell open;
    open.first = firstLabel;
    for (int i = 0; i < observed.size(); ++i) {
        open.last = firstLabel + i;
        open.observed += observed.at(i);
        open.expected += expected.at(i);
        if (open.expected >= kMinExpected) {
            cells.append(open);
            open = PooledCell();
            open.first = firstLabel + i + 1;
        }
    }
    if (open.first <= firstLabel + int(observed.size()) - 1) {
        if (cells.isEmpty()) {
            cells.append(open);
        } else {
            PooledCell &last = cells.last();
            last.last = open.last;
            last.observed += open.observed;
            last.expected += open.expected;
        }
    }
    return cells;
}

double upperGammaQ(double a, double x)
{
    if (x <= 0.0)
        return 1.0;
    if (x < a + 1.0)
        return 1.0 - lowerSeries(a, x);
    return upperFraction(a, x);
}

QVector<double> holmAdjusted(const QVector<double> &p)
{
    const int m = int(p.size());
    QVector<int> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&p](int a, int b) { return p[a] < p[b]; });
    QVector<double> adjusted(m);
    double running = 0;
    for (int i = 0; i < m; ++i) {
        running = std::max(running, std::min(1.0, p[order[i]] * (m - i)));
        adjusted[order[i]] = running;
    }
    return adjusted;
}

double chiSquareTail(double x, int df)
{
    return upperGammaQ(df / 2.0, x / 2.0);
}

double kthSmallestProbability(int n, int k)
{
    return binomial(n - 1, k - 1) * binomial(kLotoCount - n, kPicksPerLine - k) /
           binomial(kLotoCount, kPicksPerLine);
}

RandomnessReport testRandomness(const QVector<PastDraw> &history, int draws)
{
    RandomnessReport report;
    report.draws = draws < 0 || draws > history.size() ? static_cast<int>(history.size()) : draws;
    const double d = report.draws;

    for (int i = 0; i < report.draws; ++i) {
        const NumberSet main = history.at(i).main;
        int k = 0;
        for (int n = kLotoMin; n <= kLotoMax; ++n) {
            if (!(main & numberBit(n)))
                continue;
            ++report.numbers[static_cast<size_t>(n - 1)].observed;
            if (k < kPicksPerLine)
                ++report.positions[static_cast<size_t>(k++)].observed[static_cast<size_t>(n - 1)];
        }
    }

    const double share = double(kPicksPerLine) / kLotoCount; // 6/43
    const double expected = d * share;
    const double spread = std::sqrt(d * share * (1.0 - share));
    double sum = 0;
    for (NumberCount &count : report.numbers) {
        count.expected = expected;
        const double diff = count.observed - expected;
        count.standardised = spread > 0 ? diff / spread : 0.0;
        if (expected > 0)
            sum += diff * diff / expected;
    }
    if (report.draws > 0) {
        // Each count varies by D p (1 - p) around E = D p (p = 6/43), so the Pearson sum
        // averages 43 (1 - p) = 37; and as the 43 counts always add up to 6D they leave 42
        // degrees of freedom. Scaled by 42/37 the sum follows chi-squared on 42 of them.
        report.counts.statistic = sum * (kLotoCount - 1) / (kLotoCount - kPicksPerLine);
        report.counts.degreesOfFreedom = kLotoCount - 1;
        report.counts.p = chiSquareTail(report.counts.statistic, report.counts.degreesOfFreedom);
    }

    for (int k = 0; k < kPicksPerLine; ++k) {
        PositionCounts &position = report.positions[static_cast<size_t>(k)];
        for (int n = kLotoMin; n <= kLotoMax; ++n)
            position.expected[static_cast<size_t>(n - 1)] = d * kthSmallestProbability(n, k + 1);
        position.cells = pooledCells(
            QVector<int>(position.observed.begin(), position.observed.end()),
            QVector<double>(position.expected.begin(), position.expected.end()), kLotoMin);
        position.test = pearsonTest(position.cells);
    }
    return report;
}
