#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"
#include "core/tickets/WinningCheck.h"

#include <QTest>

namespace
{

// Draw 10: 03 11 19 24 38 42, bonus 07.
DrawRecord draw10()
{
    return parseDrawLine("10,2001/01/11,3,11,19,24,38,42,7");
}

// A ticket line written with blanks for its commas.
TicketLine lineOf(const QString &spaced)
{
    return readTicketLine(QString(spaced).replace(' ', ','));
}

} // namespace

class TestWinningCheck : public QObject
{
    Q_OBJECT
private slots:
    void tiers_data();
    void tiers();
    void validLines_data();
    void validLines();
    void walksHistoryOrderThenTicketOrder();
    void realLinesAgainstBundledHistory();
};

void TestWinningCheck::tiers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("six") << "03 11 19 24 38 42"
                         << "１等が当選しました。";
    QTest::newRow("five and the bonus") << "03 07 11 19 24 38"
                                        << "２等が当選しました。";
    QTest::newRow("five without the bonus") << "01 03 11 19 24 38"
                                            << "３等が当選しました。";
    QTest::newRow("four with the bonus") << "03 07 11 19 24 40"
                                         << "４等が当選しました。";
    QTest::newRow("four") << "01 02 03 11 19 24"
                          << "４等が当選しました。";
    QTest::newRow("three") << "01 02 03 11 19 43"
                           << "５等が当選しました。";
    QTest::newRow("two and the bonus") << "01 02 03 07 11 43"
                                       << "";
    QTest::newRow("none") << "01 02 04 05 06 08"
                          << "";
    QTest::newRow("single digits are their numbers") << "3 7 11 19 24 38"
                                                     << "２等が当選しました。";
}

void TestWinningCheck::tiers()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    const QVector<CheckResult> results =
        checkTickets(PastDraws({draw10()}, {}), {lineOf("10 " + line)});
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].text, text);
}

void TestWinningCheck::validLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::newRow("six different") << "01 02 03 11 19 43" << true;
    QTest::newRow("single digit") << "3 11 19 24 38 42" << true;
    QTest::newRow("repeated") << "07 07 07 07 07 07" << false;
    QTest::newRow("3 and 03") << "3 03 19 24 38 42" << false;
    QTest::newRow("00") << "00 11 19 24 38 42" << false;
    QTest::newRow("44") << "03 11 19 24 38 44" << false;
    QTest::newRow("letters") << "03 11 19 24 38 4a" << false;
    QTest::newRow("sign") << "+3 11 19 24 38 42" << false;
    QTest::newRow("missing") << "03 11 19 24 38" << false;
    QTest::newRow("seven numbers") << "03 11 19 24 38 42 43" << false;
    QTest::newRow("leading zeros") << "003 11 19 24 38 0042" << true;
    QTest::newRow("blank field") << "03 11 19 24 38 \"\"" << false;
}

// Only a valid line gets a tier; the check names an invalid one as such.
void TestWinningCheck::validLines()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QCOMPARE(lineOf("10 " + line).valid(), valid);
    const QVector<CheckResult> results =
        checkTickets(PastDraws({draw10()}, {}), {lineOf("10 " + line)});
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].valid, valid);
    if (!valid)
        QCOMPARE(results[0].text, QString("無効"));
}

void TestWinningCheck::walksHistoryOrderThenTicketOrder()
{
    const QVector<DrawRecord> history = {parseDrawLine("12,2001/01/25,1,2,3,4,5,6,7"),
                                         parseDrawLine("11,2001/01/18,1,2,3,4,5,6,7"), draw10()};
    const QVector<TicketLine> tickets = {
        lineOf("10 03 11 19 24 38 42"),  lineOf("12 01 02 03 40 41 42"),
        lineOf("99 01 02 03 04 05 06"),  readTicketLine(" 10 ,03,11,19,01,02,04"),
        readTicketLine(",,,,,,"), // the line of six commas
        lineOf("012 01 02 03 04 05 06"), readTicketLine("メモ：次は 07 を外す")};
    const QVector<CheckResult> results = checkTickets(PastDraws(history, {}), tickets);
    QCOMPARE(results.size(), 5);
    // The memo names no draw: it comes last, invalid.
    QCOMPARE(results[4].ticketRow, 6);
    QCOMPARE(results[4].text, QString("無効"));
    QVERIFY(!results[4].valid && results[4].date.isEmpty());
    QCOMPARE(results[0].ticketRow, 1);
    QCOMPARE(results[0].text, QString("５等が当選しました。"));
    QCOMPARE(results[1].ticketRow, 5);
    QCOMPARE(results[1].text, QString("１等が当選しました。"));
    QCOMPARE(results[2].ticketRow, 0);
    QCOMPARE(results[2].text, QString("１等が当選しました。"));
    QCOMPARE(results[3].ticketRow, 3); // draw number with blanks around it still matches
    QCOMPARE(results[3].text, QString("５等が当選しました。"));
    QCOMPARE(checkTickets({}, tickets).size(), 1); // only the memo
}

void TestWinningCheck::realLinesAgainstBundledHistory()
{
    ResultsData data;
    const QString folder = QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/");
    QCOMPARE(parseResults(readTextLines(folder + kNumberFileName),
                          readTextLines(folder + kDataFileName), &data),
             ResultsStatus::Loaded);
    // Draw 2037 drew 07 12 20 23 27 29, bonus 10; draw 2036 drew 07 10 17 26 35 42, bonus 33.
    const QVector<TicketLine> tickets = {
        lineOf("2037 07 10 12 20 23 27"), lineOf("2036 07 10 17 26 35 42"),
        lineOf("2036 01 02 17 26 33 42"), lineOf("2037 01 02 03 04 05 06")};
    const QVector<CheckResult> results = checkTickets(PastDraws(data), tickets);
    QCOMPARE(results.size(), 4);
    // Newest draw first, then each draw's lines in ticket order.
    QCOMPARE(results[0].ticketRow, 0);
    QCOMPARE(results[0].text, QString("２等が当選しました。"));
    QCOMPARE(results[1].ticketRow, 3);
    QCOMPARE(results[1].text, QString());
    QCOMPARE(results[2].ticketRow, 1);
    QCOMPARE(results[2].text, QString("１等が当選しました。"));
    QCOMPARE(results[3].ticketRow, 2);
    QCOMPARE(results[3].text, QString("５等が当選しました。"));
}

QTEST_GUILESS_MAIN(TestWinningCheck)
#include "tst_winningcheck.moc"
