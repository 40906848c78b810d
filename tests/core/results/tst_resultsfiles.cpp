#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <QTest>
#include <numeric>

namespace
{

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const DomainError &e) {
        return e.message();
    }
    return QString();
}

QStringList bundledLines(const QString &name)
{
    return readTextLines(QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/") + name);
}

} // namespace

class TestResultsFiles : public QObject
{
    Q_OBJECT
private slots:
    void integers();
    void decimals();
    void dates();
    void japaneseFormats();
    void drawLine();
    void drawLineRejects_data();
    void drawLineRejects();
    void bonusOutOfRangeIsShown();
    void prizeLine();
    void prizeLineRejects_data();
    void prizeLineRejects();
    void prizeFiguresReadWithTheTable_data();
    void prizeFiguresReadWithTheTable();
    void missingFilesAreReported();
    void malformedFileNamesFileLineAndText();
    void bundledHistory();
};

void TestResultsFiles::integers()
{
    QCOMPARE(parseInteger("42"), std::optional<int>(42));
    QCOMPARE(parseInteger("  2037"), std::optional<int>(2037)); // a padded caption
    QCOMPARE(parseInteger("-7"), std::optional<int>(-7));
    QCOMPARE(parseInteger("2147483647"), std::optional<int>(2147483647));
    QVERIFY(!parseInteger("2147483648"));
    QVERIFY(!parseInteger(""));
    QVERIFY(!parseInteger("12 "));
    QVERIFY(!parseInteger("1,2"));
    QVERIFY(!parseInteger("x1"));
    QVERIFY(!parseInteger("-"));
}

void TestResultsFiles::decimals()
{
    QCOMPARE(parseDecimal("454612800"), std::optional<double>(454612800));
    QCOMPARE(parseDecimal("1000.5"), std::optional<double>(1000.5));
    QCOMPARE(parseDecimal(".5"), std::optional<double>(0.5));
    QVERIFY(!parseDecimal(""));
    QVERIFY(!parseDecimal("1,000"));
    QVERIFY(!parseDecimal("inf"));
    QVERIFY(!parseDecimal("nan"));
    QVERIFY(!parseDecimal("12abc"));
}

void TestResultsFiles::dates()
{
    QCOMPARE(parseDate("2025/09/25"), std::optional<QDate>(QDate(2025, 9, 25)));
    QCOMPARE(parseDate("2000/10/5"), std::optional<QDate>(QDate(2000, 10, 5)));
    QVERIFY(!parseDate("2025/02/30"));
    QVERIFY(!parseDate("2025-09-25"));
    QVERIFY(!parseDate("25/09"));
    QVERIFY(!parseDate("tomorrow"));
}

void TestResultsFiles::japaneseFormats()
{
    QCOMPARE(formatDrawCaption(7), QString("    7"));
    QCOMPARE(formatDrawCaption(2037), QString(" 2037"));
    QCOMPARE(formatDrawCaption(123456), QString("123456")); // the width is a minimum
    QCOMPARE(formatDate(QDate(2000, 10, 5)), QString("2000/10/05"));
    QCOMPARE(formatYen(0), QString("¥0"));
    QCOMPARE(formatYen(454612800), QString("¥454,612,800"));
    QCOMPARE(formatYen(999.5), QString("¥1,000"));
    QCOMPARE(formatYen(-1200), QString("-¥1,200"));
    QCOMPARE(formatGrouped(188891), QString("188,891"));
    QCOMPARE(formatGrouped(12.4), QString("12"));
    QCOMPARE(formatGrouped(100), QString("100"));
}

void TestResultsFiles::drawLine()
{
    const DrawRecord r = parseDrawLine("2037,2025/09/25,7,12,20,23,27,29,10");
    QCOMPARE(r.caption, QString(" 2037"));
    QCOMPARE(r.date, QString("2025/09/25"));
    QCOMPARE(QStringList(r.main.begin(), r.main.end()),
             (QStringList{"07", "12", "20", "23", "27", "29"}));
    QCOMPARE(r.bonus, QString("10"));
    QCOMPARE(r.column(0), r.caption);
    QCOMPARE(r.column(8), r.bonus);
    QCOMPARE(parseDrawLine("123456,2030/1/2,1,2,3,4,5,43,6").caption, QString("123456"));
}

