#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The one reader of the program's text files (results files and ticket files).
//
// A line ends at CR LF, at a bare LF, at a bare CR or at a Ctrl+Z (0x1A), whatever mix of
// them a file holds. Characters 0..32 other than those in front of a line are skipped, so
// leading blanks and tabs vanish and trailing ones are kept. What an empty line (or a line of
// blanks) and a Ctrl+Z mean depends on the file:
enum class TextRules {
    // Results files: an empty line or a Ctrl+Z ends the reading; the lines behind it are not
    // read.
    ResultsFile,
    // Ticket files: an empty line is passed over and a Ctrl+Z, which some Windows text tools
    // still write at the end, ends only the line it follows: every line of the file is read.
    // A Ctrl+Z belongs to no line.
    TicketFile,
};

QStringList splitTextLines(const QByteArray &data, TextRules rules = TextRules::ResultsFile);

// Where one line lies in the data: its text, and the span of bytes from the end of the line
// (or empty line, or Ctrl+Z) before it, so the blanks the reader skips in front of a line belong
// to it, through its line end (CR LF, CR or LF; a Ctrl+Z behind it is not part of it).
struct TextLineSpan {
    QString text;
    qsizetype start;
    qsizetype end;
};

// The lines of the data by the rule above, with their places.
QVector<TextLineSpan> splitTextLineSpans(const QByteArray &data,
                                         TextRules rules = TextRules::ResultsFile);

// Reads the file at path by the rule above. A missing file gives an empty list; a file that
// exists but cannot be opened or read raises DomainError with the reason in Japanese.
QStringList readTextLines(const QString &path, TextRules rules = TextRules::ResultsFile);
