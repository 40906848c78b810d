// Several files replaced as one: the journal, what the next start completes from it, and what
// it leaves alone.

#include "NotRegularFile.h"
#include "TestSupport.h"
#include "core/common/DomainError.h"
#include "core/common/FileCommit.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace
{

// Three files: one replaced, one created, one removed.
const QStringList kNames{"a.csv", "b.csv", "c.csv"};
const QByteArrayList kBefore{"a0\r\n", QByteArray(), "c0\r\n"};
const QByteArrayList kAfter{"a0\r\na1\r\n", "b1\r\n", QByteArray()};

struct Killed {
};

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    if (bytes.isNull()) {
        QFile::remove(path);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class TestFileCommit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void recoveryCompletesOnlyWhatTheCommitReplaced_data();
    void recoveryCompletesOnlyWhatTheCommitReplaced();
    void journalFromTwoFiles_data();
    void journalFromTwoFiles();
    void damagedJournalIsSetAside_data();
    void damagedJournalIsSetAside();
    void refusedBeforeAnythingIsTouched_data();
    void refusedBeforeAnythingIsTouched();
    void journalThatCannotGoStopsTheNextCommit();

private:
    // Commits the three changes, the program ended after `commits` replacements.
    void commitKilledAfter(int commits);
    QVector<FileChange> changes() const;
    std::unique_ptr<QTemporaryDir> m_dir;
    CommitFolder m_where;
};

void TestFileCommit::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_where.folder = m_dir->path() + "/";
    m_where.shownFolder = "client/";
    m_where.journalName = "Loto6Tickets.journal";
    m_where.acceptsName = [](const QString &name) { return kNames.contains(name); };
    for (int i = 0; i < kNames.size(); ++i)
        writeBytes(m_where.folder + kNames.at(i), kBefore.at(i));
}

QVector<FileChange> TestFileCommit::changes() const
{
    QVector<FileChange> changes;
    for (int i = 0; i < kNames.size(); ++i)
        changes.append({kNames.at(i), kBefore.at(i), kAfter.at(i)});
    return changes;
}

void TestFileCommit::commitKilledAfter(int commits)
{
    int done = 0;
    try {
        commitFiles(m_where, changes(), [&](StagedFile &file) {
            if (done == commits)
                throw Killed();
            commitStaged(file);
            ++done;
        });
    } catch (const Killed &) {
    }
}

// At the next start each file is completed while it holds what the commit replaced (or already
// the new content); a file changed since is left alone and named; with allOrNone a single such
// file leaves all alone. The states are set by hand after a kill before the first replacement.
void TestFileCommit::recoveryCompletesOnlyWhatTheCommitReplaced_data()
{
    QTest::addColumn<QStringList>("states"); // of a, b, c at the start: old, new, changed
    QTest::addColumn<bool>("allOrNone");
    QTest::addColumn<QStringList>("completed");
    QTest::addColumn<QStringList>("changedSince");
    const QStringList all = kNames;
    QTest::newRow("each as before")
        << QStringList{"old", "old", "old"} << false << all << QStringList();
    QTest::newRow("the first replaced")
        << QStringList{"new", "old", "old"} << false << all << QStringList();
    QTest::newRow("all but the last replaced")
        << QStringList{"new", "new", "old"} << false << all << QStringList();
    QTest::newRow("all replaced") << QStringList{"new", "new", "new"} << false << all
                                  << QStringList();
    QTest::newRow("the first changed since")
        << QStringList{"changed", "old", "old"} << false << QStringList{"b.csv", "c.csv"}
        << QStringList{"a.csv"};
    QTest::newRow("the last changed since")
        << QStringList{"new", "old", "changed"} << false << QStringList{"a.csv", "b.csv"}
        << QStringList{"c.csv"};
    QTest::newRow("one changed since, all or none")
        << QStringList{"new", "changed", "old"} << true << QStringList() << all;
    QTest::newRow("none changed, all or none")
        << QStringList{"new", "old", "old"} << true << all << QStringList();
}

