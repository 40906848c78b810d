#pragma once

#include "core/results/ResultsFiles.h"

#include <QByteArray>
#include <QDate>
#include <QSet>
#include <QString>
#include <QVector>
#include <optional>

// A fetched draw history is a claim about the past. Before it may replace the local results
// files it must hold every draw from the first on, each one valid, in order and none after
// today, and every local draw unchanged. The draws the player typed in are the exception: the
// official ones replace them. Prize figures are not compared, so a past draw's prizes may be
// corrected.

// Today's date in Japan, where the draws are held and dated: the latest date a draw may have,
// wherever the player's computer is.
QDate japanToday();

// The first fault of the fetched history against the local one (both newest first), as a
// message naming its draw, e.g. "第1000回：本数字 36 が 2 回あります。"; nothing when the
// fetched history may replace the local one. typedDraws: the numbers of the draws the player
// typed in.
std::optional<QString> fetchedHistoryFault(const QVector<DrawRecord> &fetched,
                                           const QVector<DrawRecord> &local,
                                           const QSet<int> &typedDraws, const QDate &today);

// The same check of a fetched Loto6Number.csv (already checked by the loader's rules) against
// the one in downloadFolder (path with trailing "/"). Throws DomainError with the fault. A
// local file that is missing or does not read sets no bound, so a download can mend it.
void checkFetchedHistory(const QString &downloadFolder, const QByteArray &numberBody,
                         const QSet<int> &typedDraws, const QDate &today);
