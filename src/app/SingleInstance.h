#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second start of the same executable from running beside the first. The guard is
// named after the executable's file name, so a copy under another name starts on its own.
// On Windows it is a named mutex; elsewhere a lock file in the user's runtime folder, which a
// crashed instance does not leave stale.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &executableFileName);
    ~SingleInstanceGuard();

    // True when this process is the first instance (and now holds the guard).
    bool acquire();

    static QString lockFilePath(const QString &executableFileName);

private:
    QString m_name;
#ifdef Q_OS_WIN
    void *m_mutex = nullptr;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
};
