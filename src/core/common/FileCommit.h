#pragma once

#include "core/common/SafeWrite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Several files of one folder replaced as one: every file gets its new content, or none does.
//
// Every new content is written out beside its file before the first is replaced. When there
// are two files or more, a journal is written into the folder before the first replacement and
// removed after the last. It holds each file's name, the hash of the content the commit replaces
// (or that there was no file), and its new content with that content's hash. A program ended
// between two replacements leaves it, and recoverCommit completes the set at the next start, by
// one rule: a file is written only while it still holds the content the commit replaced (or
// already the new one). A file changed since is left alone and named.
//
// While a journal stands in the folder (its recovery failed, or it could not be removed) no
// further commit goes on there, so that no journal is ever replayed over a later change.

// The folder of a commit and what its journal may name.
struct CommitFolder {
    QString folder;      // absolute, with trailing "/"
    QString shownFolder; // as the player knows it, with trailing "/": "client/"
    QString journalName; // "Loto6Tickets.journal"
    // The names a journal of this folder may hold; any other makes it no journal of the program.
    std::function<bool(const QString &name)> acceptsName;
    // Reads a journal that an older version of the program wrote (whole contents, no hashes)
    // into names and new contents; false when the bytes are not one, whole.
    std::function<bool(const QByteArray &journal, QStringList *names,
                       QVector<QByteArray> *contents)>
        readOlderJournal;

    QString journalPath() const { return folder + journalName; }
    QString shownJournal() const { return shownFolder + journalName; }
};

// One file of a commit, by its name in the folder.
struct FileChange {
    QString name;
    QByteArray before; // what the file holds now, as the caller read it; null: no file
    QByteArray after;  // its new content; null: the file is removed
};

// For the readers of journals: the line of journal that starts at *at, without its '\n', and *at
// moved past it; false, changing nothing, when no whole line starts there.
bool takeJournalLine(const QByteArray &journal, qsizetype *at, QByteArray *line);

// A journal larger than this is not the program's (ten ticket files or a pair of results files
// are far smaller), and is not read.
inline constexpr qint64 kMaxJournalBytes = 8 * 1024 * 1024;

// Commits the changes. Before anything is touched it refuses, with DomainError naming the file:
// a journal left in the folder, a file that another program holds open, a file that cannot be
// written, a journal that would be larger than kMaxJournalBytes. When a replacement fails the
// files already replaced get their old content back; should one not go back, the journal stays
// for the next start. The step replaces each staged file (a test passes one that fails).
void commitFiles(const CommitFolder &where, const QVector<FileChange> &changes,
                 const CommitStep &step = commitStaged);

// Throws DomainError, saying what the player can do, while a journal stands in the folder.
void ensureNoPendingCommit(const CommitFolder &where);

// What the recovery at start did. Names are those of the files in the folder.
struct CommitRecovery {
    QStringList completed;    // holding the new content now (written before the end, or now)
    QStringList changedSince; // left alone: changed since the commit (or the set was refused)
    QStringList unsure;       // named by a journal that was damaged or refused: may be incomplete
    QString setAsideAs;       // the new name of a damaged or refused journal, else empty
    QString refusal;          // why the content of a refused journal was not taken
    QString failure;          // what stopped the recovery, and what to do; the journal stays
    bool anything() const { return !completed.isEmpty() || troubled(); }
    // Something the player must look at: more than a completed commit.
    bool troubled() const
    {
        return !changedSince.isEmpty() || !setAsideAs.isEmpty() || !failure.isEmpty();
    }
};

// How recoverCommit checks the contents of a journal before writing any: throws DomainError
// when they must not be taken (the reason is told).
using CommitContentCheck =
    std::function<void(const QStringList &names, const QVector<QByteArray> &contents)>;

// Completes a commit that the end of the program cut short, then removes the temporary copies
// left in the folder. A journal that is damaged, too large or no file, or whose contents the
// check refuses, is set aside under a new name (never deleted) and no file is written. With
// allOrNone, a single file changed since leaves every file alone (the pair of results files
// must belong together). A journal of an older version is first rewritten in the present form,
// with the files' present contents as those it replaces, so that it is completed once. Never
// throws: what stopped it is in `failure`, and the journal then stays.
CommitRecovery recoverCommit(const CommitFolder &where, const CommitContentCheck &check = {},
                             bool allOrNone = false);

// What the player is told of a recovery, one sentence a line: what it completed, what it left
// alone, a journal set aside and which files may be incomplete, what stopped it. subject names
// the commit ("申込数字の保存"), shownName a file as the player knows it ("第2039回"). Empty when
// there was nothing to do.
QString recoveryReport(const CommitRecovery &recovery, const QString &subject,
                       const std::function<QString(const QString &name)> &shownName);
