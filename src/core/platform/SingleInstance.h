#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second start of the same executable from running beside the first. The guard is
// named after the executable's file name, so a copy under another name starts on its own.
// On Windows it is a named mutex; elsewhere a lock file in the user's runtime folder, which a
// crashed instance does not leave stale.
//
// A second guard holds the data folder (download/ and client/): two instances saving into one
// folder at once would lose lines, and two runtime folders (two sessions of one user, a portable
// copy started from two places) do not see each other's first guard. It is a lock file in the
// data folder itself, on every system.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &executableFileName);
    ~SingleInstanceGuard();

    // True when this process is the first instance (and now holds the guard).
    bool acquire();
    // False only when another running instance holds the data folder (with a trailing "/"):
    // a folder where no lock file can be made is not shared with anyone, and starts.
    bool acquireDataFolder(const QString &dataFolder);

    static QString lockFilePath(const QString &executableFileName);
    static QString dataFolderLockPath(const QString &dataFolder);

private:
    QString m_name;
#ifdef Q_OS_WIN
    void *m_mutex = nullptr;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
    std::unique_ptr<QLockFile> m_dataLock;
};
