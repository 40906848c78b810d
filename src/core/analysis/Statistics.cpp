#include "Statistics.h"

#include <QDate>
#include <QtAlgorithms>
#include <algorithm>
#include <cmath>

namespace
{

constexpr double kWeekdayMinExpected = 5.0;
constexpr int kOddNumbers = (kLotoCount + 1) / 2; // 1, 3, ..., 43
constexpr int kLargestSum = 38 + 39 + 40 + 41 + 42 + 43;
constexpr int kPairs = kLotoCount * (kLotoCount - 1) / 2;              // 903
constexpr int kPairsPerDraw = kPicksPerLine * (kPicksPerLine - 1) / 2; // 15

// A draw takes six different numbers, so counts over its numbers vary by (43 - 6) / (43 - 1)
// of what independent picks would give: Pearson's sum is scaled back by 42/37.
constexpr double kSixDifferentNumbers = double(kLotoCount - 1) / (kLotoCount - kPicksPerLine);

int lineCount()
{
    return static_cast<int>(binomial(kLotoCount, kPicksPerLine));
}

// The draw's numbers in ascending order.
std::array<int, kPicksPerLine> numbersOf(NumberSet main)
{
    std::array<int, kPicksPerLine> numbers{};
    size_t k = 0;
    for (int n = kLotoMin; n <= kLotoMax && k < numbers.size(); ++n) {
        if (main & numberBit(n))
            numbers[k++] = n;
    }
    return numbers;
}

// Day of the week (1 Monday .. 7 Sunday) of a "YYYY/MM/DD" date, 0 when it is not one.
int dayOfWeek(const QString &date)
{
    if (date.size() != 10)
        return 0;
    const QStringView text(date);
    return QDate(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt())
        .dayOfWeek();
}

// Fills the expectations of `total` trials and pools and tests the cells.
void finish(Distribution &distribution, int total, double scale = 1.0)
{
    distribution.expected.resize(distribution.probability.size());
    for (int i = 0; i < distribution.probability.size(); ++i)
        distribution.expected[i] = total * distribution.probability.at(i);
    if (total <= 0)
        return;
    distribution.cells = pooledCells(distribution.observed, distribution.expected, 0);
    distribution.test = pearsonTest(distribution.cells, scale);
}

Distribution categories(int count, double (*probability)(int))
{
    Distribution distribution;
    distribution.observed.fill(0, count);
    for (int k = 0; k < count; ++k)
        distribution.probability.append(probability(k));
    return distribution;
}

void countGaps(const QVector<PastDraw> &history, StatisticsReport &report)
{
    std::array<int, kLotoCount> newest{}, oldest{};
    for (int i = 0; i < report.draws; ++i) {
        for (int n : numbersOf(history.at(i).main)) {
            NumberGap &gap = report.gaps[static_cast<size_t>(n - 1)];
            const auto index = static_cast<size_t>(n - 1);
            if (gap.appearances == 0)
                newest[index] = i;
            else
                gap.longest = std::max(gap.longest, i - oldest[index]);
            oldest[index] = i;
            ++gap.appearances;
        }
    }
    const double stay = 1.0 - 1.0 / kExpectedMeanGap; // 37/43
    for (size_t i = 0; i < report.gaps.size(); ++i) {
        NumberGap &gap = report.gaps[i];
        gap.current = gap.appearances > 0 ? newest[i] : report.draws;
        if (gap.appearances > 1)
            gap.mean = double(oldest[i] - newest[i]) / (gap.appearances - 1);
        gap.tailP = std::pow(stay, gap.current);
        report.gapTest.longest = std::max(report.gapTest.longest, gap.current);
    }
    report.gapTest.p = someNumberMissingProbability(report.gapTest.longest);
}

void countPairs(const QVector<PastDraw> &history, StatisticsReport &report)
{
    std::array<std::array<int, kLotoCount + 1>, kLotoCount + 1> counts{};
    for (int i = 0; i < report.draws; ++i) {
        const auto numbers = numbersOf(history.at(i).main);
        for (size_t a = 0; a < numbers.size(); ++a) {
            for (size_t b = a + 1; b < numbers.size(); ++b)
                ++counts[static_cast<size_t>(numbers[a])][static_cast<size_t>(numbers[b])];
        }
    }
    QVector<PairCount> all;
    all.reserve(kPairs);
    for (int a = kLotoMin; a <= kLotoMax; ++a) {
        for (int b = a + 1; b <= kLotoMax; ++b)
            all.append({a, b, counts[static_cast<size_t>(a)][static_cast<size_t>(b)]});
    }
    // Stable sorts keep the pairs of one count in number order.
    std::stable_sort(all.begin(), all.end(),
                     [](const PairCount &x, const PairCount &y) { return x.count > y.count; });
    report.pairs.most = all.mid(0, kPairsListed);
    std::stable_sort(all.begin(), all.end(),
                     [](const PairCount &x, const PairCount &y) { return x.count < y.count; });
    report.pairs.least = all.mid(0, kPairsListed);
    report.pairs.expected = double(report.draws) * kPairsPerDraw / kPairs;
}

void countWeekdays(const QVector<PastDraw> &history, StatisticsReport &report)
{
    WeekdayCounts &week = report.weekdays;
    for (int i = 0; i < report.draws; ++i) {
        const PastDraw &draw = history.at(i);
        const int day = dayOfWeek(draw.date);
        if (day != Qt::Monday && day != Qt::Thursday) {
            ++week.otherDraws;
            continue;
        }
        ++(day == Qt::Monday ? week.mondayDraws : week.thursdayDraws);
        auto &counts = day == Qt::Monday ? week.monday : week.thursday;
        for (int n : numbersOf(draw.main))
            ++counts[static_cast<size_t>(n - 1)];
    }
    const int both = week.mondayDraws + week.thursdayDraws;
    if (both == 0)
        return;
    const double mondayShare = double(week.mondayDraws) / both;
    for (size_t i = 0; i < week.monday.size(); ++i) {
        const int total = week.monday[i] + week.thursday[i];
        week.expectedMonday[i] = total * mondayShare;
        week.expectedThursday[i] = total * (1.0 - mondayShare);
    }
    if (week.mondayDraws == 0 || week.thursdayDraws == 0)
        return;

    // Neighbouring numbers pooled by the expectations the test compares with, so that each
    // group expects at least 5 on either day; a short remainder joins the group before it.
    week.groups.clear();
    PooledCell open{kLotoMin, kLotoMin, 0, 0};
    double openMonday = 0, openThursday = 0;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        const auto i = static_cast<size_t>(n - 1);
        open.last = n;
        openMonday += week.expectedMonday[i];
        openThursday += week.expectedThursday[i];
        if (openMonday >= kWeekdayMinExpected && openThursday >= kWeekdayMinExpected) {
            week.groups.append(open);
            open = {n + 1, n + 1, 0, 0};
            openMonday = openThursday = 0;
        }
    }
    if (open.first <= kLotoMax) {
        if (week.groups.isEmpty())
            week.groups.append(open);
        else
            week.groups.last().last = kLotoMax;
    }
    if (week.groups.size() < 2)
        return;
    // Pearson's sum over the groups and both days; the counts of one day are counts over six
    // different numbers a draw, hence the same scale as for the counts of the numbers.
    double sum = 0;
    for (PooledCell &group : week.groups) {
        int monday = 0, thursday = 0;
        double expectedMonday = 0, expectedThursday = 0;
        for (int n = group.first; n <= group.last; ++n) {
            const auto i = static_cast<size_t>(n - 1);
            monday += week.monday[i];
            thursday += week.thursday[i];
            expectedMonday += week.expectedMonday[i];
            expectedThursday += week.expectedThursday[i];
        }
        group.observed = monday;
        group.expected = expectedMonday;
        if (expectedMonday > 0)
            sum += (monday - expectedMonday) * (monday - expectedMonday) / expectedMonday;
        if (expectedThursday > 0)
            sum += (thursday - expectedThursday) * (thursday - expectedThursday) / expectedThursday;
    }
    week.test.statistic = sum * kSixDifferentNumbers;
    week.test.degreesOfFreedom = static_cast<int>(week.groups.size()) - 1;
    week.test.p = chiSquareTail(week.test.statistic, week.test.degreesOfFreedom);
}

