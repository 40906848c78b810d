// The draw days: Mondays and Thursdays, none from 31 December to 3 January.

#include "core/results/DrawCalendar.h"

#include <QTest>
#include <QTimeZone>

class TestDrawCalendar : public QObject
{
    Q_OBJECT
private slots:
    void expectedDraws_data();
    void expectedDraws();
    void missingDraws_data();
    void missingDraws();
    void staleHistoryTexts();
    void japanDate_data();
    void japanDate();
};

void TestDrawCalendar::expectedDraws_data()
{
    QTest::addColumn<QDate>("newest"); // the date of draw 2037
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Thursday, Monday")
        << QDate(2025, 9, 25)
        << QStringList{"第2038回（2025/09/29 月）", "第2039回（2025/10/02 木）",
                       "第2040回（2025/10/06 月）"};
    QTest::newRow("New Year's Day")
        << QDate(2025, 12, 29)
        << QStringList{"第2038回（2026/01/05 月）", "第2039回（2026/01/08 木）"};
    QTest::newRow("31 Dec and 3 Jan")
        << QDate(2029, 12, 27) << QStringList{"第2038回（2030/01/07 月）"};
}

void TestDrawCalendar::expectedDraws()
{
    QFETCH(QDate, newest);
    QFETCH(QStringList, expected);
    QStringList texts;
    for (const ExpectedDraw &draw :
         ::expectedDraws(2037, newest, static_cast<int>(expected.size())))
        texts.append(expectedDrawText(draw));
    QCOMPARE(texts, expected);
}

void TestDrawCalendar::missingDraws_data()
{
    QTest::addColumn<QDate>("today"); // the newest draw, 2037, was held on Thursday 2025/09/25
    QTest::addColumn<int>("missing");
    QTest::addColumn<QString>("next"); // by the calendar
    QTest::newRow("the day of the newest draw")
        << QDate(2025, 9, 25) << 0 << "第2038回（2025/09/29 月）";
    QTest::newRow("the next draw day itself")
        << QDate(2025, 9, 29) << 0 << "第2038回（2025/09/29 月）";
    QTest::newRow("the day after it") << QDate(2025, 9, 30) << 1 << "第2039回（2025/10/02 木）";
    QTest::newRow("the second draw day itself")
        << QDate(2025, 10, 2) << 1 << "第2039回（2025/10/02 木）";
    QTest::newRow("past the new year (29 Dec, 5 Jan)")
        << QDate(2026, 1, 6) << 28 << "第2066回（2026/01/08 木）";
}

// The draws missing, the next one, and the one rule of a draw over by the calendar: the last
// missing draw is over, the next one is not, nor is the newest one with results.
void TestDrawCalendar::missingDraws()
{
    QFETCH(QDate, today);
    QFETCH(int, missing);
    QFETCH(QString, next);
    QCOMPARE(::missingDraws(QDate(2025, 9, 25), today), missing);
    QCOMPARE(::missingDraws(QDate(), today), 0); // no newest date read: nothing to count
    const HistoryLag lag = historyLag(2037, QDate(2025, 9, 25), today);
    QCOMPARE(expectedDrawText(lag.next), next);
    QCOMPARE(isPastByCalendar(2037 + missing, lag), missing > 0);
    QVERIFY(!isPastByCalendar(2037 + missing + 1, lag));
    QVERIFY(!isPastByCalendar(2037, lag));
    QCOMPARE(staleHistoryBanner(lag).isEmpty(), missing == 0);
}

void TestDrawCalendar::staleHistoryTexts()
{
    const HistoryLag lag = historyLag(2037, QDate(2025, 9, 25), QDate(2025, 10, 3));
    QCOMPARE(staleHistoryBanner(lag),
             QString("抽選結果は第2037回（2025/09/25）までで、そのあと暦では2回の抽選がありました。"
                     "暦での次の抽選は第2040回（2025/10/06 月）です。"));
    QCOMPARE(staleHistoryText(2037, QDate(2025, 9, 25), 0), QString());
    QVERIFY(staleHistoryText(2037, QDate(2025, 9, 25), 125)
                .startsWith("読み込んだ抽選結果は第2037回（2025/09/25）までで、そのあとの125回分が"
                            "ありません。"));
}

// The day turns at 15:00 UTC, whatever the offset the instant is written in.
void TestDrawCalendar::japanDate_data()
{
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QDate>("expected");
    const auto utc = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    };
    QTest::newRow("UTC midnight") << utc(2025, 9, 25, 0, 0, 0) << QDate(2025, 9, 25);
    QTest::newRow("last second of the day") << utc(2025, 12, 31, 14, 59, 59) << QDate(2025, 12, 31);
    QTest::newRow("first second of the next") << utc(2025, 12, 31, 15, 0, 0) << QDate(2026, 1, 1);
    QTest::newRow("written at UTC-5")
        << QDateTime(QDate(2025, 9, 25), QTime(10, 0), QTimeZone(-5 * 3600)) << QDate(2025, 9, 26);
}

void TestDrawCalendar::japanDate()
{
    QFETCH(QDateTime, instant);
    QFETCH(QDate, expected);
    QCOMPARE(::japanDate(instant), expected);
}

QTEST_GUILESS_MAIN(TestDrawCalendar)
#include "tst_drawcalendar.moc"
