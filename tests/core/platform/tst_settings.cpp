#include "core/platform/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWhenAbsent();
    void nonNumericValuesReadAsDefaults();
    void roundTripStoresText();
    void storedNumbersAreBroughtIntoRange_data();
    void storedNumbersAreBroughtIntoRange();
};

void TestSettings::defaultsWhenAbsent()
{
    QTemporaryDir dir;
    const AppSettings settings(dir.filePath("none.ini"));
    QCOMPARE(settings.readWindowPosition(), QPoint(0, 0));
    const PickSettings pick = settings.readPickSettings();
    QCOMPARE(pick.autoNum, 10);
    QCOMPARE(pick.rangeNum, 20);
    QCOMPARE(pick.optionIndex, 3);
    QCOMPARE(pick.deleteNum, QString());
}

void TestSettings::nonNumericValuesReadAsDefaults()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bad.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Windows]\nLeft=abc\nTop=12x\n[Options]\nAutoNum=\nRangeNum=7.5\n"
               "OptionIndex=2\nDeleteNum=01 \n");
    file.close();
    const AppSettings settings(file.fileName());
    QCOMPARE(settings.readWindowPosition(), QPoint(0, 0));
    const PickSettings pick = settings.readPickSettings();
    QCOMPARE(pick.autoNum, 10);
    QCOMPARE(pick.rangeNum, 20);
    QCOMPARE(pick.optionIndex, 2);
}

void TestSettings::roundTripStoresText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    PickSettings pick;
    pick.autoNum = 5;
    pick.rangeNum = 33;
    pick.optionIndex = 2;
    pick.deleteNum = "03 17 25 ";
    {
        AppSettings settings(path);
        settings.writeWindowPosition(QPoint(-4000, 9000));
        settings.writePickSettings(pick);
        QVERIFY(settings.sync());
    }
    const AppSettings settings(path);
    QCOMPARE(settings.readWindowPosition(), QPoint(-4000, 9000));
    QVERIFY(settings.readPickSettings() == pick);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("[Windows]") && text.contains("[Options]"), text.constData());
    QVERIFY2(text.contains("AutoNum=5"), text.constData());
}

// Whatever the store holds, a run cannot be asked for more lines than the field allows, nor
// wait longer for a server than the download settings offer.
void TestSettings::storedNumbersAreBroughtIntoRange_data()
{
    QTest::addColumn<QString>("stored"); // as AutoNum, RangeNum and TimeoutSeconds
    QTest::addColumn<int>("autoNum");
    QTest::addColumn<int>("rangeNum");
    QTest::addColumn<int>("timeout");
    QTest::newRow("in range") << "37" << 37 << 37 << 37;
    QTest::newRow("far above") << "999999" << 100 << 100 << 600;
    QTest::newRow("milliseconds beyond 32 bits") << "2147484" << 100 << 100 << 600;
    QTest::newRow("just above") << "101" << 100 << 100 << 101;
    QTest::newRow("zero") << "0" << 1 << 1 << 1;
    QTest::newRow("negative") << "-5" << 1 << 1 << 1;
    // The time-out takes the nearest bound also beyond 32 bits; the pick fields their default.
    QTest::newRow("beyond 32 bits") << "99999999999" << 10 << 20 << 600;
    QTest::newRow("negative beyond 32 bits") << "-99999999999" << 10 << 20 << 1;
    QTest::newRow("not a number") << "1e3" << 10 << 20 << 30;
}

void TestSettings::storedNumbersAreBroughtIntoRange()
{
    QFETCH(QString, stored);
    QFETCH(int, autoNum);
    QFETCH(int, rangeNum);
    QFETCH(int, timeout);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.ini");
    {
        AppSettings settings(path);
        settings.writeString("Options", "AutoNum", stored);
        settings.writeString("Options", "RangeNum", stored);
        settings.writeInteger("Options", "OptionIndex", 9);
        settings.writeString("Download", "TimeoutSeconds", stored);
    }
    const DownloadSettings download = AppSettings(path).readDownloadSettings();
    QCOMPARE(download.timeoutSeconds, timeout);
    QCOMPARE(download.timeoutMilliseconds(), timeout * 1000);
    const PickSettings pick = AppSettings(path).readPickSettings();
    QCOMPARE(pick.autoNum, autoNum);
    QCOMPARE(pick.rangeNum, rangeNum);
    QCOMPARE(pick.optionIndex, 9); // selects the count-filtered method
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
