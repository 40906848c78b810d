#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// Who holds a data folder that a start could not take.
struct DataFolderHolder {
    bool otherComputer = false; // the lock names another computer, whose process cannot be seen
    QString host;               // the computer's name as the lock gives it
    qint64 pid = 0;
    QDateTime since; // when it took the folder
};

enum class DataFolderLock {
    Taken,         // this process holds the folder now
    TakenOver,     // a lock of this computer that no running instance held was taken over
    HeldHere,      // a running instance on this computer holds it
    HeldElsewhere, // a lock of another computer: running there, or left by a crash
};

// When the process of that number on this computer started; invalid when no such process runs
// or the system does not tell.
QDateTime processStartTime(qint64 pid);

// Asks the process of that number whether it is the running instance that holds the data
// folder; true when it answers so.
using HolderQuestion = std::function<bool(qint64 pid)>;

// This computer's name as the lock files of a data folder give it, and whether a name so given
// is this computer.
QString thisComputerName();
bool isThisComputer(const QString &host);

// The player's words for a held data folder: "データフォルダー「…」は、別のコンピューター
// 「PC-2」で 2026/12/09 10:00 から使用中です（プロセス 4242）。"
QString dataFolderHolderText(const QString &dataFolder, const DataFolderHolder &holder);
// The player's words for a lock taken over from an instance that is no longer running, short
// enough for the status bar.
QString dataFolderTakenOverText();

// Keeps a second start of the same executable on the same data folder from running beside the
// first. The guard is named after the executable's file name and the data folder (see
// instanceName), so a copy under another name, or a copy with a data folder of its own (a second
// portable folder), starts on its own.
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
    // name: instanceName() of the program file and its data folder.
    explicit SingleInstanceGuard(const QString &name);
    // The guard's name: the executable's file name and a short digest of the data folder's
    // path as the file system has it.
    static QString instanceName(const QString &executableFileName, const QString &dataFolder);
    ~SingleInstanceGuard();

    // True when this process is the first instance (and now holds the guard).
    bool acquire();
    // Takes the data folder (with a trailing "/"), unless a running instance holds it: a lock
    // of this computer whose process is gone is taken over at once; so is one whose process
    // number went to another process since (TakenOver; answers asks the process, see
    // isRunningHolder); a lock of another computer is held (whether its process runs cannot be
    // seen from here). *holder says whose the lock was. A folder where no lock file can be made
    // is not shared with anyone, and is taken.
    DataFolderLock acquireDataFolder(const QString &dataFolder, DataFolderHolder *holder = nullptr,
                                     const HolderQuestion &answers = {});
    // Takes the data folder from another computer's lock, once the player has said that no
    // program runs there any more. False when it could not be taken.
    bool takeDataFolderOver(const QString &dataFolder);

    static QString lockFilePath(const QString &name);
    static QString dataFolderLockPath(const QString &dataFolder);

private:
    static bool isRunningHolder(const DataFolderHolder &named, const HolderQuestion &answers);

    QString m_name;
#ifdef Q_OS_WIN
    void *m_mutex = nullptr;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
    std::unique_ptr<QLockFile> m_dataLock;
};
