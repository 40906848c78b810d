#pragma once

#include "core/tickets/LotoLine.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The player's saved lines as numbers: every line of every ticket file in "client/", by the
// draw it names. Only files named as the program names them ("2039.csv", see isTicketFileName) are
// read; any other file there (claimed.csv, a copy "2039 - コピー.csv") is not read. It only reads.

// The lines of the ticket files of clientFolder, file by file (in name order), each in file
// order. A line counts when it is a LotoLine: its first field a plain draw number and the other
// six different numbers of 1..43; any other line (the line of six commas a cancel leaves, a
// line typed wrong) is passed over. A file that cannot be read raises DomainError or, when
// unreadable is given, is passed over and named there ("client/2040.csv を読めません：…").
// fromDraw > 0 reads only the files of that draw and later ones.
QVector<LotoLine> readSavedLines(const QString &clientFolder, QStringList *unreadable = nullptr,
                                 int fromDraw = 0);
