// The prizes of the saved lines: claim deadlines, claimed.csv and the news of a draw, on a
// small hand-made history.

#include "core/tickets/PrizeClaims.h"
#include "core/tickets/TicketWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Draw 10 (2001/01/04): 01..06, bonus 07, nobody won 2等. Draw 11 (2001/01/11): 01..05 10,
// bonus 06. Draw 12 (2001/01/18): 01..05 11, bonus 12.
PastDraws history()
{
    QVector<DrawRecord> draws;
    for (const char *line : {"12,2001/01/18,1,2,3,4,5,11,12", "11,2001/01/11,1,2,3,4,5,10,6",
                             "10,2001/01/04,1,2,3,4,5,6,7"})
        draws.append(parseDrawLine(QString::fromLatin1(line)));
    return PastDraws(draws, {"10,200000000,1,0,0,500000,3,9000,100,1000,2000,0",
                             "11,0,0,0,0,600000,4,8000,110,1000,2100,300000000",
                             "12,0,0,14000000,3,700000,5,7000,120,1000,2200,0"});
}

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

class TestPrizeClaims : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void deadline_data();
    void deadline();
    void deadlineOfEveryDay();
    void warningFromThirtyDaysLeft_data();
    void warningFromThirtyDaysLeft();
    void claimsUntilTheDeadline_data();
    void claimsUntilTheDeadline();
    void claimedRoundTrip();
    void news();
    void newsNamesAnExpiredDeadline_data();
    void newsNamesAnExpiredDeadline();
    void checkNamesTheEarliestOpenDeadline();
    void unreadMarksAreKeptByteForByte_data();
    void unreadMarksAreKeptByteForByte();
    void markGoesInFrontOfAnEndMark_data();
    void markGoesInFrontOfAnEndMark();
    void untickSticksWithMoreMarksThanPrizes();
    void unreadableFilesAreNamed();
    void startUpWarningReadsOpenDrawsOnly_data();
    void startUpWarningReadsOpenDrawsOnly();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_client; // with trailing "/"
};

void TestPrizeClaims::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir("client"));
    m_client = m_dir->path() + "/client/";
    writeTicketLines(m_client + "10.csv",
                     "10,01,02,03,20,21,22\r\n"                      // 5等
                     "10,01,02,03,04,05,07\r\n");                    // 2等, nobody else: no amount
    writeTicketLines(m_client + "12.csv", "12,01,02,03,04,30,31\r\n" // 4等
                                          "12,01,02,03,20,21,22\r\n" // 5等
                                          "12,01,02,03,20,21,22\r\n\n" // the same line bought twice
                                          "11,30,31,32,33,34,35\n");   // nothing won
    writeTicketLines(m_client + "13.csv", "13,01,02,03,04,05,06\r\n"); // not drawn yet
    // Neither is a ticket file: a copy, and the claims themselves.
    writeTicketLines(m_client + "12 - コピー.csv", "12,01,02,03,04,05,11\r\n");
    writeTicketLines(m_client + "claimed.csv", "12,01,02,03,20,21,22,2002/01/07\n\nnot a claim\n");
}

void TestPrizeClaims::deadline_data()
{
    QTest::addColumn<QDate>("drawn");
    QTest::addColumn<QDate>("deadline");
    QTest::newRow("a normal day") << QDate(2025, 9, 25) << QDate(2026, 9, 25);
    QTest::newRow("29 February") << QDate(2024, 2, 29) << QDate(2025, 2, 28);
    QTest::newRow("to 29 February") << QDate(2023, 2, 28) << QDate(2024, 2, 29);
    QTest::newRow("year end") << QDate(2025, 12, 31) << QDate(2026, 12, 31);
    QTest::newRow("before 29 February") << QDate(2008, 2, 28) << QDate(2009, 2, 28);
    QTest::newRow("a Monday before 29 February") << QDate(2028, 2, 28) << QDate(2029, 2, 28);
}

