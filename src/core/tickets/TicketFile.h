#pragma once

#include "core/common/FileCommit.h"
#include "core/results/PastDraws.h"
#include "core/tickets/LotoLine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

// The ticket files: one text file per draw number in the folder "client/" beside the program,
// one ticket line per line, every line the program writes ended by CR LF. Files edited by
// hand may end lines with a bare LF and hold empty lines: every line is read all the same. A line
// is seven comma-separated fields: the draw number, then the six chosen numbers as two digits in
// ascending order, e.g. "700,03,11,19,24,38,42". A file whose lines were all cancelled holds the
// single line of six commas, which belongs to no draw. A Ctrl+Z that a Windows text tool left at
// the end stays there: it hides no line, and new lines go in front of it. Files are appended to,
// have one line removed, or are deleted; every write replaces the file whole and safely, so a
// failure leaves it as it was. Failures raise DomainError with the reason in Japanese.

inline constexpr int kTicketColumns = 7;

// The folder of the data folder that holds the ticket files and claimed.csv, beside the results
// files' kDownloadFolder.
inline const QString kClientFolder = QStringLiteral("client/");

// The largest ticket file that is read. A player's file is a few kilobytes (ten lines a draw);
// a larger one is refused, naming the file, rather than holding up every reader.
inline constexpr qint64 kMaxTicketFileBytes = 1024 * 1024;

// The line left in a file when its last line is cancelled.
inline const QByteArray kEmptyTicketLine = QByteArrayLiteral(",,,,,,\r\n");

// True when the text is a plain decimal number (ASCII digits only, at least one), the only
// text that may name a ticket file. "0700" is plain and names another file than "700".
bool isPlainDrawNumber(const QString &text);

// Whether a file of client/ is a ticket file as the program names them: "2038.csv", a draw
// number without leading zeros. Any other file there (a copy "2038 - コピー.csv", claimed.csv)
// is not read as one, so that no line is counted twice.
bool isTicketFileName(const QString &name);

// programFolder (with trailing "/") + "client/" + drawText + ".csv"; nothing when drawText is
// not a plain decimal number.
std::optional<QString> ticketFilePath(const QString &programFolder, const QString &drawText);
// The same for a line's draw, which always names a file: "client/2039.csv" below programFolder.
QString ticketFilePath(const QString &programFolder, int draw);
// The name of a draw's ticket file as the player is told it: "client/2039.csv".
QString shownTicketFile(int draw);

// The one rule of a line, which every reader of lines follows (the check, the list, the report,
// the repeated lines of the slate, a line typed in): its numbers are exactly six fields, each
// plain decimal digits read as a number ("7" and "07" are one number), all different and each
// of 1..43. Their set, or nothing when the fields are anything else.
std::optional<NumberSet> lineNumbers(const QStringList &fields);

// A draw number as a line or a field writes it: plain decimal digits read as a number, so
// "0700" and "700" name one draw. Its digits without leading zeros; empty when the text is
// not a draw number (no digits, any other character, or 0).
QString drawNumberKey(const QString &text);

// One line of a ticket file as every reader takes it: a valid line is a LotoLine (the draw
// number and exactly six numbers by the rule above, seven fields by the comma-text rule).
// Anything else is not a valid line ("無効"): it is listed and shown, and never wins.
struct TicketLine {
    QString text;                 // the line as the file holds it
    QStringList cells;            // its first seven fields by the comma-text rule, as shown
    QString draw;                 // drawNumberKey of the first field: the draw it belongs to
    std::optional<LotoLine> line; // the line, when it is a valid one
    bool valid() const { return line.has_value(); }
};
TicketLine readTicketLine(const QString &text);

// Whether path (a file to be written) lies in the folders that hold the program's own data:
// "client/" or "download/" of the data folder or of the install folder (each with a trailing
// "/"), or a folder below them. The CSV export never writes there: a file it replaced could be a
// ticket file or a results file. The name is followed to the file it reaches, so a link to one
// of those files counts as the file; and a file or folder that is one of them by its identity
// (device and number: a hard link, a folder mounted elsewhere) counts as well.
bool isInProgramData(const QString &path, const QString &dataFolder, const QString &installFolder);

// The numbers of a listed line (its cells after the draw) as a question names them, "03 11 19
// 24 38 42": joined by spaces and cut to kShownLineLength characters, a cut marked by "…", so
// that a line of any length fits in a message.
inline constexpr int kShownLineLength = 40;
QString shownLineNumbers(const QStringList &cells);

// The whole of a file of client/, or a null array when there is none. Only a regular file of
// at most kMaxTicketFileBytes is read. A file that exists but cannot be read raises DomainError
// or, when reason is given, gives a null array and says why in *reason.
QByteArray readClientFile(const QString &path, QString *reason = nullptr);

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

// What the ticket file of a draw lists.
struct TicketListing {
    bool hasLines = false;     // the file holds at least one line, of any draw
    QVector<TicketLine> lines; // the draw's lines, valid or not, in file order
    // The lines as a list shows them, each read into seven cells.
    QVector<QStringList> rows() const;
};

// Lists the lines of a draw: each line of the file (every line is read) whose draw number is
// drawText's, read as numbers, in file order. A missing file lists nothing.
TicketListing listTicketFile(const QString &path, const QString &drawText);

// Every line of the file, whatever draw it names, in file order. A missing file gives none.
QVector<TicketLine> readAllTicketLines(const QString &path);
// The same, for a reader that must not fail: a file that exists but cannot be read gives none,
// and *reason tells why in Japanese.
QVector<TicketLine> readAllTicketLines(const QString &path, QString *reason);

enum class TicketRemoval {
    Removed,      // the line is gone, every other byte of the file is kept
    ListOutdated, // the file no longer lists `listedRows`: nothing was changed
};

// Removes the listed line at index `row` of the rows that listTicketFile gave for drawText,
// after checking that the file still lists exactly `listedRows`. Every other line of the file,
// of any draw, and every empty line, stays byte for byte and in order. When nothing
// but blanks and line ends would remain, the file gets the single line of six commas (in front
// of a Ctrl+Z that ended the file).
TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row);

// Removes every line that listTicketFile lists for drawText from the file; every other line
// stays byte for byte and in order, and so does a Ctrl+Z. When no line of any draw would remain
// (only blanks, line ends, Ctrl+Z and lines of six commas), the file is deleted instead. False
// when there was no file.
bool removeDrawTicketLines(const QString &path, const QString &drawText);
// The same after checking that the file still lists exactly `listedRows` for drawText, so that
// no line is removed that the player was not shown: ListOutdated, and nothing changed, when it
// lists anything else. A file gone meanwhile has nothing left to remove.
TicketRemoval removeListedDrawTicketLines(const QString &path, const QString &drawText,
                                          const QVector<QStringList> &listedRows);
