#pragma once

#include <QByteArray>
#include <QString>

// Results files of any length for the benchmarks: draws newest first, CR LF, six different
// main numbers per draw, prize lines in the same order. Deterministic for a given count.
struct SyntheticHistory {
    QByteArray draws;
    QByteArray prizes;
};
SyntheticHistory makeSyntheticHistory(int drawCount);

// Writes both files into <programFolder>/download/ (created when missing).
void writeSyntheticHistory(const QString &programFolder, const SyntheticHistory &history);
