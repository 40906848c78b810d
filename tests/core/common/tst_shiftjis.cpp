// Shift-JIS text read the same way on every system the program is built for.

#include "../../common/FeedSamples.h"
#include "core/common/ShiftJis.h"

#include <QTest>

class TestShiftJis : public QObject
{
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
};

void TestShiftJis::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QByteArray() << QString();
    QTest::newRow("digits and commas, as ASCII")
        << QByteArray("2037,2025/09/25,1,43\r\n") << QStringLiteral("2037,2025/09/25,1,43\r\n");
    QTest::newRow("katakana and a full-width digit")
        << QByteArray("\x83\x8D\x83\x67\x82\x55") << QStringLiteral("ロト６");
    QTest::newRow("kanji") << QByteArray("\x8A\x4A\x8D\xC3\x89\xF1") << QStringLiteral("開催回");
    QTest::newRow("half-width katakana, one byte each")
        << QByteArray("\xB1\xB2\xB3") << QStringLiteral("ｱｲｳ");
    QTest::newRow("lead byte at the end of the first of two halves")
        << QByteArray("\x83\x8D") << QStringLiteral("ロ");
    QTest::newRow("the public feed's header")
        << kFeedHeaderShiftJis
        << QStringLiteral("開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,BONUS数字,"
                          "1等口数,2等口数,3等口数,4等口数,5等口数,1等賞金,2等賞金,3等賞金,"
                          "4等賞金,5等賞金,キャリーオーバー");
}

void TestShiftJis::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeShiftJis(bytes), text);
}

QTEST_GUILESS_MAIN(TestShiftJis)
#include "tst_shiftjis.moc"