void TestFileCommit::recoveryCompletesOnlyWhatTheCommitReplaced()
{
    QFETCH(QStringList, states);
    QFETCH(bool, allOrNone);
    QFETCH(QStringList, completed);
    QFETCH(QStringList, changedSince);
    commitKilledAfter(0);
    QVERIFY(QFile::exists(m_where.journalPath()));
    QByteArrayList present;
    for (int i = 0; i < kNames.size(); ++i) {
        const QString &state = states.at(i);
        present.append(state == "old"   ? kBefore.at(i)
                       : state == "new" ? kAfter.at(i)
                                        : QByteArray("edited\r\n"));
        writeBytes(m_where.folder + kNames.at(i), present.last());
    }
    const CommitRecovery recovery = recoverCommit(m_where, {}, allOrNone);
    QCOMPARE(recovery.completed, completed);
    QCOMPARE(recovery.changedSince, changedSince);
    QVERIFY(recovery.failure.isEmpty());
    QVERIFY(!QFile::exists(m_where.journalPath()));
    for (int i = 0; i < kNames.size(); ++i)
        QCOMPARE(readBytes(m_where.folder + kNames.at(i)),
                 completed.contains(kNames.at(i)) ? kAfter.at(i) : present.at(i));
    QVERIFY(!recoverCommit(m_where).anything()); // once
}

// A commit of two files or more keeps a journal while it replaces them; one file needs none.
void TestFileCommit::journalFromTwoFiles_data()
{
    QTest::addColumn<int>("files");
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("three") << 3;
}

void TestFileCommit::journalFromTwoFiles()
{
    QFETCH(int, files);
    QVector<bool> journalled;
    commitFiles(m_where, changes().mid(0, files), [&](StagedFile &file) {
        journalled.append(QFile::exists(m_where.journalPath()));
        commitStaged(file);
    });
    const QVector<bool> expected(qMin(files, 2), files > 1);
    QCOMPARE(journalled, expected); // the third change is a removal, no staged file
    QVERIFY(!QFile::exists(m_where.journalPath()));
    for (int i = 0; i < files; ++i)
        QCOMPARE(readBytes(m_where.folder + kNames.at(i)), kAfter.at(i));
}

// A journal that is not whole, not the program's, not a file or too large: set aside under a
// new name with its bytes, no file written, and the names it gives told as perhaps incomplete.
void TestFileCommit::damagedJournalIsSetAside_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QStringList>("unsure");
    const QStringList all = kNames;
    QTest::newRow("a byte less") << "chop" << all;
    QTest::newRow("a byte more") << "append" << all;
    QTest::newRow("a new content altered") << "alter" << all;
    QTest::newRow("a name of another folder") << "name" << QStringList{"a.csv"};
    QTest::newRow("garbage") << "garbage" << QStringList();
    QTest::newRow("empty") << "empty" << QStringList();
    QTest::newRow("over the size limit") << "large" << all;
    QTest::newRow("a folder") << "folder" << QStringList();
#ifndef Q_OS_WIN
    QTest::newRow("a FIFO") << "fifo" << QStringList();
#endif
}

void TestFileCommit::damagedJournalIsSetAside()
{
    QFETCH(QString, damage);
    QFETCH(QStringList, unsure);
    commitKilledAfter(1);
    const QString journal = m_where.journalPath();
    QByteArray bytes = readBytes(journal);
    if (damage == "chop")
        bytes.chop(1);
    else if (damage == "append")
        bytes += 'x';
    else if (damage == "alter")
        bytes[bytes.size() - 2] = 'X';
    else if (damage == "name")
        bytes.replace("b.csv", "../b.csv");
    else if (damage == "garbage")
        bytes = "\x00\xff garbage";
    else if (damage == "empty")
        bytes = "";
    if (damage == "folder" || damage == "fifo") {
        QVERIFY(QFile::remove(journal));
        QVERIFY(damage == "folder" ? QDir().mkdir(journal) : makeNotRegularFile(journal));
    } else {
        writeBytes(journal, bytes);
        if (damage == "large")
            QVERIFY(QFile::resize(journal, kMaxJournalBytes + 1));
    }
    const QMap<QString, QByteArray> files{{"a.csv", readBytes(m_where.folder + "a.csv")},
                                          {"b.csv", readBytes(m_where.folder + "b.csv")},
                                          {"c.csv", readBytes(m_where.folder + "c.csv")}};

    const CommitRecovery recovery = recoverCommit(m_where);
    QVERIFY(recovery.completed.isEmpty());
    QCOMPARE(recovery.unsure, unsure);
    QVERIFY(recovery.failure.isEmpty());
    QVERIFY(recovery.setAsideAs.startsWith("client/Loto6Tickets.journal.damaged-"));
    const QString setAside = m_where.folder + recovery.setAsideAs.mid(7);
    QVERIFY(QFileInfo::exists(setAside));
    QVERIFY(!QFileInfo::exists(journal));
    if (QFileInfo(setAside).isFile() && damage != "large")
        QCOMPARE(readBytes(setAside), bytes);
    for (auto it = files.begin(); it != files.end(); ++it)
        QCOMPARE(readBytes(m_where.folder + it.key()), it.value());
    QVERIFY(!recoverCommit(m_where).anything()); // once
    const QString told = recoveryReport(recovery, "保存", [](const QString &n) { return n; });
    QVERIFY2(told.contains(unsure.isEmpty() ? "分かりません" : unsure.join("、")),
             qPrintable(told));
}

