// A line against the whole history, and the spend and return of the saved lines: tiers,
// paid amounts and the wins of a tier nobody won, on small hand-made histories.

#include "core/common/DomainError.h"
#include "core/results/PastDraws.h"
#include "core/tickets/LineHistory.h"
#include "core/tickets/TicketReport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Draw 10: 01..06, bonus 07. Draw 11: 01 02 03 04 05 10, bonus 06. Draw 12: 01 02 03 04 05 11,
// bonus 12. Draw 13: 01 02 03 20 21 22, bonus 04. Draw 14: 01 02 20 21 22 23, bonus 03. Nobody
// won 2等 in draws 10 and 11 (amount 0).
PastDraws history()
{
    QVector<DrawRecord> draws;
    for (const char *line : {"14,2001/02/01,1,2,20,21,22,23,3", "13,2001/01/25,1,2,3,20,21,22,4",
                             "12,2001/01/18,1,2,3,4,5,11,12", "11,2001/01/11,1,2,3,4,5,10,6",
                             "10,2001/01/04,1,2,3,4,5,6,7"})
        draws.append(parseDrawLine(QString::fromLatin1(line)));
    const QStringList prizes = {"10,200000000,1,0,0,500000,3,9000,100,1000,2000,0",
                                "11,0,0,0,0,600000,4,8000,110,1000,2100,300000000",
                                "12,0,0,14000000,3,700000,5,7000,120,1000,2200,0",
                                "13,0,0,13000000,4,800000,6,6000,130,1000,2300,0",
                                "14,0,0,12000000,5,900000,7,5000,140,1000,2400,0"};
    return PastDraws(draws, prizes);
}

void write(const QTemporaryDir &dir, const QString &name, const QByteArray &lines)
{
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines);
}

} // namespace

class TestLineHistory : public QObject
{
    Q_OBJECT
private slots:
    void tiersAndTotals();
    void refusedLines_data();
    void refusedLines();
    void reportTotals();
    void reportReadsTicketFilesOnly_data();
    void reportReadsTicketFilesOnly();
};

void TestLineHistory::tiersAndTotals()
{
    const LineHistoryResult result =
        checkLineHistory(parseLineText("06 05 04 03 02 01"), history());
    QCOMPARE(result.drawsChecked, 5);
    const QVector<int> wins = {1, 1, 1, 0, 1};
    const QVector<std::int64_t> amounts = {200000000, 0, 700000, 0, 1000};
    const QVector<QVector<int>> draws = {{10}, {11}, {12}, {}, {}};
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const TierTally &tally = result.tiers[static_cast<size_t>(tier)];
        QCOMPARE(tally.wins, wins.at(tier));
        QCOMPARE(tally.amount, amounts.at(tier));
        QCOMPARE(tally.draws, draws.at(tier));
    }
    // Draw 11 paid nobody at 2等: the win counts, its amount stays out.
    QCOMPARE(result.tiers[1].unpaidWins, 1);
    QCOMPARE(result.unpaidWins(), 1);
    QCOMPARE(result.spend(), std::int64_t(1000));
    QCOMPARE(result.winnings(), std::int64_t(200701000));
    QCOMPARE(result.returnRate(), 20070100.0);
}

void TestLineHistory::refusedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("five") << "1 2 3 4 5"
                          << QString("数字が5個です。異なる６個の数字を入力してください。");
    QTest::newRow("seven") << "1,2,3,4,5,6,7"
                           << QString("数字が7個です。異なる６個の数字を入力してください。");
    QTest::newRow("out of range") << "1 2 3 4 5 44"
                                  << QString("「44」は１～４３の範囲にありません。");
    QTest::newRow("zero") << "0 2 3 4 5 6" << QString("「0」は１～４３の範囲にありません。");
    QTest::newRow("twice") << "1 2 3 4 05 5" << QString("「5」が２回入力されています。");
    QTest::newRow("not a number") << "1 2 x 4 5 6" << QString("「x」は数字ではありません。");
    QTest::newRow("full-width accepted") << "１，２　３、4 5,6" << QString("");
}

