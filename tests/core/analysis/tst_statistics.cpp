// The statistics beside their values under fair draws: the exact distributions against their
// known constants, and every page's counts on a history of four draws counted by hand.

#include "core/analysis/Statistics.h"
#include "core/common/TextLines.h"

#include <QTest>
#include <cmath>
#include <numeric>

namespace
{

PastDraw draw(const QString &date, std::initializer_list<int> numbers)
{
    PastDraw d;
    d.date = date;
    for (int n : numbers)
        d.main |= numberBit(n);
    return d;
}

double sum(const QVector<double> &values)
{
    return std::accumulate(values.begin(), values.end(), 0.0);
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT
private slots:
    void exactDistributions();
    void handCountedHistory();
    void weekdayGroupsExpectFiveOnEitherDay_data();
    void weekdayGroupsExpectFiveOnEitherDay();
};

void TestStatistics::exactDistributions()
{
    QCOMPARE(QString::number(100 * (1 - consecutiveProbability(0)), 'f', 2), QString("54.72"));
    QCOMPARE(QString::number(100 * oddProbability(3), 'f', 2), QString("33.60"));
    const QVector<double> sums = sumProbabilities();
    double mean = 0;
    for (int s = 0; s < sums.size(); ++s)
        mean += s * sums.at(s);
    QVERIFY(std::fabs(sum(sums) - 1) < 1e-12);
    QVERIFY(std::fabs(mean - 132) < 1e-9);
    QCOMPARE(sums.at(21) * binomial(43, 6), 1.0); // 1 + 2 + ... + 6 only
    QCOMPARE(sums.at(22) * binomial(43, 6), 1.0); // 1 + 2 + ... + 5 + 7 only

    const QVector<PastDraw> none;
    const StatisticsReport empty = computeStatistics(none);
    for (const Distribution *d :
         {&empty.repeats, &empty.consecutive, &empty.oddEven, &empty.sums, &empty.lastDigits}) {
        QVERIFY(std::fabs(sum(d->probability) - 1) < 1e-12);
        QCOMPARE(d->test.degreesOfFreedom, 0);
    }
    QCOMPARE(empty.gapTest.longest, 0);

    // Some number is surely missing from 7 draws (42 numbers); for many draws the first two
    // terms of inclusion and exclusion, 43 q1^g - 903 q2^g, are all that is left; 30 draws as
    // an exact rational computation of the whole sum gives it.
    QCOMPARE(someNumberMissingProbability(7), 1.0);
    const double q1 = binomial(42, 6) / binomial(43, 6), q2 = binomial(41, 6) / binomial(43, 6);
    const double many = 43 * std::pow(q1, 100) - 903 * std::pow(q2, 100);
    QVERIFY(std::fabs(someNumberMissingProbability(100) / many - 1) < 1e-9);
    QVERIFY(std::fabs(someNumberMissingProbability(30) - 0.386832200799) < 1e-11);
}

void TestStatistics::handCountedHistory()
{
    // Newest first; 22 September 2025 was a Monday.
    const QVector<PastDraw> history = {
        draw("2025/09/25", {1, 2, 3, 10, 20, 43}), draw("2025/09/22", {1, 2, 4, 11, 21, 30}),
        draw("2025/09/18", {5, 6, 7, 8, 9, 10}), draw("2025/09/15", {1, 2, 5, 6, 7, 8})};
    const StatisticsReport report = computeStatistics(history);
    QCOMPARE(report.draws, 4);

    // 01 in draws 0, 1, 3; 05 in 2, 3; 43 in 0 only; 12 in none.
    const NumberGap &one = report.gaps[0], &five = report.gaps[4], &twelve = report.gaps[11];
    QCOMPARE(one.current, 0);
    QCOMPARE(one.longest, 2);
    QCOMPARE(one.mean, 1.5);
    QCOMPARE(five.current, 2);
    QCOMPARE(five.longest, 1);
    QCOMPARE(report.gaps[42].longest, 0);
    QCOMPARE(report.gaps[42].mean, 0.0); // drawn once: no gap to average
    QCOMPARE(twelve.appearances, 0);
    QCOMPARE(twelve.current, 4);
    QVERIFY(std::fabs(twelve.tailP - std::pow(37.0 / 43, 4)) < 1e-15);
    QCOMPARE(report.gapTest.longest, 4);
    QCOMPARE(report.gapTest.p, 1.0);

    QCOMPARE(report.repeats.observed, (QVector<int>{1, 0, 1, 0, 1, 0, 0}));
    QVERIFY(std::fabs(sum(report.repeats.expected) - 3) < 1e-12);
    QCOMPARE(report.consecutive.observed, (QVector<int>{0, 1, 1, 0, 1, 1}));
    QCOMPARE(report.oddEven.observed, (QVector<int>{0, 0, 0, 4, 0, 0, 0}));
    QCOMPARE(report.sums.observed.mid(0, 6), (QVector<int>{1, 0, 1, 0, 1, 1})); // 29 45 69 79
    QCOMPARE(report.lastDigits.observed, (QVector<int>{4, 5, 3, 2, 1, 2, 2, 2, 2, 1}));
    QVERIFY(std::fabs(report.lastDigits.expected.at(1) - 24.0 * 5 / 43) < 1e-12);

    // Digits pooled to 5: 0-1, 2-3, 4-6, 7-9, expecting 216, 240, 288, 288 / 43; the sum
    // scaled by 42/37 against chi-squared on 3 degrees of freedom.
    const double observed[] = {9, 5, 5, 5}, expected[] = {216, 240, 288, 288};
    double x2 = 0;
    for (int i = 0; i < 4; ++i)
        x2 += std::pow(observed[i] - expected[i] / 43, 2) / (expected[i] / 43);
    const ChiSquareTest &digits = report.lastDigits.test;
    QCOMPARE(report.lastDigits.cells.size(), 4);
    QCOMPARE(digits.degreesOfFreedom, 3);
    QVERIFY(std::fabs(digits.statistic - x2 * 42 / 37) < 1e-12);
    QCOMPARE(digits.p, chiSquareTail(digits.statistic, 3));

    // 01-02 in three draws, 05-06 first of those in two; 01-09 first of those in none.
    QCOMPARE(report.pairs.most.size(), 20);
    QCOMPARE(report.pairs.most.at(0).count, 3);
    QCOMPARE(report.pairs.most.at(1).first * 100 + report.pairs.most.at(1).second, 506);
    QCOMPARE(report.pairs.least.at(0).first * 100 + report.pairs.least.at(0).second, 109);
    QCOMPARE(report.pairs.expected, 4.0 * 15 / 903);

    const WeekdayCounts &week = report.weekdays;
    QCOMPARE(week.mondayDraws, 2);
    QCOMPARE(week.thursdayDraws, 2);
    QCOMPARE(week.monday[0], 2);
    QCOMPARE(week.thursday[0], 1);
    QCOMPARE(week.expectedMonday[0], 1.5);
    QCOMPARE(week.groups.size(), 2); // 01-18 and 19-43 expect 5 on either day
    QCOMPARE(week.test.degreesOfFreedom, 1);

    // Too few draws for the other pages' tests: three tests are read together.
    const QVector<double> holm = holmAdjusted({report.gapTest.p, digits.p, report.weekdays.test.p});
    QCOMPARE(report.lastDigits.adjustedP, holm.at(1));
    QCOMPARE(report.weekdays.adjustedP, holm.at(2));

    // The newest two draws only.
    const StatisticsReport two = computeStatistics(history, 2);
    QCOMPARE(two.repeats.observed.at(2), 1);
    QCOMPARE(two.gaps[4].current, 2);
}

void TestStatistics::weekdayGroupsExpectFiveOnEitherDay_data()
{
    QTest::addColumn<int>("draws"); // the newest of the bundled history
    QTest::addColumn<int>(
        "mondayEvery"); // 0: their own days; n: every n-th a Monday, else Thursday
    QTest::newRow("36") << 36 << 0;
    QTest::newRow("100") << 100 << 0;
    QTest::newRow("all") << -1 << 0;
    QTest::newRow("100, one in five on a Monday") << 100 << 5;
}

void TestStatistics::weekdayGroupsExpectFiveOnEitherDay()
{
    QFETCH(int, draws);
    QFETCH(int, mondayEvery);
    QVector<DrawRecord> records;
    for (const QString &line : readTextLines(LOTO6_BUNDLED_DATA_DIR "/Loto6Number.csv"))
        records.append(parseDrawLine(line));
    for (qsizetype i = 0; mondayEvery > 0 && i < records.size(); ++i)
        records[i].date = i % mondayEvery == 0 ? "2025/09/22" : "2025/09/25";
    const WeekdayCounts week = computeStatistics(PastDraws(records, {}).draws(), draws).weekdays;
    QVERIFY(week.groups.size() >= 2);
    int next = kLotoMin;
    for (const PooledCell &group : week.groups) {
        QCOMPARE(group.first, next);
        double monday = 0, thursday = 0;
        for (int n = group.first; n <= group.last; ++n) {
            monday += week.expectedMonday[size_t(n - 1)];
            thursday += week.expectedThursday[size_t(n - 1)];
        }
        QVERIFY2(monday >= 5 && thursday >= 5, qPrintable(QString("%1-%2: %3, %4")
                                                              .arg(group.first)
                                                              .arg(group.last)
                                                              .arg(monday)
                                                              .arg(thursday)));
        next = group.last + 1;
    }
    QCOMPARE(next, kLotoMax + 1);
    QCOMPARE(week.test.degreesOfFreedom, int(week.groups.size()) - 1);
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
