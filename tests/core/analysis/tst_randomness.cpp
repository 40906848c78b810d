// The test of randomness: the chi-squared tail against tabled values, the scaled statistic
// on a history counted by hand, and the distribution of the k-th smallest number.

#include "core/analysis/RandomnessTest.h"

#include <QTest>
#include <cmath>

class TestRandomness : public QObject
{
    Q_OBJECT
private slots:
    void tailAgainstTables_data();
    void tailAgainstTables();
    void twoDegreesOfFreedomIsExponential();
    void scaledStatisticOnAHandCountedHistory();
    void kthSmallestDistributionSumsToOne();
    void holmAdjustsInStepsAndKeepsTheOrder();
};

void TestRandomness::tailAgainstTables_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("df");
    QTest::addColumn<double>("p");
    // Upper (continued fraction) and lower (series) quantiles of the usual tables.
    QTest::newRow("df 42, upper 5%") << 58.124 << 42 << 0.05;
    QTest::newRow("df 1, upper 5%") << 3.841 << 1 << 0.05;
    QTest::newRow("df 10, upper 5%") << 18.307 << 10 << 0.05;
    QTest::newRow("df 1, upper 1%") << 6.635 << 1 << 0.01;
    QTest::newRow("df 42, lower 5%") << 28.144 << 42 << 0.95;
    QTest::newRow("df 10, lower 5%") << 3.940 << 10 << 0.95;
    QTest::newRow("df 24, median") << 23.337 << 24 << 0.5;
}

void TestRandomness::tailAgainstTables()
{
    QFETCH(double, x);
    QFETCH(int, df);
    QFETCH(double, p);
    QVERIFY2(std::fabs(chiSquareTail(x, df) - p) < 2e-4,
             qPrintable(QString::number(chiSquareTail(x, df))));
}

void TestRandomness::twoDegreesOfFreedomIsExponential()
{
    for (double x : {0.1, 1.0, 2.9, 3.1, 10.0, 60.0})
        QVERIFY(std::fabs(chiSquareTail(x, 2) / std::exp(-x / 2) - 1) < 1e-12);
    QCOMPARE(chiSquareTail(0, 42), 1.0);
}

void TestRandomness::scaledStatisticOnAHandCountedHistory()
{
    // 43 draws of 01..06: those count 43 each, the other 37 numbers 0; E = 6.
    // X² = 6 (43 - 6)² / 6 + 37 (0 - 6)² / 6 = 1369 + 222 = 1591, scaled 1591 * 42 / 37 = 1806.
    PastDraw same;
    for (int n = 1; n <= 6; ++n)
        same.main |= numberBit(n);
    const QVector<PastDraw> history(43, same);
    const RandomnessReport report = testRandomness(history);
    QCOMPARE(report.draws, 43);
    QCOMPARE(report.numbers[0].observed, 43);
    QCOMPARE(report.numbers[6].observed, 0);
    QCOMPARE(report.numbers[0].expected, 6.0);
    QVERIFY(std::fabs(report.counts.statistic - 1806.0) < 1e-9);
    QCOMPARE(report.counts.degreesOfFreedom, 42);
    QVERIFY(report.counts.p < 1e-100);
    // (c - E) / sqrt(D (6/43) (37/43)) = 37 / sqrt(222/43) and -6 / sqrt(222/43).
    QVERIFY(std::fabs(report.numbers[0].standardised - 37 / std::sqrt(222.0 / 43)) < 1e-12);
    QVERIFY(std::fabs(report.numbers[42].standardised + 6 / std::sqrt(222.0 / 43)) < 1e-12);

    // The newest ten draws only: a position's cells pool into one, which leaves nothing to test.
    const RandomnessReport few = testRandomness(history, 10);
    QCOMPARE(few.draws, 10);
    QCOMPARE(few.numbers[0].observed, 10);
    QCOMPARE(few.positions[5].cells.size(), 1);
    QCOMPARE(few.positions[5].test.degreesOfFreedom, 0);
    // Each pooled cell of the full history expects at least 5, and they cover all the draws.
    for (const PositionCounts &position : report.positions) {
        double expected = 0;
        int observed = 0;
        for (const PooledCell &cell : position.cells) {
            QVERIFY(cell.expected >= 5.0);
            expected += cell.expected;
            observed += cell.observed;
        }
        QVERIFY(std::fabs(expected - 43) < 1e-9);
        QCOMPARE(observed, 43);
        QCOMPARE(position.test.degreesOfFreedom, int(position.cells.size()) - 1);
    }
}

void TestRandomness::kthSmallestDistributionSumsToOne()
{
    std::array<double, kLotoCount> perNumber{};
    for (int k = 1; k <= kPicksPerLine; ++k) {
        double sum = 0;
        for (int n = kLotoMin; n <= kLotoMax; ++n) {
            sum += kthSmallestProbability(n, k);
            perNumber[static_cast<size_t>(n - 1)] += kthSmallestProbability(n, k);
        }
        QVERIFY2(std::fabs(sum - 1) < 1e-12, qPrintable(QString::number(k)));
    }
    // Over the six positions each number is drawn with probability 6/43.
    for (double p : perNumber)
        QVERIFY(std::fabs(p - 6.0 / 43) < 1e-12);
    QCOMPARE(kthSmallestProbability(1, 1), 6.0 / 43);
    QCOMPARE(kthSmallestProbability(39, 1), 0.0); // five numbers above 38 are too few
}

void TestRandomness::holmAdjustsInStepsAndKeepsTheOrder()
{
    // Sorted 0.01, 0.02, 0.03, 0.04, 0.5 times 5, 4, 3, 2, 1 give 0.05, 0.08, 0.09, 0.08, 0.5;
    // the step-down keeps each at least the one before: 0.05, 0.08, 0.09, 0.09, 0.5.
    const QVector<double> adjusted = holmAdjusted({0.04, 0.5, 0.01, 0.03, 0.02});
    const QVector<double> expected{0.09, 0.5, 0.05, 0.09, 0.08};
    QCOMPARE(adjusted.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(std::fabs(adjusted[i] - expected[i]) < 1e-12, qPrintable(QString::number(i)));
    QCOMPARE(holmAdjusted({0.3, 0.9}), (QVector<double>{0.6, 0.9})); // 0.9 stays, capped at 1
    QCOMPARE(holmAdjusted({0.7, 0.9}), (QVector<double>{1.0, 1.0}));
}

QTEST_GUILESS_MAIN(TestRandomness)
#include "tst_randomness.moc"
