#include "core/platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>
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
                                                      DataFolderHolder *holder)
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
    return who.otherComputer ? DataFolderLock::HeldElsewhere : DataFolderLock::HeldHere;
}

bool SingleInstanceGuard::takeDataFolderOver(const QString &dataFolder)
{
    m_dataLock = std::make_unique<QLockFile>(dataFolderLockPath(dataFolder));
    m_dataLock->setStaleLockTime(0);
    return m_dataLock->removeStaleLockFile() && m_dataLock->tryLock(0);
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