void TestResultsFiles::drawLineRejects_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("badText");
    QTest::newRow("trailing comma") << "1,2000/10/05,1,2,3,4,5,6,7," << QString("7,");
    QTest::newRow("too few fields") << "1,2000/10/05,1,2,3,4,5,6" << QString("");
    QTest::newRow("too many fields") << "1,2000/10/05,1,2,3,4,5,6,7,8" << QString("7,8");
    QTest::newRow("non-numeric main") << "1,2000/10/05,1,x,3,4,5,6,7" << QString("x");
    QTest::newRow("main out of range") << "1,2000/10/05,1,2,3,44,5,6,7" << QString("44");
    QTest::newRow("main zero") << "1,2000/10/05,0,2,3,4,5,6,7" << QString("0");
    QTest::newRow("not a date") << "1,2000/13/45,1,2,3,4,5,6,7" << QString("2000/13/45");
    QTest::newRow("non-numeric draw") << "A1,2000/10/05,1,2,3,4,5,6,7" << QString("A1");
    // A run-on line (a file whose line ends were lost) is quoted in part only.
    QTest::newRow("run-on line") << "1,2000/10/05,1,2,3,4,5,6," + QString(5000, '7')
                                 << QString(40, '7') + "…";
}

void TestResultsFiles::drawLineRejects()
{
    QFETCH(QString, line);
    QFETCH(QString, badText);
    const QString message = errorOf([&] { parseDrawLine(line); });
    QVERIFY2(!message.isEmpty(), "the line was accepted");
    QVERIFY2(message.contains("'" + badText + "'"), qPrintable(message));
}

void TestResultsFiles::bonusOutOfRangeIsShown()
{
    QCOMPARE(parseDrawLine("5,2000/11/02,1,2,3,4,5,6,44").bonus, QString("44"));
    QCOMPARE(parseDrawLine("5,2000/11/02,1,2,3,4,5,6,0").bonus, QString("00"));
}

void TestResultsFiles::prizeLine()
{
    const PrizeRecord r =
        parsePrizeLine("2036,454612800,1,11042500,7,303500,275,7300,11927,1000,193947,0");
    QCOMPARE(r.texts(), (QStringList{"2036", "¥454,612,800", "1", "¥11,042,500", "7", "¥303,500",
                                     "275", "¥7,300", "11,927", "¥1,000", "193,947", "¥0"}));
    QCOMPARE(parsePrizeLine("1,0.4,0,0,0,0,0,0,0,0,0,1234.5")[11], QString("¥1,235"));
}

void TestResultsFiles::prizeLineRejects_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("eleven fields") << "1,0,0,0,0,0,0,0,0,0,0";
    QTest::newRow("thirteen fields") << "1,0,0,0,0,0,0,0,0,0,0,0,0";
    QTest::newRow("trailing comma") << "1,0,0,0,0,0,0,0,0,0,0,0,";
    QTest::newRow("letters") << "1,0,0,0,0,abc,0,0,0,0,0,0";
    QTest::newRow("decimal draw number") << "1.5,0,0,0,0,0,0,0,0,0,0,0";
}

void TestResultsFiles::prizeLineRejects()
{
    QFETCH(QString, line);
    QVERIFY(!errorOf([&] { parsePrizeLine(line); }).isEmpty());
}

