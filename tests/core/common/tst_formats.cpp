// Percentages as the reports show them.

#include "core/common/Formats.h"

#include <QTest>

class TestFormats : public QObject
{
    Q_OBJECT
private slots:
    void percent_data();
    void percent();
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

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
