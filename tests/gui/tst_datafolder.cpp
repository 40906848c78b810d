// The choice of the folder that keeps the player's data, and its seeding on first start.

#include "TestSupport.h"
#include "core/platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestDataFolder : public QObject
{
    Q_OBJECT
private slots:
    void choosesAndSeeds_data();
    void choosesAndSeeds();
    void unwritablePerUserFolderIsReported();
};

void TestDataFolder::choosesAndSeeds_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("playerHasNumbers");
    QTest::newRow("portable: writable program folder") << "portable" << false;
    QTest::newRow("read-only program folder") << "read-only" << false;
    QTest::newRow("installed under a prefix") << "prefix" << false;
    QTest::newRow("player's own file is kept") << "read-only" << true;
}

void TestDataFolder::choosesAndSeeds()
{
    QFETCH(QString, layout);
    QFETCH(bool, playerHasNumbers);
    ProgramFolder portable;
    QTemporaryDir prefix;
    QString program = portable.path();
    QString shipped = portable.path();
    if (layout == "prefix") {
        program = prefix.path() + "/bin/";
        shipped = prefix.path() + "/share/loto6yorune/";
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(shipped + "download"));
        for (const QString name : {"Loto6Number.csv", "Loto6Data.csv"})
            QVERIFY(QFile::copy(bundledDataFolder() + name, shipped + "download/" + name));
    }
    QTemporaryDir home;
    const QString perUser = home.path() + "/Pelmora/Loto6Yorune/";
    const QByteArray mine = "2100,2026/01/01,01,02,03,04,05,06,07\r\n";
    if (playerHasNumbers) {
        QVERIFY(QDir().mkpath(perUser + "download"));
        QFile own(perUser + "download/Loto6Number.csv");
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write(mine) == mine.size());
    }
    const auto shippedBefore = folderSnapshot(program);

    std::unique_ptr<LockedPath> lock;
    if (layout == "read-only") {
        lock = std::make_unique<LockedPath>(portable.path());
        if (!lock->locked())
            QSKIP("this file system cannot make a folder read-only for this user");
    }
    const DataFolders folders = chooseDataFolders(program, perUser);
    lock.reset();

    QVERIFY2(folders.errors.isEmpty(), qPrintable(folders.errors.join('|')));
    QCOMPARE(folders.installFolder, shipped);
    QCOMPARE(folderSnapshot(program), shippedBefore); // nothing written beside the program
    if (layout == "portable") {
        QVERIFY(folders.portable);
        QCOMPARE(folders.dataFolder, program);
        QVERIFY(!QFileInfo::exists(perUser));
        return;
    }
    QVERIFY(!folders.portable);
    QCOMPARE(folders.dataFolder, perUser);
    QFile numbers(perUser + "download/Loto6Number.csv"), data(perUser + "download/Loto6Data.csv");
    QVERIFY(numbers.open(QIODevice::ReadOnly) && data.open(QIODevice::ReadOnly));
    QCOMPARE(numbers.readAll(), playerHasNumbers ? mine : bundledFile("Loto6Number.csv"));
    QCOMPARE(data.readAll(), bundledFile("Loto6Data.csv"));

    // The next start changes nothing of what the player now has.
    const auto seeded = folderSnapshot(perUser);
    lock = std::make_unique<LockedPath>(portable.path());
    QCOMPARE(chooseDataFolders(program, perUser).dataFolder, perUser);
    QCOMPARE(folderSnapshot(perUser), seeded);
}

void TestDataFolder::unwritablePerUserFolderIsReported()
{
    ProgramFolder program;
    QTemporaryDir home;
    LockedPath programLock(program.path());
    LockedPath homeLock(home.path());
    if (!programLock.locked() || !homeLock.locked())
        QSKIP("this file system cannot make a folder read-only for this user");
    const DataFolders folders = chooseDataFolders(program.path(), home.path() + "/Pelmora");
    QVERIFY(!folders.portable);
    QCOMPARE(folders.errors.size(), 1);
    QVERIFY2(folders.errors.first().contains(QDir::toNativeSeparators(home.path() + "/Pelmora")),
             qPrintable(folders.errors.first()));
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
