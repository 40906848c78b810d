#include "core/common/DomainError.h"
#include "core/common/TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextLines : public QObject
{
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void missingFileIsEmpty();
    void unreadableFileRaises();
    void readsFileFromDisk();
};

// Every line end, empty-line and Ctrl+Z case, as results files (reading ends at an empty line
// or a Ctrl+Z) and as ticket files (every line is read) read it.
void TestTextLines::split_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QStringList>("tickets");
    const QStringList ab{"a,1", "b,2"};

    QTest::newRow("CR LF") << QByteArray("a,1\r\nb,2\r\n") << ab << ab;
    QTest::newRow("LF only") << QByteArray("a,1\nb,2\n") << ab << ab;
    QTest::newRow("CR only") << QByteArray("a,1\rb,2\r") << ab << ab;
    QTest::newRow("mixed") << QByteArray("a,1\nb,2\r\nc\rd") << QStringList{"a,1", "b,2", "c", "d"}
                           << QStringList{"a,1", "b,2", "c", "d"};
    QTest::newRow("no final line end") << QByteArray("a,1\r\nb,2") << ab << ab;
    QTest::newRow("empty data") << QByteArray() << QStringList{} << QStringList{};
    QTest::newRow("empty first line")
        << QByteArray("\r\na,1\r\n") << QStringList{} << QStringList{"a,1"};
    QTest::newRow("empty line in the middle")
        << QByteArray("a,1\r\n\r\nb,2\r\n") << QStringList{"a,1"} << ab;
    QTest::newRow("LF empty line after CR LF")
        << QByteArray("a,1\r\n\nb,2\r\n") << QStringList{"a,1"} << ab;
    QTest::newRow("LF empty lines") << QByteArray("a,1\n\n\nb,2\n\n") << QStringList{"a,1"} << ab;
    QTest::newRow("line of blanks")
        << QByteArray("a,1\r\n  \t \r\nb,2\r\n") << QStringList{"a,1"} << ab;
    QTest::newRow("trailing empty line") << QByteArray("a,1\r\nb,2\r\n\r\n") << ab << ab;
    QTest::newRow("leading blanks dropped, trailing kept")
        << QByteArray("  \ta b  \n") << QStringList{"a b  "} << QStringList{"a b  "};
    QTest::newRow("Ctrl+Z ends a results file, not a ticket file")
        << QByteArray("a,1\r\nb,2\x1a\r\nc\r\n") << ab << QStringList{"a,1", "b,2", "c"};
    QTest::newRow("Ctrl+Z in front of a line")
        << QByteArray("a,1\r\n\x1a\x1a b,2\x1a") << QStringList{"a,1"} << ab;
    QTest::newRow("control characters before a line are skipped")
        << QByteArray("\x01\x02x\r\n") << QStringList{"x"} << QStringList{"x"};
}

void TestTextLines::split()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, results);
    QFETCH(QStringList, tickets);
    QCOMPARE(splitTextLines(data), results);
    QCOMPARE(splitTextLines(data, TextRules::TicketFile), tickets);
}

void TestTextLines::missingFileIsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(readTextLines(dir.filePath("nothing.csv")).isEmpty());
}

void TestTextLines::unreadableFileRaises()
{
    QTemporaryDir dir;
    // A folder where a file is expected cannot be read as one.
    QVERIFY(QDir(dir.path()).mkdir("folder.csv"));
    QVERIFY_THROWS_EXCEPTION(DomainError, readTextLines(dir.filePath("folder.csv")));
}

void TestTextLines::readsFileFromDisk()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("t.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("700,03,11,19,24,38,42\r\n701,01,02,03,04,05,06\r\n");
    file.close();
    QCOMPARE(readTextLines(file.fileName()),
             (QStringList{"700,03,11,19,24,38,42", "701,01,02,03,04,05,06"}));
}

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
