#pragma once

#include "core/common/FileCommit.h"
#include "core/tickets/TicketFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Changes to the ticket files (see TicketFile.h): lines are appended, one line is removed, or a
// draw's lines are. Every write replaces its files whole through one commit (see FileCommit.h),
// so a failure leaves them as they were. Failures raise DomainError with the reason in Japanese.

// How a writer of ticket files reads a file before it replaces it: readClientFile unless told
// otherwise (a test counts the reads through its own).
using ClientFileReader = std::function<QByteArray(const QString &path)>;

struct TicketAppend {
    QString path;
    QByteArray lines;
};

// Appends each text at the end of its file, creating a file that is missing. All files get
// their lines or, on failure, none does (see commitFiles: a save into several files keeps a
// journal in client/ that the next start completes). A last line without its line end gets one
// first, so lines never merge; a Ctrl+Z at the end of the file stays at the end, behind the new
// lines. The files are those of one folder.
void appendTicketLines(const QVector<TicketAppend> &appends);
// The same with the step that replaces each file by its staged copy (see CommitStep), and the
// reader of each file's old content, called once a file.
void appendTicketLines(const QVector<TicketAppend> &appends, const CommitStep &commit,
                       const ClientFileReader &read = {});
inline void appendTicketLines(const QString &path, const QByteArray &lines)
{
    appendTicketLines({{path, lines}});
}

// The journal of a save into several ticket files under way, in client/.
inline const QString kTicketJournalName = QStringLiteral("Loto6Tickets.journal");

// The commit folder of the ticket files beside ticketFile (any path in client/), whose journal
// names ticket files only.
CommitFolder ticketCommitFolder(const QString &ticketFile);

// Completes a save into several ticket files of clientFolder (with trailing "/") that the end of
// the program cut short (see recoverCommit), also one that an older version left.
CommitRecovery finishTicketSave(const QString &clientFolder);

// What the player is told of that recovery, the draws by number: "前回終了時に中断された申込数字の
// 保存を完了しました（第2039回、第2040回）。"; empty when there was nothing to do.
QString ticketRecoveryText(const CommitRecovery &recovery);

// Writes the lines as the whole content of the file, replacing a file of that name: the file
// gets all of them or, on failure, keeps what it held (a new file is then not created).
void writeTicketLines(const QString &path, const QByteArray &lines);

enum class TicketRemoval {
    Removed,      // the line is gone, every other byte of the file is kept
    ListOutdated, // the file no longer lists `listedRows`: nothing was changed
};

// Removes the listed line at index `row` of the rows that listTicketFile gave for draw,
// after checking that the file still lists exactly `listedRows`. Every other line of the file,
// of any draw, and every empty line, stays byte for byte and in order. When nothing
// but blanks and line ends would remain, the file gets the single line of six commas (in front
// of a Ctrl+Z that ended the file).
TicketRemoval removeListedTicketLine(const QString &path, int draw,
                                     const QVector<QStringList> &listedRows, int row);

// Removes every line that listTicketFile lists for draw from the file; every other line
// stays byte for byte and in order, and so does a Ctrl+Z. When no line of any draw would remain
// (only blanks, line ends, Ctrl+Z and lines of six commas), the file is deleted instead. False
// when there was no file.
bool removeDrawTicketLines(const QString &path, int draw);
// The same after checking that the file still lists exactly `listedRows` for drawText, so that
// no line is removed that the player was not shown: ListOutdated, and nothing changed, when it
// lists anything else. A file gone meanwhile has nothing left to remove.
TicketRemoval removeListedDrawTicketLines(const QString &path, int draw,
                                          const QVector<QStringList> &listedRows);
