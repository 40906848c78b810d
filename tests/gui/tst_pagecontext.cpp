// The program-wide values that the pages share change through the page context only, and
// each real change is signalled once, so that whoever shows one can follow it.

#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

class TestPageContext : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { isolateSettings(m_settingsDir); }
    void changesAreSignalled_data();
    void changesAreSignalled();

private:
    QTemporaryDir m_settingsDir;
};

namespace
{

enum class Table { Counts, Excluded, Options, OptionsInPart };

} // namespace

// Each row changes one value, or sets it to what it already holds (no signal): the first and
// the last element of a table are changes like any other.
void TestPageContext::changesAreSignalled_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("element"); // -1: the value as it is
    QTest::newRow("count table, first cell") << int(Table::Counts) << 0;
    QTest::newRow("count table, last cell") << int(Table::Counts) << kPicksPerLine * kLotoCount - 1;
    QTest::newRow("count table, the same") << int(Table::Counts) << -1;
    QTest::newRow("exclusion set, number 1") << int(Table::Excluded) << 0;
    QTest::newRow("exclusion set, number 43") << int(Table::Excluded) << kLotoCount - 1;
    QTest::newRow("exclusion set, the same") << int(Table::Excluded) << -1;
    QTest::newRow("pick options, whole") << int(Table::Options) << 0;
    QTest::newRow("pick options, the same") << int(Table::Options) << -1;
    QTest::newRow("pick options, one field") << int(Table::OptionsInPart) << 0;
    QTest::newRow("pick options, a field unchanged") << int(Table::OptionsInPart) << -1;
}

void TestPageContext::changesAreSignalled()
{
    QFETCH(int, table);
    QFETCH(int, element);
    QTemporaryDir folder;
    PageContext context(folder.path(), QString());
    QSignalSpy counts(&context, &PageContext::baseCountTableChanged);
    QSignalSpy excluded(&context, &PageContext::exclusionSetChanged);
    QSignalSpy options(&context, &PageContext::pickSettingsChanged);
    const bool change = element >= 0;

    switch (Table(table)) {
    case Table::Counts: {
        BaseCountTable set = context.baseCountTable();
        if (change)
            set[size_t(element / kLotoCount)][size_t(element % kLotoCount)] = 7;
        context.setBaseCountTable(set);
        QVERIFY(context.baseCountTable() == set);
        break;
    }
    case Table::Excluded: {
        ExclusionSet set = context.exclusionSet();
        if (change)
            set[size_t(element)] = 1;
        context.setExclusionSet(set);
        QVERIFY(context.exclusionSet() == set);
        break;
    }
    case Table::Options: {
        PickSettings set;
        if (change)
            set.deleteNum = QStringLiteral("08 09 ");
        context.setPickSettings(set);
        QVERIFY(context.pickSettings() == set);
        break;
    }
    case Table::OptionsInPart:
        context.changePickSettings([change](PickSettings &s) { s.autoNum = change ? 7 : 10; });
        QCOMPARE(context.pickSettings().autoNum, change ? 7 : 10);
        QCOMPARE(context.pickSettings().rangeNum, 20); // the rest as it was
        break;
    }
    const int expected = change ? 1 : 0;
    QCOMPARE(counts.count(), Table(table) == Table::Counts ? expected : 0);
    QCOMPARE(excluded.count(), Table(table) == Table::Excluded ? expected : 0);
    QCOMPARE(options.count(),
             Table(table) == Table::Options || Table(table) == Table::OptionsInPart ? expected : 0);
}

QTEST_MAIN(TestPageContext)
#include "tst_pagecontext.moc"
