// Percentages as the reports show them, and numbers in the sentences of the window.

#include "core/common/Formats.h"

#include <QTest>

class TestFormats : public QObject
{
    Q_OBJECT
private slots:
    void percent_data();
    void percent();
    void fullWidth_data();
    void fullWidth();
};

void TestFormats::percent_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << 0.0 << "0.0%";
    QTest::newRow("rounded up to a tenth") << 12.35 << "12.4%";
    QTest::newRow("the last without a comma") << 999.94 << "999.9%";
    QTest::newRow("rounded up to the first with one") << 999.96 << "1,000.0%";
    QTest::newRow("a six-figure return") << 252890.7 << "252,890.7%";
    QTest::newRow("below nothing") << -1234.5 << "-1,234.5%";
}

void TestFormats::percent()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(formatPercent(value), text);
}

void TestFormats::fullWidth_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << 0 << "０";
    QTest::newRow("the last of one digit") << 9 << "９";
    QTest::newRow("the first of two") << 10 << "１０";
    QTest::newRow("days of the claim warning") << 30 << "３０";
    QTest::newRow("below nothing") << -5 << "－５";
}

void TestFormats::fullWidth()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(fullWidthNumber(value), text);
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
