// The lock of the data folder: a running instance holds it, a crashed one of this computer
// leaves nothing that holds, and another computer's lock is named and can be taken over.

#include "core/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class TestDataFolderLock : public QObject
{
    Q_OBJECT
private slots:
    void heldOrTaken_data();
    void heldOrTaken();
    void oneGuardPerDataFolder();
    void thisComputerByName_data();
    void thisComputerByName();
};

void TestDataFolderLock::heldOrTaken_data()
{
    QTest::addColumn<QString>("lock"); // who wrote the lock file
    QTest::addColumn<int>("result");
    QTest::newRow("none") << "" << int(DataFolderLock::Taken);
    QTest::newRow("this computer, process gone") << "gone" << int(DataFolderLock::Taken);
    QTest::newRow("this computer, running") << "running" << int(DataFolderLock::HeldHere);
    QTest::newRow("another computer") << "other" << int(DataFolderLock::HeldElsewhere);
}

void TestDataFolderLock::heldOrTaken()
{
    QFETCH(QString, lock);
    QFETCH(int, result);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const QString path = SingleInstanceGuard::dataFolderLockPath(folder);
    QLockFile running(path);
    const auto write = [&path](const QByteArray &host, const QByteArray &machine) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A pid no process has here (above the kernel's limit).
        file.write("4194305\nLoto6Yorune\n" + host + "\n" + machine + "\n");
    };
    if (lock == "gone")
        write(thisComputerName().toUtf8(), QSysInfo::machineUniqueId());
    else if (lock == "other")
        write("OTHER-PC", "0123456789abcdef0123456789abcdef");
    else if (lock == "running")
        QVERIFY(running.tryLock(0));

    SingleInstanceGuard guard("test");
    DataFolderHolder holder;
    QCOMPARE(int(guard.acquireDataFolder(folder, &holder)), result);
    if (lock != "other")
        return;
    QCOMPARE(holder.host, QString("OTHER-PC"));
    QCOMPARE(holder.pid, qint64(4194305));
    QVERIFY(holder.otherComputer);
    holder.since = QDateTime(QDate(2026, 12, 9), QTime(10, 0));
    // The folder as the system writes paths.
    QCOMPARE(dataFolderHolderText("/media/stick/", holder),
             QString("データフォルダー「%1」は、別のコンピューター「OTHER-PC」で"
                     "2026/12/09 10:00 から使用中です（プロセス 4194305）。")
                 .arg(QDir::toNativeSeparators("/media/stick/")));
    QVERIFY(guard.takeDataFolderOver(folder));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readLine().trimmed(), QByteArray::number(QCoreApplication::applicationPid()));
}

// One guard per program file and data folder: the same folder by another way of writing it is
// the same guard, another folder another.
void TestDataFolderLock::oneGuardPerDataFolder()
{
    QTemporaryDir a, b;
    const QString name = SingleInstanceGuard::instanceName("Loto6Yorune", a.path() + "/");
    QCOMPARE(SingleInstanceGuard::instanceName("Loto6Yorune", a.path() + "/./"), name);
    QVERIFY(SingleInstanceGuard::instanceName("Loto6Yorune", b.path() + "/") != name);
    QVERIFY(name.startsWith("Loto6Yorune-"));
}

void TestDataFolderLock::thisComputerByName_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("here");
    const QString name = thisComputerName();
    QTest::newRow("as written") << name << true;
    QTest::newRow("small letters") << name.toLower() << true;
    QTest::newRow("capitals") << name.toUpper() << true;
    QTest::newRow("one letter more") << name + "X" << false;
    QTest::newRow("another") << "OTHER-PC" << false;
}

void TestDataFolderLock::thisComputerByName()
{
    QFETCH(QString, host);
    QFETCH(bool, here);
    QVERIFY(!thisComputerName().isEmpty());
    QCOMPARE(isThisComputer(host), here);
}

QTEST_GUILESS_MAIN(TestDataFolderLock)
#include "tst_datafolderlock.moc"
