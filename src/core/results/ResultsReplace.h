#pragma once

#include "core/common/FileCommit.h"

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
// with the given contents, both or neither (see commitFiles; its journal in the download folder
// lets the next start complete a pair cut short). Throws DomainError when a file cannot be
// written; both files are then as they were. The folder itself is never created.
void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody);
// The same with the step that replaces each file by its staged copy (see CommitStep).
void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody, const CommitStep &commit);

// The journal of a replacement under way, in the download folder.
inline const QString kPairJournalName = QStringLiteral("Loto6Pair.journal");

// The commit folder of the pair, whose journal names the two results files only.
CommitFolder resultsCommitFolder(const QString &downloadFolder);

// Completes a replacement that was cut short, also one that an older version left (see
// recoverCommit): both files or neither, and only with bodies that the loader would read as a
// pair; a journal with any other bodies is set aside and both files stay as they are.
CommitRecovery finishPairReplacement(const QString &downloadFolder);

// What the player is told of that recovery; empty when there was nothing to do.
QString pairRecoveryText(const CommitRecovery &recovery);
