#include "core/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#elif defined(Q_OS_LINUX)
#include <QFile>
#include <unistd.h>
#endif

SingleInstanceGuard::SingleInstanceGuard(const QString &name) : m_name(name) {}

QString SingleInstanceGuard::instanceName(const QString &executableFileName,
                                          const QString &dataFolder)
{
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    QString folder = canonical.isEmpty() ? QFileInfo(dataFolder).absoluteFilePath() : canonical;
#ifdef Q_OS_WIN
    folder = folder.toLower(); // one folder, however its name is written
#endif
    const QByteArray digest =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return executableFileName + QLatin1Char('-') + QString::fromLatin1(digest);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
#ifdef Q_OS_WIN
    if (m_mutex)
        CloseHandle(static_cast<HANDLE>(m_mutex));
#endif
}

QString SingleInstanceGuard::lockFilePath(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + name + QStringLiteral(".lock");
}

bool SingleInstanceGuard::acquire()
{
#ifdef Q_OS_WIN
    const std::wstring name = m_name.toStdWString();
    HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name.c_str());
    if (existing) {
        CloseHandle(existing);
        return false;
    }
    m_mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    return true;
#else
    m_lock = std::make_unique<QLockFile>(lockFilePath(m_name));
    m_lock->setStaleLockTime(0); // a lock whose process is gone is taken over at once
    return m_lock->tryLock(0);
#endif
}

QString SingleInstanceGuard::dataFolderLockPath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Loto6Yorune-data.lock");
}

DataFolderLock SingleInstanceGuard::acquireDataFolder(const QString &dataFolder,
                                                      DataFolderHolder *holder,
                                                      const HolderQuestion &answers)
{
    m_dataLock = std::make_unique<QLockFile>(dataFolderLockPath(dataFolder));
    m_dataLock->setStaleLockTime(0); // a lock whose process is gone is taken over at once
    if (m_dataLock->tryLock(0) || m_dataLock->error() != QLockFile::LockFailedError)
        return DataFolderLock::Taken;
    DataFolderHolder who;
    QString application;
    m_dataLock->getLockInfo(&who.pid, &who.host, &application);
    who.otherComputer = !who.host.isEmpty() && !isThisComputer(who.host);
    who.since = QFileInfo(dataFolderLockPath(dataFolder)).lastModified();
    if (holder)
        *holder = who;
    if (who.otherComputer)
        return DataFolderLock::HeldElsewhere;
    if (isRunningHolder(who, answers))
        return DataFolderLock::HeldHere;
    // Left by an instance that ended without removing it: taken over, unless its file cannot be
    // removed because the process still has it open after all.
    m_dataLock->removeStaleLockFile();
    return m_dataLock->tryLock(0) ? DataFolderLock::TakenOver : DataFolderLock::HeldHere;
}

// The process that a lock of this computer names (alive, and of this program's name, or the
// lock would have been taken as stale) still holds it unless its number went to another process
// since: the systems hand the numbers out again, Wine soon after a program ended. That one is
// this very process, which has not taken the lock yet, or started after the lock was written, or
// does not answer the question of the running instance.
bool SingleInstanceGuard::isRunningHolder(const DataFolderHolder &named,
                                          const HolderQuestion &answers)
{
    if (named.pid == QCoreApplication::applicationPid())
        return false;
    const QDateTime started = processStartTime(named.pid);
    if (started.isValid() && named.since.isValid() && started > named.since)
        return false;
    return !answers || answers(named.pid);
}

bool SingleInstanceGuard::takeDataFolderOver(const QString &dataFolder)
{
    m_dataLock = std::make_unique<QLockFile>(dataFolderLockPath(dataFolder));
    m_dataLock->setStaleLockTime(0);
    return m_dataLock->removeStaleLockFile() && m_dataLock->tryLock(0);
}

QDateTime processStartTime(qint64 pid)
{
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return QDateTime();
    FILETIME created, exited, kernel, user;
    const bool known = GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    if (!known)
        return QDateTime();
    // In steps of 100 nanoseconds since 1601-01-01 UTC.
    const qint64 steps = qint64(created.dwHighDateTime) << 32 | created.dwLowDateTime;
    return QDateTime::fromMSecsSinceEpoch((steps - 116444736000000000LL) / 10000, Qt::UTC);
#elif defined(Q_OS_LINUX)
    // The 22nd field of the process's stat line: its start in clock ticks after the boot. The
    // second field, the program's name in brackets, may hold blanks and brackets itself.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return QDateTime();
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    bool ticksRead = false;
    const qint64 ticks = fields.size() > 19 ? fields.at(19).toLongLong(&ticksRead) : 0;
    // The boot, in seconds since 1970, as the system's own line "btime" tells it. The files of
    // /proc tell no size: they are read whole.
    QFile system(QStringLiteral("/proc/stat"));
    qint64 boot = 0;
    if (system.open(QIODevice::ReadOnly)) {
        const QByteArray lines = system.readAll();
        const qsizetype at = lines.indexOf("\nbtime ");
        if (at >= 0)
            boot = lines.mid(at + 7, lines.indexOf('\n', at + 1) - at - 7).trimmed().toLongLong();
    }
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!ticksRead || boot <= 0 || ticksPerSecond <= 0)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(boot * 1000 + ticks * 1000 / ticksPerSecond, Qt::UTC);
#else
    Q_UNUSED(pid);
    return QDateTime();
#endif
}

QString thisComputerName()
{
#ifdef Q_OS_WIN
    // The name the lock files of this computer carry on Windows: its NetBIOS name, in capitals,
    // which is not the host name of the network.
    return qEnvironmentVariable("COMPUTERNAME");
#else
    return QSysInfo::machineHostName();
#endif
}

bool isThisComputer(const QString &host)
{
    // Computer names are the same whatever their case.
    return host.compare(thisComputerName(), Qt::CaseInsensitive) == 0;
}

QString dataFolderTakenOverText()
{
    return QStringLiteral("残っていた使用中の記録を解除して起動しました。");
}

QString dataFolderHolderText(const QString &dataFolder, const DataFolderHolder &holder)
{
    const QString where = holder.otherComputer
                              ? QStringLiteral("別のコンピューター「%1」").arg(holder.host)
                              : QStringLiteral("このコンピューターの別のロト６ヨルネ");
    const QString since =
        holder.since.isValid()
            ? holder.since.toString(QStringLiteral("yyyy/MM/dd HH:mm")) + QStringLiteral(" から")
            : QString();
    return QStringLiteral("データフォルダー「%1」は、%2で%3使用中です（プロセス %4）。")
        .arg(QDir::toNativeSeparators(dataFolder), where, since)
        .arg(holder.pid);
}
