#include "app/DomainError.h"
#include "results/TextLines.h"

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

void TestTextLines::split_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("a,1\r\nb,2\r\n") << QStringList{"a,1", "b,2"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF only reads as one line")
        << QByteArray("a,1\nb,2\n") << QStringList{"a,1\nb,2\n"};
    QTest::newRow("empty data") << QByteArray() << QStringList{};
    QTest::newRow("empty first line") << QByteArray("\r\na\r\n") << QStringList{};
    QTest::newRow("empty line in the middle ends reading")
        << QByteArray("a\r\nb\r\n\r\nc\r\n") << QStringList{"a", "b"};
    QTest::newRow("line of blanks ends reading")
        << QByteArray("a\r\n  \t \r\nc\r\n") << QStringList{"a"};
    QTest::newRow("leading blanks dropped, trailing kept")
        << QByteArray("  \ta b  \r\n") << QStringList{"a b  "};
    QTest::newRow("Ctrl+Z ends the file")
        << QByteArray("a\r\nb\x1a\r\nc\r\n") << QStringList{"a", "b"};
    QTest::newRow("only one LF after CR is consumed")
        << QByteArray("a\r\n\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("control characters before a line are skipped")
        << QByteArray("\x01\x02x\r\n") << QStringList{"x"};
}

void TestTextLines::split()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);
    QCOMPARE(splitTextLines(data), lines);
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
