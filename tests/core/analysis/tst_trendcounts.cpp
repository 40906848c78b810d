// The counts behind the trend charts, on hand-made histories.

#include "core/analysis/TrendCounts.h"
#include "core/common/DomainError.h"

#include <QTest>
#include <numeric>

namespace
{

DrawRecord draw(int number, std::array<int, kPicksPerLine> main, int bonus)
{
    DrawRecord r;
    r.caption = QStringLiteral("%1").arg(number, 5);
    r.date = QStringLiteral("2020/01/01");
    for (int p = 0; p < kPicksPerLine; ++p)
        r.main[static_cast<size_t>(p)] = twoDigits(main[static_cast<size_t>(p)]);
    r.bonus = twoDigits(bonus);
    return r;
}

int sum(const TrendValues &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

// Draws whose main numbers are 1..6, then 2..7, ... and whose bonus is always 43.
QVector<DrawRecord> stairs(int count)
{
    QVector<DrawRecord> rows;
    for (int i = 0; i < count; ++i)
        rows.append(draw(count - i, {1 + i, 2 + i, 3 + i, 4 + i, 5 + i, 6 + i}, 43));
    return rows;
}

} // namespace

class TestTrendCounts : public QObject
{
    Q_OBJECT
private slots:
    void drawCountPerKind_data();
    void drawCountPerKind();
    void countsOnlyTheFirstRows();
    void bonusNeverCounts();
    void positionKindsReadTheCountTable();
    void badMainNumberIsReported_data();
    void badMainNumberIsReported();
};

void TestTrendCounts::drawCountPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("history");
    QTest::addColumn<int>("expected");
    QTest::newRow("10 of many") << 0 << 2037 << 10;
    QTest::newRow("50 of many") << 4 << 2037 << 50;
    QTest::newRow("all") << 5 << 2037 << 2037;
    QTest::newRow("20 of 7") << 1 << 7 << 7;
    QTest::newRow("all of none") << 5 << 0 << 0;
}

void TestTrendCounts::drawCountPerKind()
{
    QFETCH(int, kind);
    QFETCH(int, history);
    QFETCH(int, expected);
    QCOMPARE(trendDrawCount(kind, history), expected);
}

void TestTrendCounts::countsOnlyTheFirstRows()
{
    const QVector<DrawRecord> rows = stairs(12);
    const TrendValues ten = trendValues(0, rows, {});
    QCOMPARE(sum(ten), 60);
    // Rows 0..9 hold 1..6 up to 10..15: number 6 is in rows 0..5, number 15 only in row 9,
    // number 16 first appears in row 10.
    QCOMPARE(ten[5], 6);
    QCOMPARE(ten[14], 1);
    QCOMPARE(ten[15], 0);
    const TrendValues all = trendValues(5, rows, {});
    QCOMPARE(sum(all), 72);
    QCOMPARE(all[15], 2); // 16: rows 10 and 11

    QCOMPARE(sum(trendValues(0, {}, {})), 0);
}

void TestTrendCounts::bonusNeverCounts()
{
    const QVector<DrawRecord> rows = stairs(20);
    for (int kind = 0; kind <= 5; ++kind)
        QCOMPARE(trendValues(kind, rows, {})[42], 0);
}

void TestTrendCounts::positionKindsReadTheCountTable()
{
    const QVector<DrawRecord> rows = stairs(9);
    const BaseCountTable table = countBaseNumbers(rows);
    for (int p = 0; p < kPicksPerLine; ++p) {
        const TrendValues values = trendValues(kFirstPositionKind + p, rows, table);
        QCOMPARE(sum(values), 9);
        QCOMPARE(values[static_cast<size_t>(p)], 1);     // the first draw of the stairs
        QCOMPARE(values[static_cast<size_t>(p + 8)], 1); // the ninth
        QCOMPARE(values[static_cast<size_t>(p + 9)], 0);
    }
    QCOMPARE(sum(trendValues(-1, rows, table)), 0);
}

void TestTrendCounts::badMainNumberIsReported_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << "00";
    QTest::newRow("44") << "44";
    QTest::newRow("not a number") << "ab";
}

void TestTrendCounts::badMainNumberIsReported()
{
    QFETCH(QString, text);
    QVector<DrawRecord> rows = stairs(3);
    rows[1].main[2] = text;
    try {
        countAppearances(rows, 10);
        QFAIL("no error");
    } catch (const DomainError &e) {
        QVERIFY(e.message().contains(text));
    }
    // Rows behind the limit are not read.
    QCOMPARE(sum(countAppearances(rows, 1)), 6);
}

QTEST_GUILESS_MAIN(TestTrendCounts)
#include "tst_trendcounts.moc"
