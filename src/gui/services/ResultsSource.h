#pragma once

#include "core/results/HistoryFeed.h"

#include <QSet>
#include <QString>
#include <exception>

struct DownloadSettings;
class FetchStop;

// Taking the results from where the settings say: the server of the two results files when
// its address is set, otherwise the public history feed, converted. Either way, before the pair
// is returned, it is checked by the loader's own rules, the history against the local one of
// downloadFolder (path with trailing "/"; see HistoryCheck.h, with today's date in Japan), the
// two files for belonging together and the prize figures for bounds and plain sense; nothing
// local is touched. The draws the player typed in (TypedDraws.h) are the ones the fetched
// history may replace. Throws DomainError (DownloadFailure when the transfer failed or was
// stopped through `stop`).
ResultsBodies fetchResults(const DownloadSettings &settings, const QString &downloadFolder,
                           FetchStop *stop = nullptr);

// The newest draw of a checked pair: its number, and as text, e.g. "第2037回（2025/09/25）".
int newestDrawNumber(const ResultsBodies &bodies);
QString newestDrawText(const ResultsBodies &bodies);

// What follows the first sentence of a failure report: the advice to check the network when
// the server could not be reached or did not answer in time, then the cause on a line of its
// own.
QString failureExplanation(const std::exception &error);