// A commit that cannot go through is refused before any file changes: no file, journal or
// temporary copy is left of it.
void TestFileCommit::refusedBeforeAnythingIsTouched_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("told");
    QTest::newRow("a journal left") << "journal"
                                    << "Loto6Tickets.journal";
    QTest::newRow("a folder in the place of the last file") << "folder"
                                                            << "c.csv";
    QTest::newRow("a journal over the size limit") << "large"
                                                   << "8 MiB";
#ifdef Q_OS_WIN
    QTest::newRow("a file another program holds open") << "held"
                                                       << "c.csv";
#endif
}

void TestFileCommit::refusedBeforeAnythingIsTouched()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, told);
    QVector<FileChange> changes = this->changes();
    if (obstacle == "journal")
        writeBytes(m_where.journalPath(), "");
    if (obstacle == "folder") {
        QVERIFY(QFile::remove(m_where.folder + "c.csv"));
        QVERIFY(QDir(m_where.folder).mkdir("c.csv"));
        changes.last().after = "c1\r\n";
    }
    if (obstacle == "large")
        changes.first().after = QByteArray(kMaxJournalBytes, 'x');
    QFile held(m_where.folder + "c.csv");
    if (obstacle == "held")
        QVERIFY(held.open(QIODevice::ReadOnly));
    const QMap<QString, QByteArray> before = folderSnapshot(m_where.folder);
    QString error;
    try {
        commitFiles(m_where, changes);
    } catch (const DomainError &e) {
        error = e.message();
    }
    QVERIFY2(error.contains(told), qPrintable(error));
    QCOMPARE(folderSnapshot(m_where.folder), before);
}

// A journal that cannot be removed after its files were completed: the player is told what to
// do, and no commit goes on in that folder until it is gone, so that it never replays over a
// later change.
void TestFileCommit::journalThatCannotGoStopsTheNextCommit()
{
#ifndef Q_OS_WIN
    if (geteuid() != 0)
        QSKIP("only root can make a file that its folder cannot remove");
#endif
    commitKilledAfter(1);
    std::optional<LockedPath> lock;
    lock.emplace(m_where.journalPath());
    if (!lock->locked())
        QSKIP("this file system cannot make a file read-only");
    CommitRecovery recovery = recoverCommit(m_where);
    QCOMPARE(recovery.completed, kNames);
    QVERIFY2(recovery.failure.contains("を削除できません"), qPrintable(recovery.failure));
    const QMap<QString, QByteArray> completed = folderSnapshot(m_where.folder);
    QVERIFY_THROWS_EXCEPTION(DomainError,
                             commitFiles(m_where, {{"a.csv", kAfter.at(0), kBefore.at(0)}}));
    QCOMPARE(folderSnapshot(m_where.folder), completed);
    lock.reset();
    QVERIFY(recoverCommit(m_where).failure.isEmpty());
    commitFiles(m_where, {{"a.csv", kAfter.at(0), kBefore.at(0)}});
    QCOMPARE(readBytes(m_where.folder + "a.csv"), kBefore.at(0));
}

QTEST_MAIN(TestFileCommit)
#include "tst_filecommit.moc"
