#pragma once

#include "core/results/ResultsFiles.h"

#include <QByteArray>
#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// A fetched draw history is a claim about the past. Before it may replace the local results
// files it must hold every draw from the first on, each one valid, in order and none after
// today, and every local draw unchanged. Two kinds of local draw are the exception, and the
// official ones replace them: the draws the player typed in, and local draws that are not valid
// draws (a damaged file must not block its own repair). Prize figures are not compared, so a
// past draw's prizes may be corrected; they are held to bounds and plain sense instead.

// The first draw of the list that is not a valid draw: six different numbers of 1..43 in
// ascending order, a bonus of 1..43 that is none of them, a valid date. Its message names the
// draw and the rule, e.g. "第1000回：ボーナス数字 44 が 1～43 の範囲にありません。".
std::optional<QString> invalidDrawFault(const QVector<DrawRecord> &draws);

// The highest figures a draw may hold, typed or fetched: per line and tier, winners of a tier,
// carry-over.
constexpr qint64 kMaxEntryAmountYen = 1000000000;
constexpr qint64 kMaxEntryWinners = 100000000;
constexpr qint64 kMaxEntryCarryOverYen = 1000000000000;

// What cannot be true of a draw's figures, or nothing: a day that is no draw day, a tier paid
// with no winner or won without pay (a carry-over tier has neither), a tier of 1..4 paying
// less than 5等. Without the draw's name, e.g. "１等の当選口数が 0 口なのに金額が ¥600,000,000
// です".
std::optional<QString> implausibleFigures(const DrawFigures &draw);

// The first fault of the prize figures of a fetched pair (its draws and the lines of its
// Loto6Data.csv, which list the same draws in the same order), naming the draw: a figure that
// is not a whole number of plain digits, above the highest figure a typed draw may hold (see
// DrawEntry.h), or implausible as above.
std::optional<QString> fetchedFiguresFault(const QVector<DrawRecord> &draws,
                                           const QStringList &prizeLines);
// The same with the lines of its Loto6Number.csv.
std::optional<QString> fetchedFiguresFault(const QStringList &numberLines,
                                           const QStringList &prizeLines);

// The first fault of the fetched history against the local one (both newest first), as a
// message naming its draw, e.g. "第1000回：本数字 36 が 2 回あります。"; nothing when the
// fetched history may replace the local one. typedDraws: the numbers of the draws the player
// typed in; they do not count as the local newest draw either.
std::optional<QString> fetchedHistoryFault(const QVector<DrawRecord> &fetched,
                                           const QVector<DrawRecord> &local,
                                           const QSet<int> &typedDraws, const QDate &today);

// A fetched pair of results files, read once and checked as a whole before it may replace the
// local pair: both files by the loader's own rules (see checkResultsBodies), the history
// against the local one as loaded (fetchedHistoryFault; an empty local history sets no bound,
// so a download can mend files that did not read), the two files for belonging together
// (pairMismatch) and the prize figures (fetchedFiguresFault). Returns the pair as the loader
// reads it; throws DomainError with the first fault.
ResultsData checkFetchedPair(const QByteArray &numberBody, const QByteArray &prizeBody,
                             const QVector<DrawRecord> &local, const QSet<int> &typedDraws,
                             const QDate &today);
