#pragma once

#include <QSet>
#include <QString>

// The marks of the draws the player typed in, kept beside the results files they mark
// (download/TypedDraws.csv: one draw number a line, CR LF), so that they travel with the data
// folder and one folder's marks never speak for another's. A typed draw is one the official
// results replace; every other draw is compared with them.

inline const QString kTypedDrawsFileName = QStringLiteral("TypedDraws.csv");

// The marks in downloadFolder (path with trailing "/"). A missing file marks none; a line that
// is not a positive draw number is passed over. Throws DomainError when the file exists but
// cannot be read.
QSet<int> readTypedDraws(const QString &downloadFolder);

// Writes the marks whole and safely, in ascending order. Throws DomainError; the file is then
// as it was.
void writeTypedDraws(const QString &downloadFolder, const QSet<int> &draws);

// Adds the marks an older version kept in the per-user settings to those of downloadFolder.
// True when there were any (the caller then takes them out of the settings).
bool adoptTypedDraws(const QString &downloadFolder, const QSet<int> &fromSettings);
