#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The one reader of the program's text files (results files and ticket files).
//
// A line ends at CR LF, at a bare LF or at a bare CR, whatever mix of them a file holds;
// Ctrl+Z ends the file. Characters 0..32 other than the line ends and Ctrl+Z in front of a
// line are skipped, so leading blanks and tabs vanish and trailing ones are kept. What an
// empty line (or a line of blanks) means depends on the file:
enum class EmptyLines {
    EndReading, // results files: the lines behind it are not read
    Skip,       // ticket files: it is passed over, and every line behind it is read
};

QStringList splitTextLines(const QByteArray &data, EmptyLines empty = EmptyLines::EndReading);

// Where one line lies in the data: its text, and the span of bytes from the end of the line
// (or empty line) before it, so the blanks the reader skips in front of a line belong to it,
// through its line end.
struct TextLineSpan {
    QString text;
    qsizetype start;
    qsizetype end;
};

// The lines of the data by the rule above, with their places.
QVector<TextLineSpan> splitTextLineSpans(const QByteArray &data,
                                         EmptyLines empty = EmptyLines::EndReading);

// Reads the file at path by the rule above. A missing file gives an empty list; a file that
// exists but cannot be opened or read raises DomainError with the reason in Japanese.
QStringList readTextLines(const QString &path, EmptyLines empty = EmptyLines::EndReading);
