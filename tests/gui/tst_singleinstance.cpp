// Starting the program twice: the second start of the same program file on the same data
// folder ends at once with exit code 0 and brings the running window to the front, and a start
// from another session on the same data folder is refused, saying why; a copy under another
// file name, or under the same name with a data folder of its own, starts on its own. A lock
// that another computer left in the data folder is named, not a silent end.

#include "TestSupport.h"
#include "core/platform/SingleInstance.h"
#include "gui/services/FrontRequests.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <memory>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAtOnce();
    void secondStartBringsTheWindowForward();
    void anotherComputersLockIsNamed();
    void secondPortableCopyStarts();

private:
    // runtime: the user's runtime folder (one per session)
    QProcessEnvironment environment(const QTemporaryDir &runtime) const;
    // A copy of the program in folder under name (".exe" added on Windows).
    static QString copyProgram(const ProgramFolder &folder, const QString &name);
    // Ends a started copy: Windows has no signal to ask it, and the copies have no window there.
    static bool end(QProcess &program);
    QTemporaryDir m_home;
    QTemporaryDir m_otherSession;
};

QProcessEnvironment TestSingleInstance::environment(const QTemporaryDir &runtime) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", m_home.path());
#ifdef Q_OS_WIN
    // The copies find the libraries and plug-ins beside the built program.
    const QString built = QDir::toNativeSeparators(QFileInfo(LOTO6_EXECUTABLE).absolutePath());
    env.insert("PATH", built + ";" + env.value("PATH"));
    env.insert("QT_PLUGIN_PATH", built);
#endif
    return env;
}

bool TestSingleInstance::end(QProcess &program)
{
#ifdef Q_OS_WIN
    program.kill();
#else
    program.terminate();
#endif
    return program.waitForFinished(5000);
}

QString TestSingleInstance::copyProgram(const ProgramFolder &folder, const QString &name)
{
#ifdef Q_OS_WIN
    const QString program = folder.file(name + ".exe");
#else
    const QString program = folder.file(name);
#endif
    return QFile::copy(LOTO6_EXECUTABLE, program) ? program : QString();
}

void TestSingleInstance::secondStartEndsAtOnce()
{
    for (const QTemporaryDir *runtime : {&m_home, &m_otherSession})
        QFile::setPermissions(runtime->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The program runs from copies of its own folder (portable: the data lies beside it) so
    // that the test owns both names.
    ProgramFolder folder, otherFolder;
    const QString program = copyProgram(folder, "Loto6Yorune");
    const QString renamed = copyProgram(otherFolder, "Loto6YoruneCopy");
    QVERIFY(!program.isEmpty() && !renamed.isEmpty());

    QProcess first;
    first.setProcessEnvironment(environment(m_home));
    first.start(program);
    QVERIFY(first.waitForStarted());
#ifndef Q_OS_WIN // there the guard is a named mutex
    const QString guard =
        SingleInstanceGuard::instanceName(QFileInfo(program).fileName(), folder.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_home.filePath(guard + ".lock")), 10000);
#endif
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.file("Loto6Yorune-data.lock")), 10000);
    // It answers as the holder of its data folder, under its own number only.
    QVERIFY(FrontRequests::askHolder(folder.path(), first.processId()));
    QVERIFY(!FrontRequests::askHolder(folder.path(), first.processId() + 1));

    // The same session ends at once.
    QProcess second;
    second.setProcessEnvironment(environment(m_home));
    second.start(program);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // Another session (its own runtime folder) on the same data folder says why it does not
    // start, in a box that nobody here answers; its words also go to the error output.
    // Windows keeps the names of each session apart itself and a test has one session: there
    // the running program is of another session when its data folder is held by a program
    // under another name (the copy, without its own data folder).
    QProcess otherSession;
    otherSession.setProcessEnvironment(environment(m_otherSession));