void TestResultsFiles::prizeFiguresReadWithTheTable_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("amounts"); // tiers 1..5 as the figures hold them
    QTest::newRow("every tier won") << "2036,454612800,1,11042500,7,303500,275,7300,11927,1000,"
                                       "193947,0"
                                    << "454612800 11042500 303500 7300 1000";
    QTest::newRow("carry-over, not a tier") << "7,0,0,0,0,0,0,0,0,0,0,999"
                                            << "0 0 0 0 0";
    QTest::newRow("rounded") << "1,0.4,0,0.5,0,0,0,0,0,0,0,1234.5"
                             << "0 1 0 0 0";
    QTest::newRow("negative is none") << "1,-5,0,0,0,0,0,0,0,0,0,0"
                                      << "0 0 0 0 0";
}

// One reading of a prize line gives both the table's texts and the figures.
void TestResultsFiles::prizeFiguresReadWithTheTable()
{
    QFETCH(QString, line);
    QFETCH(QString, amounts);
    ResultsData data;
    QCOMPARE(parseResults({"1,2000/10/05,1,2,3,4,5,6,7"}, {line}, &data), ResultsStatus::Loaded);
    QCOMPARE(data.amounts.size(), 1);
    QStringList figures;
    for (const std::int64_t amount : data.amounts.first().amount)
        figures << QString::number(amount);
    QCOMPARE(figures.join(' '), amounts);
    QCOMPARE(data.amounts.first().draw, parsePrizeAmounts(line).draw);
    QCOMPARE(data.amounts.first().amount, parsePrizeAmounts(line).amount);
    QCOMPARE(data.prizes.first(), parsePrizeLine(line));
}

void TestResultsFiles::missingFilesAreReported()
{
    ResultsData data;
    QCOMPARE(parseResults({}, {"1,0,0,0,0,0,0,0,0,0,0,0"}, &data),
             ResultsStatus::NumberFileMissing);
    QCOMPARE(parseResults({"1,2000/10/05,1,2,3,4,5,6,7"}, {}, &data),
             ResultsStatus::DataFileMissing);
    QVERIFY(data.draws.isEmpty()); // nothing handed out half-filled
}

void TestResultsFiles::malformedFileNamesFileLineAndText()
{
    ResultsData data;
    const QString numberError = errorOf([&] {
        parseResults({"2,2000/10/12,1,2,3,4,5,6,7", "1,2000/10/05,1,2,3,4,5,zz,7"},
                     {"1,0,0,0,0,0,0,0,0,0,0,0"}, &data);
    });
    QVERIFY2(numberError.contains("Loto6Number.csv の第1回（2 行目）") &&
                 numberError.contains("'zz'"),
             qPrintable(numberError));
    const QString dataError = errorOf(
        [&] { parseResults({"1,2000/10/05,1,2,3,4,5,6,7"}, {"1,0,0,0,0,0,0,0,0,0,0,0,"}, &data); });
    QVERIFY2(dataError.contains("Loto6Data.csv の第1回（1 行目）"), qPrintable(dataError));
    QVERIFY(data.draws.isEmpty());
}

void TestResultsFiles::bundledHistory()
{
    ResultsData data;
    QCOMPARE(parseResults(bundledLines(kNumberFileName), bundledLines(kDataFileName), &data),
             ResultsStatus::Loaded);
    QCOMPARE(data.draws.size(), 2037);
    QCOMPARE(data.prizes.size(), 2037);
    QCOMPARE(data.amounts.size(), 2037);
    QCOMPARE(data.amounts.last().draw, 1);
    QCOMPARE(data.comingDraw, 2038);
    QCOMPARE(data.newestDraw, 2037);
    QCOMPARE(data.draws.last().caption, QString("    1"));
    QCOMPARE(data.draws.last().date, QString("2000/10/05"));
    for (const auto &position : data.counts)
        QCOMPARE(std::accumulate(position.begin(), position.end(), 0), 2037);
    // Position ① of draw 2037 is 7: it counts in row 0, column 6.
    const BaseCountTable single = countBaseNumbers({data.draws.first()});
    QCOMPARE(single[0][6], 1);
    QCOMPARE(single[5][28], 1);
}

QTEST_GUILESS_MAIN(TestResultsFiles)
#include "tst_resultsfiles.moc"
