// The comma text of a grid row, written and read.

#include "core/tickets/CommaText.h"

#include <QTest>

class TestCommaText : public QObject
{
    Q_OBJECT
private slots:
    void write_data();
    void write();
    void read_data();
    void read();
    void roundTrip_data();
    void roundTrip();
};

void TestCommaText::write_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("line");
    QTest::newRow("ticket row") << QStringList{"700", "03", "11", "19", "24", "38", "42"}
                                << "700,03,11,19,24,38,42";
    QTest::newRow("seven empty cells") << QStringList{"", "", "", "", "", "", ""} << ",,,,,,";
    QTest::newRow("empty between") << QStringList{"", "x", ""} << ",x,";
    QTest::newRow("no cells") << QStringList{} << "";
    QTest::newRow("one blank") << QStringList{" "} << "\" \"";
    QTest::newRow("blank inside") << QStringList{"a b", "c"} << "\"a b\",c";
    QTest::newRow("comma") << QStringList{"a,b"} << "\"a,b\"";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("tab") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("control char") << QStringList{QString("a") + QChar(1)}
                                  << QString("\"a") + QChar(1) + "\"";
    QTest::newRow("above ascii unquoted") << QStringList{"①", "é"} << "①,é";
}

void TestCommaText::write()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, line);
    QCOMPARE(writeCommaText(cells), line);
}

void TestCommaText::read_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("ticket line") << "700,03,11,19,24,38,42" << 7
                                 << QStringList{"700", "03", "11", "19", "24", "38", "42"};
    QTest::newRow("six commas: empty fields are one blank")
        << ",,,,,," << 7 << QStringList{" ", " ", " ", " ", " ", " ", ""};
    QTest::newRow("short line leaves cells empty")
        << "700,01" << 7 << QStringList{"700", "01", "", "", "", "", ""};
    QTest::newRow("empty line") << "" << 3 << QStringList{"", "", ""};
    QTest::newRow("leading blanks and controls skipped")
        << QString(" \t") + QChar(1) + "a,b" << 3 << QStringList{"a", "b", ""};
    QTest::newRow("blank separates") << "a b" << 3 << QStringList{"a", "b", ""};
    QTest::newRow("tab separates") << "a\tb" << 3 << QStringList{"a", "b", ""};
    QTest::newRow("blanks around comma") << "a , b" << 3 << QStringList{"a", "b", ""};
    QTest::newRow("comma then blanks then comma") << "a,  ,b" << 3 << QStringList{"a", " ", "b"};
    QTest::newRow("empty field in the middle") << "a,,b" << 3 << QStringList{"a", " ", "b"};
    QTest::newRow("leading comma") << ",a" << 3 << QStringList{" ", "a", ""};
    QTest::newRow("trailing comma adds nothing") << "a," << 3 << QStringList{"a", "", ""};
    QTest::newRow("quoted comma") << "\"x,y\",z" << 3 << QStringList{"x,y", "z", ""};
    QTest::newRow("quoted blank") << "\"x y\" z" << 3 << QStringList{"x y", "z", ""};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << 2 << QStringList{"say \"hi\"", ""};
    QTest::newRow("empty quoted field") << "\"\",a" << 2 << QStringList{" ", "a"};
    QTest::newRow("text behind closing quote is a field")
        << "\"ab\"cd,e" << 3 << QStringList{"ab", "cd", "e"};
    QTest::newRow("unclosed quote runs to the end") << "\"ab,c" << 2 << QStringList{"ab,c", ""};
    QTest::newRow("fields beyond the last column dropped")
        << "1,2,3,4,5" << 3 << QStringList{"1", "2", "3"};
    QTest::newRow("NUL ends the line")
        << QString("a") + QChar(0) + ",b" << 2 << QStringList{"a", ""};
    QTest::newRow("no columns") << "a,b" << 0 << QStringList{};
}

void TestCommaText::read()
{
    QFETCH(QString, line);
    QFETCH(int, columns);
    QFETCH(QStringList, cells);
    QCOMPARE(readCommaText(line, columns), cells);
}

void TestCommaText::roundTrip_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("ticket") << QStringList{"2038", "01", "02", "03", "04", "05", "43"};
    QTest::newRow("awkward") << QStringList{"a b", "\"q\"", "x,y", "\t", "plain"};
}

void TestCommaText::roundTrip()
{
    QFETCH(QStringList, cells);
    QCOMPARE(readCommaText(writeCommaText(cells), int(cells.size())), cells);
}

QTEST_APPLESS_MAIN(TestCommaText)
#include "tst_commatext.moc"