// Holm's adjustment over the tests that could be made.
void adjust(StatisticsReport &report)
{
    QVector<double *> adjusted;
    QVector<double> p;
    if (report.gapTest.longest > 0) {
        adjusted.append(&report.gapTest.adjustedP);
        p.append(report.gapTest.p);
    }
    for (Distribution *d : {&report.repeats, &report.consecutive, &report.oddEven, &report.sums,
                            &report.lastDigits}) {
        if (d->test.degreesOfFreedom > 0) {
            adjusted.append(&d->adjustedP);
            p.append(d->test.p);
        }
    }
    if (report.weekdays.test.degreesOfFreedom > 0) {
        adjusted.append(&report.weekdays.adjustedP);
        p.append(report.weekdays.test.p);
    }
    const QVector<double> holm = holmAdjusted(p);
    for (int i = 0; i < holm.size(); ++i)
        *adjusted.at(i) = holm.at(i);
}

} // namespace

double repeatProbability(int k)
{
    return binomial(kPicksPerLine, k) * binomial(kLotoCount - kPicksPerLine, kPicksPerLine - k) /
           lineCount();
}

double consecutiveProbability(int k)
{
    return binomial(kPicksPerLine - 1, k) *
           binomial(kLotoCount - kPicksPerLine + 1, kPicksPerLine - k) / lineCount();
}

