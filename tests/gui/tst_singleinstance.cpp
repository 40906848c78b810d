// Starting the program twice: the second start of the same program file ends at once with
// exit code 0 and brings the running window to the front, and a start from another session on
// the same data folder ends too; a copy under another file name, with a folder of its own,
// starts on its own.

#include "TestSupport.h"
#include "core/platform/SingleInstance.h"
#include "gui/services/FrontRequests.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAtOnce();
    void secondStartBringsTheWindowForward();

private:
    // runtime: the user's runtime folder (one per session)
    QProcessEnvironment environment(const QTemporaryDir &runtime) const;
    QTemporaryDir m_home;
    QTemporaryDir m_otherSession;
};

QProcessEnvironment TestSingleInstance::environment(const QTemporaryDir &runtime) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", m_home.path());
    return env;
}

void TestSingleInstance::secondStartEndsAtOnce()
{
    for (const QTemporaryDir *runtime : {&m_home, &m_otherSession})
        QFile::setPermissions(runtime->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The program runs from copies of its own folder (portable: the data lies beside it) so
    // that the test owns both names.
    ProgramFolder folder, otherFolder;
    const QString program = folder.file("Loto6Yorune");
    QVERIFY(QFile::copy(LOTO6_EXECUTABLE, program));
    const QString renamed = otherFolder.file("Loto6YoruneCopy");
    QVERIFY(QFile::copy(LOTO6_EXECUTABLE, renamed));

    QProcess first;
    first.setProcessEnvironment(environment(m_home));
    first.start(program);
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_home.filePath("Loto6Yorune.lock")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.file("Loto6Yorune-data.lock")), 10000);

    // The same session, then another one (its own runtime folder) on the same data folder.
    for (const QTemporaryDir *runtime : {&m_home, &m_otherSession}) {
        QProcess second;
        second.setProcessEnvironment(environment(*runtime));
        second.start(program);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    QProcess copy;
    copy.setProcessEnvironment(environment(m_home));
    copy.start(renamed);
    QVERIFY(copy.waitForStarted());
    QVERIFY2(!copy.waitForFinished(1500), "the copy under another name did not keep running");

    for (QProcess *p : {&first, &copy}) {
        QCOMPARE(p->state(), QProcess::Running);
        p->terminate();
        QVERIFY(p->waitForFinished(5000));
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
    const QString program = folder.file("Loto6Yorune");
    QVERIFY(QFile::copy(LOTO6_EXECUTABLE, program));
    SingleInstanceGuard guard("Loto6Yorune");
    QVERIFY(guard.acquire());
    FrontRequests requests("Loto6Yorune");
    QVERIFY(requests.isListening());
    TMainForm form(folder.path());
    QObject::connect(&requests, &FrontRequests::frontRequested, &form, &TMainForm::bringToFront);
    form.showMinimized();
    QVERIFY(form.isMinimized());

    QProcess second;
    second.setProcessEnvironment(environment(m_home));
    second.start(program);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
