#pragma once

#include <QByteArray>
#include <QString>

// Taking a fresh pair of results files into the folder "download/": both are checked by the
// loader's own rules first, then both replace the local copies together, or neither does.

// Checks both bodies completely as the loader would read them. Throws DomainError naming
// the file when one has no line or a line that the loader would refuse.
void checkResultsBodies(const QByteArray &numberBody, const QByteArray &dataBody);

// Replaces Loto6Number.csv and Loto6Data.csv of downloadFolder (path with trailing "/")
// with the given contents. Each file is written whole beside its target and renamed over it.
// Throws DomainError when a file cannot be written; both files are then as they were.
// The folder itself is never created.
void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody);
