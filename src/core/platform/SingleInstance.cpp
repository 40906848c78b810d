#include "core/platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

SingleInstanceGuard::SingleInstanceGuard(const QString &executableFileName)
    : m_name(executableFileName)
{
}

SingleInstanceGuard::~SingleInstanceGuard()
{
#ifdef Q_OS_WIN
    if (m_mutex)
        CloseHandle(static_cast<HANDLE>(m_mutex));
#endif
}

QString SingleInstanceGuard::lockFilePath(const QString &executableFileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + executableFileName + QStringLiteral(".lock");
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

bool SingleInstanceGuard::acquireDataFolder(const QString &dataFolder)
{
    m_dataLock = std::make_unique<QLockFile>(dataFolderLockPath(dataFolder));
    m_dataLock->setStaleLockTime(0); // a lock whose process is gone is taken over at once
    return m_dataLock->tryLock(0) || m_dataLock->error() != QLockFile::LockFailedError;
}
