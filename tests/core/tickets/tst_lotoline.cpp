// A line: a draw number and six different numbers of 1..43, and its text in a ticket file.

#include "core/tickets/LotoLine.h"

#include <QTest>

namespace
{

NumberSet numbersOf(std::initializer_list<int> numbers)
{
    NumberSet set = 0;
    for (const int n : numbers)
        set |= NumberSet(1) << n;
    return set;
}

} // namespace

class TestLotoLine : public QObject
{
    Q_OBJECT
private slots:
    void made_data();
    void made();
    void text_data();
    void text();
};

void TestLotoLine::made_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<NumberSet>("numbers");
    QTest::addColumn<bool>("line");
    const NumberSet six = numbersOf({3, 11, 19, 24, 38, 42});
    QTest::newRow("first and last numbers") << 700 << numbersOf({1, 2, 3, 4, 5, 43}) << true;
    QTest::newRow("number 0") << 700 << numbersOf({0, 2, 3, 4, 5, 6}) << false;
    QTest::newRow("number 44") << 700 << numbersOf({1, 2, 3, 4, 5, 44}) << false;
    QTest::newRow("five numbers") << 700 << numbersOf({1, 2, 3, 4, 5}) << false;
    QTest::newRow("seven numbers") << 700 << numbersOf({1, 2, 3, 4, 5, 6, 7}) << false;
    QTest::newRow("first draw") << 1 << six << true;
    QTest::newRow("draw 0") << 0 << six << false;
    QTest::newRow("negative draw") << -1 << six << false;
    QTest::newRow("last draw, nine digits") << kMaxDrawNumber << six << true;
    QTest::newRow("ten digits") << kMaxDrawNumber + 1 << six << false;
}

// A line is made only of a draw number and six numbers of 1..43; moved to another draw, it
// keeps its numbers and follows the same rule.
void TestLotoLine::made()
{
    QFETCH(int, draw);
    QFETCH(NumberSet, numbers);
    QFETCH(bool, line);
    const std::optional<LotoLine> made = LotoLine::of(draw, numbers);
    QCOMPARE(made.has_value(), line);
    const std::optional<LotoLine> moved =
        LotoLine::of(2039, numbersOf({3, 11, 19, 24, 38, 42}))->forDraw(draw);
    QCOMPARE(moved.has_value(), draw >= 1 && draw <= kMaxDrawNumber);
    if (!made)
        return;
    QCOMPARE(made->draw(), draw);
    QCOMPARE(made->numbers(), numbers);
    QVERIFY(!made->isNull());
}

void TestLotoLine::text_data()
{
    QTest::addColumn<QString>("text");    // as a ticket file holds it
    QTest::addColumn<QString>("written"); // the line's own text; null: no line
    QTest::newRow("a line") << "700,03,11,19,24,38,42"
                            << "700,03,11,19,24,38,42";
    QTest::newRow("first and last numbers") << "700,01,02,03,04,05,43"
                                            << "700,01,02,03,04,05,43";
    QTest::newRow("numbers in any order, one digit") << "700,42,7,3,24,38,11"
                                                     << "700,03,07,11,24,38,42";
    QTest::newRow("draw with leading zeros") << "0700,01,02,03,04,05,06"
                                             << "700,01,02,03,04,05,06";
    QTest::newRow("number 0") << "700,00,02,03,04,05,06" << QString();
    QTest::newRow("number 44") << "700,01,02,03,04,05,44" << QString();
    QTest::newRow("a number repeated") << "700,01,02,03,04,05,05" << QString();
    QTest::newRow("five numbers") << "700,01,02,03,04,05" << QString();
    QTest::newRow("seven numbers") << "700,01,02,03,04,05,06,07" << QString();
    QTest::newRow("first draw") << "1,01,02,03,04,05,06"
                                << "1,01,02,03,04,05,06";
    QTest::newRow("draw 0") << "0,01,02,03,04,05,06" << QString();
    QTest::newRow("no draw") << ",01,02,03,04,05,06" << QString();
    QTest::newRow("draw with a path") << "../1,01,02,03,04,05,06" << QString();
    QTest::newRow("last draw, nine digits") << "999999999,01,02,03,04,05,06"
                                            << "999999999,01,02,03,04,05,06";
    QTest::newRow("ten digits") << "1000000000,01,02,03,04,05,06" << QString();
    QTest::newRow("six commas") << ",,,,,," << QString();
}

// The text a ticket file holds gives the line, and the line's text gives it back: the round
// trip of every save and every reader.
void TestLotoLine::text()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    const std::optional<LotoLine> line = LotoLine::fromText(text);
    QCOMPARE(line.has_value(), !written.isNull());
    if (!line)
        return;
    QCOMPARE(line->text(), written);
    QCOMPARE(LotoLine::fromText(line->text()), line);
    QCOMPARE(line->cells(), written.split(','));
    QCOMPARE(ticketLinesText({*line, *line}), (written + "\r\n" + written + "\r\n").toLatin1());
}

QTEST_GUILESS_MAIN(TestLotoLine)
#include "tst_lotoline.moc"
