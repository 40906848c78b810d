#pragma once

#include "core/platform/DataFolder.h"
#include "core/tickets/TicketLine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The ticket files: one text file per draw number in the folder "client/" of the data folder,
// one ticket line per line, every line the program writes ended by CR LF. Files edited by
// hand may end lines with a bare LF and hold empty lines: every line is read all the same. A line
// is seven comma-separated fields: the draw number, then the six chosen numbers as two digits in
// ascending order, e.g. "700,03,11,19,24,38,42". A file whose lines were all cancelled holds the
// single line of six commas, which belongs to no draw. A Ctrl+Z that a Windows text tool left at
// the end stays there: it hides no line, and new lines go in front of it. This module reads
// them; TicketWrite.h changes them. Failures raise DomainError with the reason in Japanese.

// The program's own file of client/ with the marks of claimed prizes (see PrizeClaims.h); no
// ticket file.
inline const QString kClaimedFileName = QStringLiteral("claimed.csv");

// The largest ticket file that is read. A player's file is a few kilobytes (ten lines a draw);
// a larger one is refused, naming the file, rather than holding up every reader.
inline constexpr qint64 kMaxTicketFileBytes = 1024 * 1024;

// Whether a file of client/ is a ticket file as the program names them: "2038.csv", a draw
// number without leading zeros. Any other file there (a copy "2038 - コピー.csv", claimed.csv)
// is not read as one, so that no line is counted twice.
bool isTicketFileName(const QString &name);
// The draw whose ticket file a draw number typed by the player names: its number (see
// readDrawNumber) when it is written as the ticket files are named, without leading zeros;
// else kNoDraw, as for "0700", which names no file of the program's.
int ticketFileDraw(const QString &text);

// The ticket file of a draw: programFolder (with trailing "/") + "client/2039.csv".
QString ticketFilePath(const QString &programFolder, int draw);
// The name of a draw's ticket file as the player is told it: "client/2039.csv".
QString shownTicketFile(int draw);

// The whole of a file of client/, or a null array when there is none. Only a regular file of
// at most kMaxTicketFileBytes is read. A file that exists but cannot be read raises DomainError
// or, when reason is given, gives a null array and says why in *reason.
QByteArray readClientFile(const QString &path, QString *reason = nullptr);

// What the ticket file of a draw lists.
struct TicketListing {
    bool hasLines = false;     // the file holds at least one line, of any draw
    QVector<TicketLine> lines; // the draw's lines, valid or not, in file order
    // The lines as a list shows them, each read into seven cells.
    QVector<QStringList> rows() const;
};

// Lists the lines of a draw: each line of the file (every line is read) whose draw number is
// draw, in file order. A missing file lists nothing, and so does kNoDraw.
TicketListing listTicketFile(const QString &path, int draw);

// Every line of the file, whatever draw it names, in file order. A missing file gives none.
QVector<TicketLine> readAllTicketLines(const QString &path);
// The same, for a reader that must not fail: a file that exists but cannot be read gives none,
// and *reason tells why in Japanese.
QVector<TicketLine> readAllTicketLines(const QString &path, QString *reason);

// The files of client/ as every reader of all the ticket files walks it, in name order.
struct ClientFolderListing {
    struct TicketFile {
        int draw = 0;
        QString name;         // "2038.csv"
        QString path;         // below the listed folder
        bool regular = false; // a regular file; anything else (a folder, a FIFO) is not readable
    };
    QVector<TicketFile> ticketFiles; // named as the program names them (isTicketFileName)
    int skippedFiles = 0; // other "*.csv" regular files, left out (claimed.csv is the program's
                          // own and not counted)
};
// fromDraw > 0 lists only the files of that draw and later ones.
ClientFolderListing listClientFolder(const QString &clientFolder, int fromDraw = 0);

// Every line of every ticket file of clientFolder, file by file in name order, each in file
// order. A file that cannot be read (also one that is no regular file) is left out and named in
// unreadable, "client/2040.csv を読めません：…"; fromDraw as for listClientFolder.
struct ClientLines {
    QVector<TicketLine> lines;
    QStringList unreadable;
    int skippedFiles = 0;
};
ClientLines readClientLines(const QString &clientFolder, int fromDraw = 0);

// The words for a file of client/ that could not be read: "client/2040.csv を読めません：…".
QString unreadableFileText(const QString &name, const QString &reason);