// A year counted from the day after the draw ends the day before that day's date a year later;
// a year with no such date (from 29 February) ends on the last day of that month.
void TestPrizeClaims::deadlineOfEveryDay()
{
    for (QDate drawn(2000, 1, 1); drawn.year() <= 2100; drawn = drawn.addDays(1)) {
        const QDate begins = drawn.addDays(1);
        const int y = begins.year() + 1, m = begins.month(), d = begins.day();
        const QDate expected = QDate::isValid(y, m, d) ? QDate(y, m, d).addDays(-1)
                                                       : QDate(y, m, QDate(y, m, 1).daysInMonth());
        if (claimDeadline(drawn) != expected)
            QFAIL(qPrintable(drawn.toString(Qt::ISODate) + " gives " +
                             claimDeadline(drawn).toString(Qt::ISODate)));
    }
}

void TestPrizeClaims::warningFromThirtyDaysLeft_data()
{
    QTest::addColumn<int>("daysLeft");
    QTest::addColumn<QString>("warning");
    QTest::newRow("31 days") << 31 << "";
    QTest::newRow("30 days") << 30 << "受取期限の近い当選があります（1件、最短 あと 30 日）。";
    QTest::newRow("the deadline day")
        << 0 << "受取期限の近い当選があります（1件、最短 本日まで）。";
    QTest::newRow("passed") << -1 << "";
}

void TestPrizeClaims::warningFromThirtyDaysLeft()
{
    QFETCH(int, daysLeft);
    QFETCH(QString, warning);
    PrizeClaim claim;
    claim.daysLeft = daysLeft;
    QCOMPARE(claimWarningText(claimWarning({claim})), warning);
    claim.claimed = true;
    QCOMPARE(claimWarningText(claimWarning({claim})), QString());
    // In any order, the fewest days left are named.
    PrizeClaim sooner, later;
    sooner.daysLeft = 3;
    later.daysLeft = 20;
    QCOMPARE(claimWarning({sooner, later}).fewestDaysLeft, 3);
}

void TestPrizeClaims::deadline()
{
    QFETCH(QDate, drawn);
    QFETCH(QDate, deadline);
    QCOMPARE(claimDeadline(drawn), deadline);
}

void TestPrizeClaims::claimsUntilTheDeadline_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<qint64>("unclaimed");
    QTest::addColumn<QString>("warning");
    const QString soon = "受取期限の近い当選があります（2件、最短 %1）。";
    QTest::newRow("draw 12 over 30 days")
        << QDate(2001, 12, 10) << qint64(9000) << soon.arg("あと 25 日");
    QTest::newRow("draw 10 expired") << QDate(2002, 1, 8) << qint64(8000) << soon.arg("あと 10 日");
    QTest::newRow("deadline day") << QDate(2002, 1, 18) << qint64(8000) << soon.arg("本日まで");
    QTest::newRow("all expired") << QDate(2002, 1, 19) << qint64(0) << "";
    QTest::newRow("both draws near: the fewest days")
        << QDate(2002, 1, 1) << qint64(9000)
        << "受取期限の近い当選があります（4件、最短 あと 3 日）。";
}

void TestPrizeClaims::claimsUntilTheDeadline()
{
    QFETCH(QDate, today);
    QFETCH(qint64, unclaimed);
    QFETCH(QString, warning);
    const QVector<PrizeClaim> claims = readPrizeClaims(m_client, history(), today);
    QCOMPARE(qint64(unclaimedTotal(claims)), unclaimed);
    QCOMPARE(claimWarningText(claimWarning(claims)), warning);
}