#ifdef Q_OS_WIN
    QVERIFY(end(first));
    auto otherSessions = std::make_unique<SingleInstanceGuard>("Loto6Yorune-other-session");
    FrontRequests otherHolder("Loto6Yorune-other-session"); // answers as the folder's holder
    otherHolder.answerAsHolderOf(folder.path());
    QCOMPARE(otherSessions->acquireDataFolder(folder.path()), DataFolderLock::Taken);
#endif
    otherSession.start(program);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT(QString::fromUtf8(said += otherSession.readAllStandardError())
                                 .contains("このコンピューターの別のロト６ヨルネで"),
                             10000);
    otherSession.kill();
    otherSession.waitForFinished(5000);
#ifdef Q_OS_WIN
    otherSessions.reset();
    first.start(program);
    QVERIFY(first.waitForStarted());
#endif

    QProcess copy;
    copy.setProcessEnvironment(environment(m_home));
    copy.start(renamed);
    QVERIFY(copy.waitForStarted());
    QVERIFY2(!copy.waitForFinished(1500), "the copy under another name did not keep running");

    for (QProcess *p : {&first, &copy}) {
        QCOMPARE(p->state(), QProcess::Running);
        QVERIFY(end(*p));
    }
}

// This test plays the running program: it holds the program file's guard, listens, and shows
// its window minimised.
void TestSingleInstance::secondStartBringsTheWindowForward()
{
    QFile::setPermissions(m_home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_home.path().toLocal8Bit());
    isolateSettings(m_home);
    ProgramFolder folder;
    const QString program = copyProgram(folder, "Loto6Yorune");
    QVERIFY(!program.isEmpty());
    const QString name =
        SingleInstanceGuard::instanceName(QFileInfo(program).fileName(), folder.path());
    SingleInstanceGuard guard(name);
    QVERIFY(guard.acquire());
    FrontRequests requests(name);
    QVERIFY(requests.isListening());
    TMainForm form(folder.path());
    QObject::connect(&requests, &FrontRequests::frontRequested, &form, &TMainForm::bringToFront);
    form.showMinimized();
    QVERIFY(form.isMinimized());

    QProcess second;
    second.setProcessEnvironment(environment(m_home));
    second.start(program);
    // Waiting as the running program would: with its messages running.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());
}

// A lock left in the data folder by another computer (a portable folder on a stick): the start
// does not end silently, it names the computer and asks.
void TestSingleInstance::anotherComputersLockIsNamed()
{
    QFile::setPermissions(m_home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgramFolder folder;
    const QString program = copyProgram(folder, "Loto6Yorune");
    QVERIFY(!program.isEmpty());
    QFile lock(folder.file("Loto6Yorune-data.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("4242\nLoto6Yorune\nSTICK-PC\n\n");
    lock.close();
    QProcess start;
    start.setProcessEnvironment(environment(m_home));
    start.start(program);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT(QString::fromUtf8(said += start.readAllStandardError())
                                 .contains("別のコンピューター「STICK-PC」で"),
                             10000);
    QCOMPARE(start.state(), QProcess::Running); // asking the player
    start.kill();
    start.waitForFinished(5000);
    QVERIFY(lock.exists());
}

// A second portable copy under the same file name, with a data folder of its own, starts
// beside the first instead of bringing the first one's window forward.
void TestSingleInstance::secondPortableCopyStarts()
{
    QFile::setPermissions(m_home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgramFolder one, two;
    QProcess first, second;
    for (auto [folder, process] : {std::pair{&one, &first}, std::pair{&two, &second}}) {
        const QString program = copyProgram(*folder, "Loto6Yorune");
        QVERIFY(!program.isEmpty());
        process->setProcessEnvironment(environment(m_home));
        process->start(program);
        QVERIFY(process->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder->file("Loto6Yorune-data.lock")), 10000);
    }
    QVERIFY2(!second.waitForFinished(1500),
             "the copy with a data folder of its own did not keep running");
    for (QProcess *p : {&first, &second}) {
        QCOMPARE(p->state(), QProcess::Running);
        QVERIFY(end(*p));
    }
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
