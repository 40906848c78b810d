#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Safe replacement of a file: the new content goes to a temporary copy beside it and replaces
// the file only once all of it is on disk, so a failure leaves the old file as it was. Failures
// raise DomainError naming shownPath (the path as the player knows it) and the reason in
// Japanese.
//
// The temporary copies are the program's own by their name, "~loto6yorune-XXXXXX.tmp", made
// only where no file of that name is, so that none can be a player's file. Those that an end of
// the program left behind are removed by removeStagedLeftovers at the next start.

// A new content written out beside its target, not yet in place. Removed unless committed.
class StagedFile
{
public:
    StagedFile() = default;
    StagedFile(StagedFile &&other) noexcept;
    StagedFile &operator=(StagedFile &&other) noexcept;
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;
    ~StagedFile();

    const QString &target() const { return m_target; }
    const QString &shownPath() const { return m_shownPath; }
    const QString &temporary() const { return m_temporary; }

private:
    friend StagedFile stageWholeFile(const QString &, const QByteArray &, const QString &);
    friend void commitStaged(StagedFile &file);
    QString m_target;
    QString m_shownPath;
    QString m_temporary; // empty once committed
};

// Writes the whole content into a temporary copy beside path and flushes it to the disk. A target
// that exists and cannot be written is refused here, before anything is written.
StagedFile stageWholeFile(const QString &path, const QByteArray &content, const QString &shownPath);

// Replaces the target with the staged copy (one rename).
void commitStaged(StagedFile &file);

// The step that replaces a file by its staged copy, for the writers that replace several files
// as one: the program passes commitStaged; a test passes a step that fails at the n-th file.
using CommitStep = std::function<void(StagedFile &file)>;

// Both steps for one file.
void writeWholeFile(const QString &path, const QByteArray &content, const QString &shownPath);

// Removes the file; a file the folder keeps all the same (some file systems take a removal and
// drop it) is not called removed.
void removeWholeFile(const QString &path, const QString &shownPath);

// Whether a file name is one of the temporary copies above.
bool isStagedCopyName(const QString &name);

// Removes the temporary copies in folder that an end of the program left behind; nothing else.
// Only while no write into the folder is under way (at start).
void removeStagedLeftovers(const QString &folder);