void TestPrizeClaims::claimedRoundTrip()
{
    const QDate today(2002, 1, 8);
    QVector<PrizeClaim> claims = readPrizeClaims(m_client, history(), today);
    QStringList shown;
    for (const PrizeClaim &c : claims)
        shown << QString("%1 %2等 %3 %4 ")
                         .arg(c.line.draw())
                         .arg(c.tier)
                         .arg(c.amount)
                         .arg(c.line.numberTexts().join(' ')) +
                     daysLeftText(c.daysLeft) + (c.claimed ? c.claimedOn.toString(" 済MM/dd") : "");
    QCOMPARE(shown, QStringList({"12 4等 7000 01 02 03 04 30 31 あと 10 日",
                                 "12 5等 1000 01 02 03 20 21 22 あと 10 日 済01/07",
                                 "12 5等 1000 01 02 03 20 21 22 あと 10 日",
                                 "10 5等 1000 01 02 03 20 21 22 期限切れ",
                                 "10 2等 0 01 02 03 04 05 07 期限切れ"}));

    setClaimed(m_client, claims, 2, true, today); // the second 5等 of draw 12
    QCOMPARE(readBytes(m_client + "claimed.csv"),
             QByteArray("12,01,02,03,20,21,22,2002/01/07\n\nnot a claim\n"
                        "12,01,02,03,20,21,22,2002/01/08\r\n"));
    claims = readPrizeClaims(m_client, history(), today);
    QVERIFY(claims.at(1).claimed && claims.at(2).claimed && !claims.at(0).claimed);
    setClaimed(m_client, claims, 0, false, today); // not claimed: nothing to take away
    setClaimed(m_client, claims, 2, false, today);
    QCOMPARE(readBytes(m_client + "claimed.csv"),
             QByteArray("12,01,02,03,20,21,22,2002/01/07\n\nnot a claim\n"));
    QCOMPARE(QDir(m_client).entryList(QDir::Files).size(), 5); // no temporary file left
}

void TestPrizeClaims::news()
{
    QCOMPARE(drawNews(readSavedLines(m_client), history(), {12, 11, 10, 13}, QDate(2001, 2, 1)),
             QStringList({"第10回：２等 1口 金額未定、５等 1口 ¥1,000（支払期限 2002/01/04）",
                          "第11回：当選はありませんでした（1口）",
                          "第12回：４等 1口 ¥7,000、５等 2口 ¥2,000（支払期限 2002/01/18）"}));
    // A first prize; a draw asked for with no line of it says nothing.
    QCOMPARE(drawNews({*LotoLine::fromText("10,01,02,03,04,05,06")}, history(), {10, 12},
                      QDate(2001, 2, 1)),
             QStringList("第10回：１等 1口 ¥200,000,000（支払期限 2002/01/04）"));
}

void TestPrizeClaims::newsNamesAnExpiredDeadline_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("deadline"); // of draw 12, drawn 2001/01/18
    QTest::newRow("the day before") << QDate(2002, 1, 17) << "（支払期限 2002/01/18）";
    QTest::newRow("the day itself") << QDate(2002, 1, 18) << "（支払期限 2002/01/18、本日まで）";
    QTest::newRow("the day after") << QDate(2002, 1, 19) << "（支払期限 2002/01/18、期限切れ）";
}

void TestPrizeClaims::newsNamesAnExpiredDeadline()
{
    QFETCH(QDate, today);
    QFETCH(QString, deadline);
    QCOMPARE(drawNews(readSavedLines(m_client), history(), {12}, today),
             QStringList("第12回：４等 1口 ¥7,000、５等 2口 ¥2,000" + deadline));
}

void TestPrizeClaims::checkNamesTheEarliestOpenDeadline()
{
    // Wins of draws held 2025/09/25 and 2025/12/01 (tier 0 and invalid lines do not count).
    const QVector<CheckResult> results{{0, "", true, 0, "2024/01/04"},
                                       {1, "", true, 5, "2025/12/01"},
                                       {2, "", true, 3, "2025/09/25"},
                                       {3, "無効", false, 0, "2024/01/04"}};
    QCOMPARE(checkDeadlineText(results, QDate(2026, 1, 5)), QString("支払期限：2026/09/25 まで"));
    QCOMPARE(checkDeadlineText(results, QDate(2026, 9, 26)), QString("支払期限：2026/12/01 まで"));
    QCOMPARE(checkDeadlineText(results, QDate(2026, 12, 2)),
             QString("支払期限（2026/12/01）を過ぎています。"));
    QCOMPARE(checkDeadlineText(results.mid(0, 1), QDate(2026, 1, 5)), QString());
    // The deadline day is the last day to claim.
    QCOMPARE(checkDeadlineText(results.mid(2, 1), QDate(2026, 9, 25)),
             QString("支払期限：2026/09/25 まで"));
    QCOMPARE(checkDeadlineText(results.mid(2, 1), QDate(2026, 9, 26)),
             QString("支払期限（2026/09/25）を過ぎています。"));
}

