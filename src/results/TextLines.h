#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The one reader of the program's text files (results files and ticket files).
//
// Lines end at CR (one LF right behind it is consumed too) or Ctrl+Z. Characters 0..32 other
// than CR and Ctrl+Z in front of a line are skipped, so leading blanks, tabs and LFs vanish.
// Reading stops at the first empty line, a line of blanks, a Ctrl+Z or the end of the data:
// whatever lies behind an empty line is not read. A file with LF-only line ends therefore
// reads as one line.
QStringList splitTextLines(const QByteArray &data);

// Where one line lies in the data: its text, and the span of bytes from the end of the line
// before it (the blanks the reader skips in front of a line belong to it) through its line end.
struct TextLineSpan {
    QString text;
    qsizetype start;
    qsizetype end;
};

// The lines of the data by the rule above, with their places.
QVector<TextLineSpan> splitTextLineSpans(const QByteArray &data);

// Reads the file at path by the rule above. A missing file gives an empty list; a file that
// exists but cannot be opened or read raises DomainError with the reason in Japanese.
QStringList readTextLines(const QString &path);
