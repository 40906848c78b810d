// Converting the public history feed into the two results files.

#include "../../common/FeedSamples.h"
#include "core/common/DomainError.h"
#include "core/results/HistoryFeed.h"

#include <QFile>
#include <QTest>

namespace
{

QByteArray bundled(const char *name)
{
    QFile file(QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("bundled file %s missing", name);
    return file.readAll();
}

const QByteArray kHeader = kFeedHeaderShiftJis + "\r\n";
const QByteArray kFirst = "1,2000/10/5,2,8,10,13,27,30,39,2,2,262,12413,174452,45513600,40961900,"
                          "375200,6900,1000,0\r\n";
const QByteArray kSecond = "2,2000/10/12,1,9,16,20,21,43,5,0,7,195,8426,144860,0,13188800,"
                           "568100,11500,1000,102580607\r\n";

} // namespace

class TestHistoryFeed : public QObject
{
    Q_OBJECT
private slots:
    void convertsEveryCopyOfTheFeed_data();
    void convertsEveryCopyOfTheFeed();
    void refusesLineThatDoesNotRead_data();
    void refusesLineThatDoesNotRead();
};

void TestHistoryFeed::convertsEveryCopyOfTheFeed_data()
{
    QTest::addColumn<QByteArray>("feed");
    QTest::addColumn<QByteArray>("numbers");
    QTest::addColumn<QByteArray>("prizes");
    const QString text = historyFeedText(bundled("Loto6Number.csv"), bundled("Loto6Data.csv"));
    QByteArray utf8 = "\xEF\xBB\xBF" + text.toUtf8().replace("\n", "\r\n") + "\r\n\r\nEOF\r\n";
    QTest::newRow("bundled history, UTF-8 with BOM, blank lines and EOF")
        << utf8 << bundled("Loto6Number.csv") << bundled("Loto6Data.csv");
    const QByteArray two = "2,2000/10/12,1,9,16,20,21,43,5\r\n1,2000/10/05,2,8,10,13,27,30,39\r\n";
    const QByteArray twoPrizes = "2,0,0,13188800,7,568100,195,11500,8426,1000,144860,102580607\r\n"
                                 "1,45513600,2,40961900,2,375200,262,6900,12413,1000,174452,0\r\n";
    QTest::newRow("ended by Ctrl+Z") << kHeader + kFirst + kSecond + "\x1A" << two << twoPrizes;
    QTest::newRow("no header, LF") << QByteArray(kFirst + kSecond).replace("\r\n", "\n")
                                   << QByteArray("2,2000/10/12,1,9,16,20,21,43,5\r\n"
                                                 "1,2000/10/05,2,8,10,13,27,30,39\r\n")
                                   << QByteArray("2,0,0,13188800,7,568100,195,11500,8426,1000,"
                                                 "144860,102580607\r\n"
                                                 "1,45513600,2,40961900,2,375200,262,6900,12413,"
                                                 "1000,174452,0\r\n");
}

void TestHistoryFeed::convertsEveryCopyOfTheFeed()
{
    QFETCH(QByteArray, feed);
    QFETCH(QByteArray, numbers);
    QFETCH(QByteArray, prizes);
    const ResultsBodies bodies = convertHistoryFeed(feed);
    QVERIFY(bodies.numbers == numbers);
    QVERIFY(bodies.prizes == prizes);
}

void TestHistoryFeed::refusesLineThatDoesNotRead_data()
{
    QTest::addColumn<QByteArray>("tail"); // behind the header and the first draw
    QTest::addColumn<QString>("expected");
    QTest::newRow("field missing")
        << QByteArray(kSecond).replace(",102580607", "") << "第2回（3 行目）：項目が 19 個";
    QTest::newRow("bad date") << QByteArray(kSecond).replace("2000/10/12", "2000/13/12")
                              << "第2回（3 行目）：日付 '2000/13/12'";
    QTest::newRow("number 44") << QByteArray(kSecond).replace(",43,", ",44,")
                               << "第2回（3 行目）：第6数字 '44'";
    QTest::newRow("grouped amount")
        << QByteArray(kSecond).replace("13188800", "13188 800") << "第2回（3 行目）：2等賞金";
    QTest::newRow("draw repeated") << "\r\n" + kFirst << "第1回（4 行目）：開催回 1";
    QTest::newRow("no draw number, line alone")
        << QByteArray(kSecond).replace("2,2000", "x,2000") << "\n3 行目：開催回 'x'";
    QTest::newRow("no draw at all") << QByteArray("EOF\r\n") << "1 件もありません";
}

void TestHistoryFeed::refusesLineThatDoesNotRead()
{
    QFETCH(QByteArray, tail);
    QFETCH(QString, expected);
    const QByteArray feed = expected.contains("1 件") ? kHeader + tail : kHeader + kFirst + tail;
    try {
        convertHistoryFeed(feed);
        QFAIL("the feed was converted");
    } catch (const DomainError &e) {
        QVERIFY2(("\n" + e.message()).contains(expected), qPrintable(e.message()));
    }
}

QTEST_MAIN(TestHistoryFeed)
#include "tst_historyfeed.moc"