// A line of claimed.csv that is no mark stays byte for byte through a tick and an untick.
void TestPrizeClaims::unreadMarksAreKeptByteForByte_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("after"); // the file after a tick and an untick
    const QByteArray badDate = "12,01,02,03,20,21,22,2002/13/40\r\n",
                     hyphens = "12,01,02,03,20,21,22,2026-12-05\r\n",
                     seven = "12,01,02,03,20,21,22,23,2002/01/07\n", memo = "受け取りは銀行で";
    QTest::newRow("a bad date") << badDate << badDate;
    QTest::newRow("a date with hyphens") << hyphens << hyphens;
    QTest::newRow("seven numbers") << seven << seven;
    QTest::newRow("a memo, last, no line end: it gets one") << memo << memo + "\r\n";
}

void TestPrizeClaims::unreadMarksAreKeptByteForByte()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, after);
    const QDate today(2002, 1, 8);
    const QByteArray before = "12,01,02,03,20,21,22,2002/01/07\r\n" + line;
    writeTicketLines(m_client + "claimed.csv", before);
    QVector<PrizeClaim> claims = readPrizeClaims(m_client, history(), today);
    setClaimed(m_client, claims, 0, true, today);
    const QByteArray ticked = readBytes(m_client + "claimed.csv");
    QVERIFY(ticked.contains(line));
    QVERIFY(ticked.contains("12,01,02,03,04,30,31,2002/01/08\r\n"));
    claims = readPrizeClaims(m_client, history(), today);
    QVERIFY(claims.at(0).claimed && claims.at(1).claimed && !claims.at(2).claimed);
    setClaimed(m_client, claims, 0, false, today);
    setClaimed(m_client, claims, 1, false, today);
    QCOMPARE(readBytes(m_client + "claimed.csv"), after);
}

// A tick adds its mark in front of a Ctrl+Z that ends the file; an untick takes its mark away
// and leaves the end of the file as it was.
void TestPrizeClaims::markGoesInFrontOfAnEndMark_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("tick"); // draw 12's 4等 ticked, or its claimed 5等 unticked
    QTest::addColumn<QByteArray>("after");
    const QByteArray mark = "12,01,02,03,20,21,22,2002/01/07\r\n",
                     added = "12,01,02,03,04,30,31,2002/01/08\r\n", memo = "受け取りは銀行で";
    QTest::newRow("tick: Ctrl+Z alone") << QByteArray("\x1a") << true << added + "\x1a";
    QTest::newRow("tick: a mark, Ctrl+Z") << mark + "\x1a" << true << mark + added + "\x1a";
    QTest::newRow("untick: a memo last, no line end") << mark + memo << false << memo;
}

void TestPrizeClaims::markGoesInFrontOfAnEndMark()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, tick);
    QFETCH(QByteArray, after);
    const QDate today(2002, 1, 8);
    writeTicketLines(m_client + "claimed.csv", before);
    setClaimed(m_client, readPrizeClaims(m_client, history(), today), tick ? 0 : 1, tick, today);
    QCOMPARE(readBytes(m_client + "claimed.csv"), after);
}

