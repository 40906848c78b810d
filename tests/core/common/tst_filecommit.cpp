// Several files replaced as one: the journal, what the next start completes from it, and what
// it leaves alone.

#include "NotRegularFile.h"
#include "TestSupport.h"
#include "core/common/DomainError.h"
#include "core/common/FileCommit.h"

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

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (bytes.isNull())
        file.remove();
    else if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
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
    void damagedJournalIsSetAside_data();
    void damagedJournalIsSetAside();
    void refusedBeforeAnythingIsTouched_data();
    void refusedBeforeAnythingIsTouched();
    void journalThatCannotGoStopsTheNextCommit();

private:
    // The first `files` changes committed; the program ends after `commits` replacements.
    void commitKilledAfter(int commits, int files = 3);
    std::unique_ptr<QTemporaryDir> m_dir;
    CommitFolder m_where;
    QVector<FileChange> m_changes;
};

void TestFileCommit::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_where = {m_dir->path() + "/",
               "client/",
               "Loto6Tickets.journal",
               [](const QString &name) { return kNames.contains(name); },
               {}};
    m_changes.clear();
    for (int i = 0; i < kNames.size(); ++i) {
        writeBytes(m_where.folder + kNames.at(i), kBefore.at(i));
        m_changes.append({kNames.at(i), kBefore.at(i), kAfter.at(i)});
    }
}

void TestFileCommit::commitKilledAfter(int commits, int files)
{
    struct Killed {
    };
    try {
        commitFiles(m_where, m_changes.mid(0, files), [&commits](StagedFile &file) {
            if (commits-- == 0)
                throw Killed();
            commitStaged(file);
        });
    } catch (const Killed &) {
    }
}

// At the next start each file is completed while it holds what the commit replaced (or already
// the new content); a file changed since is left alone and named; with allOrNone a single such
// file leaves all alone. A commit of one file keeps no journal: there is nothing to complete.
void TestFileCommit::recoveryCompletesOnlyWhatTheCommitReplaced_data()
{
    QTest::addColumn<QString>("states"); // of a, b, c at the start: old, new, changed
    QTest::addColumn<bool>("allOrNone");
    QTest::addColumn<QStringList>("completed");
    QTest::addColumn<QStringList>("changedSince");
    QTest::addColumn<int>("files"); // committed
    const QStringList all = kNames, none;
    QTest::newRow("each as before") << "old old old" << false << all << none << 3;
    QTest::newRow("the first replaced") << "new old old" << false << all << none << 3;
    QTest::newRow("all but the last replaced") << "new new old" << false << all << none << 3;
    QTest::newRow("all replaced") << "new new new" << false << all << none << 3;
    QTest::newRow("the first changed since")
        << "changed old old" << false << QStringList{"b.csv", "c.csv"} << QStringList{"a.csv"} << 3;
    QTest::newRow("the last changed since")
        << "new old changed" << false << QStringList{"a.csv", "b.csv"} << QStringList{"c.csv"} << 3;
    QTest::newRow("one changed since, all or none")
        << "new changed old" << true << none << all << 3;
    QTest::newRow("none changed, all or none") << "new old old" << true << all << none << 3;
    QTest::newRow("two files") << "old old old" << false << QStringList{"a.csv", "b.csv"} << none
                               << 2;
    QTest::newRow("one file") << "old old old" << false << none << none << 1;
}

