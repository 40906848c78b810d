// The draw days: Mondays and Thursdays, none from 31 December to 3 January.

#include "core/results/DrawCalendar.h"

#include <QTest>

class TestDrawCalendar : public QObject
{
    Q_OBJECT
private slots:
    void expectedDraws_data();
    void expectedDraws();
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

QTEST_GUILESS_MAIN(TestDrawCalendar)
#include "tst_drawcalendar.moc"
