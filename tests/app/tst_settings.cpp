#include "app/Settings.h"

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
    void valuesAreNotRangeChecked();
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

void TestSettings::valuesAreNotRangeChecked()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.ini");
    {
        AppSettings settings(path);
        settings.writeInteger("Options", "OptionIndex", 9);
        settings.writeInteger("Options", "AutoNum", -3);
    }
    const AppSettings settings(path);
    QCOMPARE(settings.readPickSettings().optionIndex, 9);
    QCOMPARE(settings.readPickSettings().autoNum, -3);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