void TestFileCommit::recoveryCompletesOnlyWhatTheCommitReplaced()
{
    QFETCH(QString, states);
    QFETCH(bool, allOrNone);
    QFETCH(QStringList, completed);
    QFETCH(QStringList, changedSince);
    QFETCH(int, files);
    commitKilledAfter(0, files);
    QByteArrayList present;
    for (int i = 0; i < kNames.size(); ++i) {
        const QString state = states.split(' ').at(i);
        present.append(state == "old"   ? kBefore.at(i)
                       : state == "new" ? kAfter.at(i)
                                        : QByteArray("edited\r\n"));
        writeBytes(m_where.folder + kNames.at(i), present.last());
    }
    const CommitRecovery recovery = recoverCommit(m_where, {}, allOrNone);
    QCOMPARE(recovery.completed, completed);
    QCOMPARE(recovery.changedSince, changedSince);
    QVERIFY(recovery.failure.isEmpty());
    for (int i = 0; i < kNames.size(); ++i)
        QCOMPARE(readBytes(m_where.folder + kNames.at(i)),
                 completed.contains(kNames.at(i)) ? kAfter.at(i) : present.at(i));
    QVERIFY(!recoverCommit(m_where).anything()); // once
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
    if (damage == "chop" || damage == "append")
        damage == "chop" ? bytes.chop(1) : void(bytes += 'x');
    else if (damage == "alter")
        bytes[bytes.size() - 2] = 'X';
    else if (damage == "name")
        bytes.replace("b.csv", "../b.csv");
    else if (damage == "garbage" || damage == "empty")
        bytes = damage == "empty" ? "" : "\x00\xff garbage";
    if (damage == "folder" || damage == "fifo") {
        QVERIFY(QFile::remove(journal));
        QVERIFY(damage == "folder" ? QDir().mkdir(journal) : makeNotRegularFile(journal));
    } else {
        writeBytes(journal, bytes);
        QVERIFY(damage != "large" || QFile::resize(journal, kMaxJournalBytes + 1));
    }
    QByteArrayList files;
    for (const QString &name : kNames)
        files.append(readBytes(m_where.folder + name));

    const CommitRecovery recovery = recoverCommit(m_where);
    QVERIFY(recovery.completed.isEmpty() && recovery.failure.isEmpty());
    QCOMPARE(recovery.unsure, unsure);
    QVERIFY(recovery.setAsideAs.startsWith("client/Loto6Tickets.journal.damaged-"));
    const QString setAside = m_where.folder + recovery.setAsideAs.mid(7);
    QVERIFY(QFileInfo::exists(setAside) && !QFileInfo::exists(journal));
    if (QFileInfo(setAside).isFile() && damage != "large")
        QCOMPARE(readBytes(setAside), bytes);
    for (int i = 0; i < kNames.size(); ++i)
        QCOMPARE(readBytes(m_where.folder + kNames.at(i)), files.at(i));
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
    if (obstacle == "journal")
        writeBytes(m_where.journalPath(), "");
    if (obstacle == "folder") {
        QVERIFY(QFile::remove(m_where.folder + "c.csv") && QDir(m_where.folder).mkdir("c.csv"));
        m_changes.last().after = "c1\r\n";
    }
    if (obstacle == "large")
        m_changes.first().after = QByteArray(kMaxJournalBytes, 'x');
    QFile held(m_where.folder + "c.csv");
    QVERIFY(obstacle != "held" || held.open(QIODevice::ReadOnly));
    const QMap<QString, QByteArray> before = folderSnapshot(m_where.folder);
    QString error;
    try {
        commitFiles(m_where, m_changes);
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
    std::optional<LockedPath> lock(std::in_place, m_where.journalPath());
    if (!lock->locked())
        QSKIP("this file system cannot make a file read-only");
    const CommitRecovery recovery = recoverCommit(m_where);
    QCOMPARE(recovery.completed, kNames);
    QVERIFY2(recovery.failure.contains("を削除できません"), qPrintable(recovery.failure));
    const QMap<QString, QByteArray> completed = folderSnapshot(m_where.folder);
    const QVector<FileChange> back{{"a.csv", kAfter.at(0), kBefore.at(0)}};
    QVERIFY_THROWS_EXCEPTION(DomainError, commitFiles(m_where, back));
    QCOMPARE(folderSnapshot(m_where.folder), completed);
    lock.reset(); // under Wine the attribute goes a moment later
    QTRY_VERIFY_WITH_TIMEOUT(recoverCommit(m_where).failure.isEmpty(), 15000);
    commitFiles(m_where, back);
    QCOMPARE(readBytes(m_where.folder + "a.csv"), kBefore.at(0));
}

QTEST_MAIN(TestFileCommit)
#include "tst_filecommit.moc"