double oddProbability(int k)
{
    return binomial(kOddNumbers, k) * binomial(kLotoCount - kOddNumbers, kPicksPerLine - k) /
           lineCount();
}

QVector<double> sumProbabilities()
{
    // ways[j][s]: sets of j numbers among those seen so far that add up to s.
    std::array<QVector<double>, kPicksPerLine + 1> ways;
    for (auto &row : ways)
        row.fill(0.0, kLargestSum + 1);
    ways[0][0] = 1;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        for (size_t j = kPicksPerLine; j >= 1; --j) {
            for (int s = kLargestSum; s >= n; --s)
                ways[j][s] += ways[j - 1][s - n];
        }
    }
    QVector<double> p = ways[kPicksPerLine];
    for (double &value : p)
        value /= lineCount();
    return p;
}

int numbersEndingIn(int digit)
{
    int count = 0;
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        count += n % 10 == digit ? 1 : 0;
    return count;
}

double someNumberMissingProbability(int g)
{
    // seen[s]: P(s different numbers drawn so far). A draw brings j new numbers with the
    // probability C(43 - s, j) C(s, 6 - j) / C(43, 6). Every term is positive, so the sum
    // stays exact to rounding where inclusion and exclusion would cancel.
    QVector<double> seen(kLotoCount + 1, 0.0);
    seen[0] = 1;
    for (int draw = 0; draw < g; ++draw) {
        QVector<double> next(kLotoCount + 1, 0.0);
        for (int s = 0; s <= kLotoCount; ++s) {
            if (seen.at(s) == 0)
                continue;
            for (int j = 0; j <= kPicksPerLine && s + j <= kLotoCount; ++j)
                next[s + j] += seen.at(s) * binomial(kLotoCount - s, j) *
                               binomial(s, kPicksPerLine - j) / lineCount();
        }
        seen = next;
    }
    return std::clamp(1.0 - seen.at(kLotoCount), 0.0, 1.0);
}

StatisticsReport computeStatistics(const QVector<PastDraw> &history, int draws)
{
    StatisticsReport report;
    report.draws = draws < 0 || draws > history.size() ? static_cast<int>(history.size()) : draws;

    report.repeats = categories(kPicksPerLine + 1, repeatProbability);
    report.consecutive = categories(kPicksPerLine, consecutiveProbability);
    report.oddEven = categories(kPicksPerLine + 1, oddProbability);
    report.sums.observed.fill(0, kSumBins);
    report.sums.probability.fill(0.0, kSumBins);
    const QVector<double> sums = sumProbabilities();
    for (int s = kSumBinFirst; s < sums.size(); ++s)
        report.sums.probability[(s - kSumBinFirst) / kSumBinWidth] += sums.at(s);
    report.lastDigits.observed.fill(0, 10);
    for (int digit = 0; digit < 10; ++digit)
        report.lastDigits.probability.append(double(numbersEndingIn(digit)) / kLotoCount);

    for (int i = 0; i < report.draws; ++i) {
        const NumberSet main = history.at(i).main;
        const auto numbers = numbersOf(main);
        if (i + 1 < report.draws)
            ++report.repeats.observed[int(qPopulationCount(main & history.at(i + 1).main))];
        int pairs = 0, odd = 0, sum = 0;
        for (size_t k = 0; k < numbers.size(); ++k) {
            pairs += k > 0 && numbers[k] == numbers[k - 1] + 1 ? 1 : 0;
            odd += numbers[k] % 2;
            sum += numbers[k];
            ++report.lastDigits.observed[numbers[k] % 10];
        }
        ++report.consecutive.observed[pairs];
        ++report.oddEven.observed[odd];
        ++report.sums.observed[std::clamp((sum - kSumBinFirst) / kSumBinWidth, 0, kSumBins - 1)];
    }
    finish(report.repeats, report.draws - 1);
    finish(report.consecutive, report.draws);
    finish(report.oddEven, report.draws);
    finish(report.sums, report.draws);
    finish(report.lastDigits, kPicksPerLine * report.draws, kSixDifferentNumbers);

    countGaps(history, report);
    countPairs(history, report);
    countWeekdays(history, report);
    adjust(report);
    return report;
}
