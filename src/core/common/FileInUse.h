#pragma once

#include <QString>
#include <optional>

// A file that another program holds open cannot be replaced or removed on Windows (a results
// file open in Excel, a ticket file read by an antivirus scan). These say so in words the
// player can act on, naming the file and, where Windows tells, the program to close.
// Elsewhere an open file never stops a replacement, and both find nothing.

// The message for the file at path when another program holds it open, else nothing.
// shownPath: the name the message gives the file.
std::optional<QString> fileHeldOpenMessage(const QString &path, const QString &shownPath);

// Throws DomainError with that message when another program holds the file open.
void ensureNotHeldOpen(const QString &path, const QString &shownPath);
