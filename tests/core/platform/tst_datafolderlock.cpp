// The lock of the data folder: a running instance holds it, a crashed one of this computer
// leaves nothing that holds, and another computer's lock is named and can be taken over.

#include "core/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
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
    // For a lock naming a running process of this program's name: when it was written, in
    // milliseconds after that process started, and whether the process answers as the holder.
    QTest::addColumn<int>("writtenAfterStart");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<int>("result");
    const int taken = int(DataFolderLock::Taken), over = int(DataFolderLock::TakenOver),
              held = int(DataFolderLock::HeldHere), elsewhere = int(DataFolderLock::HeldElsewhere);
    QTest::newRow("none") << "" << 0 << false << taken;
    QTest::newRow("this computer, process gone") << "gone" << 0 << false << taken;
    QTest::newRow("this computer, running") << "running" << 100 << true << held;
    QTest::newRow("another computer") << "other" << 0 << false << elsewhere;
    QTest::newRow("running, started an hour after the lock")
        << "running" << -3600 * 1000 << true << over;
    QTest::newRow("running, started 1 ms after the lock") << "running" << -1 << true << over;
    QTest::newRow("running, started as the lock was written") << "running" << 0 << true << held;
    QTest::newRow("running, does not answer") << "running" << 100 << false << over;
    QTest::newRow("this very process") << "this" << 100 << true << over;
}

void TestDataFolderLock::heldOrTaken()
{
    QFETCH(QString, lock);
    QFETCH(int, writtenAfterStart);
    QFETCH(bool, answers);
    QFETCH(int, result);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const QString path = SingleInstanceGuard::dataFolderLockPath(folder);
    // A process of this program's name that holds nothing: this test started again, waiting.
    QProcess other;
    const auto ended = qScopeGuard([&other] {
        other.kill();
        other.waitForFinished();
    });
    qint64 pid = QCoreApplication::applicationPid();
    if (lock == "running") {
        other.start(QCoreApplication::applicationFilePath(), {"--wait"});
        QVERIFY(other.waitForStarted());
        pid = other.processId();
    }
    if (lock == "running" || lock == "this") {
        // A lock as this program writes it, naming that process, written when the row says.
        QLockFile model(dir.filePath("model.lock"));
        QVERIFY(model.tryLock(0));
        QFile modelFile(dir.filePath("model.lock"));
        QVERIFY(modelFile.open(QIODevice::ReadOnly));
        QByteArray content = modelFile.readAll();
        content.replace(0, content.indexOf('\n'), QByteArray::number(pid));
        const QDateTime started = processStartTime(pid);
        if (!started.isValid())
            QSKIP("this system does not tell when a process started");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
                file.flush());
        QVERIFY(file.setFileTime(started.addMSecs(writtenAfterStart),
                                 QFileDevice::FileModificationTime));
    }
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

    SingleInstanceGuard guard("test");
    DataFolderHolder holder;
    QCOMPARE(int(guard.acquireDataFolder(folder, &holder,
                                         [&](qint64 asked) { return asked == pid && answers; })),
             result);
    if (result == int(DataFolderLock::TakenOver)) {
        QCOMPARE(holder.pid, pid); // the number the lock named
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine().trimmed(), QByteArray::number(QCoreApplication::applicationPid()));
    }
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

int main(int argc, char *argv[])
{
    // Started with "--wait" by a test: a running process of this program's name, until ended.
    if (argc > 1 && qstrcmp(argv[1], "--wait") == 0) {
        QFile input;
        return input.open(stdin, QIODevice::ReadOnly) ? int(input.readAll().size()) : 1;
    }
    QCoreApplication app(argc, argv);
    TestDataFolderLock test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_datafolderlock.moc"