// Both prizes of a line saved twice ticked, then one ticket line cancelled: two marks, one
// prize. Unticking it sticks, and the total counts it again.
void TestPrizeClaims::untickSticksWithMoreMarksThanPrizes()
{
    const QDate today(2002, 1, 8);
    writeTicketLines(m_client + "claimed.csv", "12,01,02,03,20,21,22,2002/01/07\r\n"
                                               "12,01,02,03,20,21,22,2002/01/08\r\n");
    writeTicketLines(m_client + "12.csv", "12,01,02,03,20,21,22\r\n");
    QVector<PrizeClaim> claims = readPrizeClaims(m_client, history(), today);
    QCOMPARE(claims.size(), 3); // draw 12's one 5等, and draw 10's two
    QVERIFY(claims.at(0).claimed);
    setClaimed(m_client, claims, 0, false, today);
    claims = readPrizeClaims(m_client, history(), today);
    QVERIFY(!claims.at(0).claimed);
    QCOMPARE(qint64(unclaimedTotal(claims)), qint64(1000));
    QCOMPARE(readBytes(m_client + "claimed.csv"), QByteArray());
    setClaimed(m_client, claims, 0, true, today); // one tick, one mark
    QCOMPARE(readBytes(m_client + "claimed.csv"),
             QByteArray("12,01,02,03,20,21,22,2002/01/08\r\n"));
}

// A ticket file or claimed.csv that cannot be read (here a folder, or a FIFO, in their place) is
// named; what could be read is shown, and the warning still warns.
void TestPrizeClaims::unreadableFilesAreNamed()
{
    const QDate today(2002, 1, 8);
    QVERIFY(QDir(m_client).mkdir("11.csv"));
    QFile::remove(m_client + "claimed.csv");
    QVERIFY(QDir(m_client).mkdir("claimed.csv"));
    const PrizeClaimsReading reading = readPrizeClaimsNamingFailures(m_client, history(), today);
    QCOMPARE(reading.claims.size(), 5);
    QVERIFY(!reading.marksRead);
    QCOMPARE(reading.unreadable,
             QStringList({"client/11.csv を読めません：通常のファイルではありません",
                          "client/claimed.csv を読めません：通常のファイルではありません"}));

    // The start-up warning reads only the files of draws whose prizes are still open: draw 10's
    // deadline (2002/01/04) has passed.
    QDir(m_client).rmdir("claimed.csv");
    writeTicketLines(m_client + "10.csv", QByteArray(kMaxTicketFileBytes + 1, ' '));
    const QString folder = m_dir->path() + "/";
    QCOMPARE(readClaimWarningText(folder, history(), today),
             QString("受取期限の近い当選があります（3件、最短 あと 10 日）。　"
                     "client/11.csv を読めません：通常のファイルではありません"));
}

void TestPrizeClaims::startUpWarningReadsOpenDrawsOnly_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("readsDraw10");
    QTest::addColumn<bool>("warns");
    // Draw 10's file cannot be read: it is named while draw 10's prizes are open.
    QTest::newRow("draw 10's deadline day") << QDate(2002, 1, 4) << true << true;
    QTest::newRow("the day after it") << QDate(2002, 1, 5) << false << true;
    // Draw 12 is the newest: after its deadline nothing is open, and nothing is read.
    QTest::newRow("draw 12's deadline day") << QDate(2002, 1, 18) << false << true;
    QTest::newRow("the day after draw 12's") << QDate(2002, 1, 19) << false << false;
}

void TestPrizeClaims::startUpWarningReadsOpenDrawsOnly()
{
    QFETCH(QDate, today);
    QFETCH(bool, readsDraw10);
    QFETCH(bool, warns);
    writeTicketLines(m_client + "10.csv", QByteArray(kMaxTicketFileBytes + 1, ' '));
    const QString text = readClaimWarningText(m_dir->path() + "/", history(), today);
    QCOMPARE(text.contains("client/10.csv を読めません"), readsDraw10);
    QCOMPARE(!text.isEmpty(), warns);
}

QTEST_GUILESS_MAIN(TestPrizeClaims)
#include "tst_prizeclaims.moc"