void TestLineHistory::refusedLines()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QString fault;
    try {
        QCOMPARE(parseLineText(text), NumberSet(0x7E)); // 1..6
    } catch (const DomainError &e) {
        fault = e.message();
    }
    QCOMPARE(fault, message);
}

void TestLineHistory::reportTotals()
{
    QTemporaryDir client;
    write(client, "10.csv",
          "10,01,02,03,04,05,06\r\n"    // 1等 of draw 10
          "10,01,02,03,04,05,07\r\n"    // 2等 of draw 10, nobody won it: no amount
          "10,1,2,3,4,5,6\r\n"          // the same numbers written by hand: 1等 again
          "10,01,02,03,04,05,06,07\r\n" // seven numbers: no line
          "11,01,02,03,30,31,32\r\n"    // a line of draw 11 in the file of 10: 5等
          ",,,,,,\r\n");                // what a cancel leaves: no line
    write(client, "11.csv",
          "11,30,31,32,33,34,35\r\n"                     // nothing won
          "11,01,01,02,03,04,05\r\n");                   // a number twice
    write(client, "15.csv", "15,01,02,03,04,05,06\r\n"); // no result yet
    const TicketReport report = buildTicketReport(client.path(), history());

    QCOMPARE(report.draws.size(), 3);
    const ReportDraw &pending = report.draws.at(0);
    QCOMPARE(pending.draw, 15);
    QVERIFY(!pending.drawn);
    QCOMPARE(pending.lines, 1);
    const ReportDraw &draw11 = report.draws.at(1);
    QCOMPARE(draw11.draw, 11);
    QCOMPARE(draw11.date, QString("2001/01/11"));
    QCOMPARE(draw11.lines, 2);
    QCOMPARE(draw11.wins, (std::array<int, kPrizeTiers>{0, 0, 0, 0, 1}));
    QCOMPARE(draw11.winnings, std::int64_t(1000));
    const ReportDraw &draw10 = report.draws.at(2);
    QCOMPARE(draw10.lines, 3);
    QCOMPARE(draw10.wins, (std::array<int, kPrizeTiers>{2, 1, 0, 0, 0}));
    QCOMPARE(draw10.winnings, std::int64_t(400000000));
    QCOMPARE(draw10.unpaidWins, 1);

    QCOMPARE(report.lines, 5);
    QCOMPARE(report.spend, std::int64_t(1000));
    QCOMPARE(report.winnings, std::int64_t(400001000));
    QCOMPARE(report.balance(), std::int64_t(400000000));
    QCOMPARE(report.unpaidWins, 1);
    QCOMPARE(report.pendingLines, 1);
    QCOMPARE(report.invalidLines, 2);
}

void TestLineHistory::reportReadsTicketFilesOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines");   // counted from the file
    QTest::addColumn<int>("skipped"); // told as a file not named by a draw
    QTest::newRow("ticket file") << "10.csv" << 1 << 0;
    QTest::newRow("leading zero") << "0700.csv" << 0 << 1;
    QTest::newRow("a copy") << "10 - コピー.csv" << 0 << 1;
    QTest::newRow("the program's claims") << "claimed.csv" << 0 << 0;
}

void TestLineHistory::reportReadsTicketFilesOnly()
{
    QFETCH(QString, name);
    QFETCH(int, lines);
    QFETCH(int, skipped);
    QTemporaryDir client;
    write(client, name, "10,01,02,03,04,05,06\r\n");
    const TicketReport report = buildTicketReport(client.path(), history());
    QCOMPARE(report.lines, lines);
    QCOMPARE(report.skippedFiles, skipped);
}

QTEST_GUILESS_MAIN(TestLineHistory)
#include "tst_linehistory.moc"
