#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The ticket files: one text file per draw number in the folder "client/" beside the program,
// one ticket line per line, every line ended by CR LF. A line is seven comma-separated
// fields: the draw number, then the six chosen numbers as two digits in ascending order, e.g.
// "700,03,11,19,24,38,42". A file whose lines were all cancelled holds the single line of six
// commas, which belongs to no draw. Files are appended to, have one line removed, or are
// deleted; every write replaces the file whole and safely, so a failure leaves it as it was.
// Failures raise DomainError with the reason in Japanese.

inline constexpr int kTicketColumns = 7;

// The line left in a file when its last line is cancelled.
inline const QByteArray kEmptyTicketLine = QByteArrayLiteral(",,,,,,\r\n");

// True when the text is a plain decimal number (ASCII digits only, at least one), the only
// text that may name a ticket file. "0700" is plain and names another file than "700".
bool isPlainDrawNumber(const QString &text);

// programFolder (with trailing "/") + "client/" + drawText + ".csv"; nothing when drawText is
// not a plain decimal number.
std::optional<QString> ticketFilePath(const QString &programFolder, const QString &drawText);

// One ticket line from the cells of a slate row (the comma text of the row, no line end).
QString ticketLineOf(const QStringList &cells);

// What a save appends: every row as a ticket line followed by CR LF, in order.
QByteArray slateLinesText(const QVector<QStringList> &rows);

// Appends the text at the end of the file, creating the file when it is missing; all of it or,
// on failure, nothing. A last line without its line end gets one first, so lines never merge.
void appendTicketLines(const QString &path, const QByteArray &lines);

// Writes the lines as the whole content of the file, replacing a file of that name: the file
// gets all of them or, on failure, keeps what it held (a new file is then not created).
void writeTicketLines(const QString &path, const QByteArray &lines);

// What the ticket file of a draw lists.
struct TicketListing {
    bool hasLines = false;     // the file holds at least one line, of any draw
    QVector<QStringList> rows; // the draw's lines, each read into seven cells
};

// Lists the lines of a draw: each line of the file (as the one text reader sees it: reading
// stops at the first empty line) whose text in front of its first comma equals drawText
// exactly, read by the comma-text rule, in file order. A missing file lists nothing.
TicketListing listTicketFile(const QString &path, const QString &drawText);

// Every line of the file, whatever draw it names, read into seven cells by the comma-text
// rule, in file order (reading stops at the first empty line). A missing file gives none.
QVector<QStringList> readAllTicketLines(const QString &path);

enum class TicketRemoval {
    Removed,      // the line is gone, every other byte of the file is kept
    ListOutdated, // the file no longer lists `listedRows`: nothing was changed
};

// Removes the listed line at index `row` of the rows that listTicketFile gave for drawText,
// after checking that the file still lists exactly `listedRows`. Every other line of the file,
// of any draw and behind an empty line too, stays byte for byte and in order. When nothing
// but blanks and line ends would remain, the file gets the single line of six commas.
TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row);

// Deletes the file. False when there was no file.
bool deleteTicketFile(const QString &path);
