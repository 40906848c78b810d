#pragma once

#include "core/common/SafeWrite.h"

#include <QByteArray>
#include <QString>

// Taking a fresh pair of results files into the folder "download/": both are checked by the
// loader's own rules first, then both replace the local copies together, or neither does.

// Checks both bodies completely as the loader would read them. Throws DomainError naming
// the file when one has no line or a line that the loader would refuse.
void checkResultsBodies(const QByteArray &numberBody, const QByteArray &dataBody);

// Checks that two such bodies belong together: the same draws in the same order. Throws
// DomainError with the loader's words for a pair that does not (see pairMismatch), or as
// checkResultsBodies does.
void checkResultsPair(const QByteArray &numberBody, const QByteArray &dataBody);

// Replaces Loto6Number.csv and Loto6Data.csv of downloadFolder (path with trailing "/")
// with the given contents. Each file is written whole beside its target and renamed over it.
// Throws DomainError when a file cannot be written; both files are then as they were.
// The folder itself is never created. Before the first rename a journal holding the new pair
// is written beside them, and removed after the second: a program ended between the two
// renames leaves it, and finishPairReplacement completes the pair at the next start.
void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody);
// The same with the step that replaces each file by its staged copy (see CommitStep).
void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody, const CommitStep &commit);

// The journal of a replacement under way, in the download folder.
inline const QString kPairJournalName = QStringLiteral("Loto6Pair.journal");

// Completes a replacement that was cut short: both files get the contents the journal holds,
// then the journal goes. True when there was one to complete. A journal that does not read
// whole was never the start of a replacement (it is written whole or not at all) and is
// removed. Throws DomainError when a file cannot be written; the journal then stays.
bool finishPairReplacement(const QString &downloadFolder);
