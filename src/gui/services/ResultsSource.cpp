#include "gui/services/ResultsSource.h"

#include "core/common/Formats.h"
#include "core/common/TextLines.h"
#include "core/platform/Settings.h"
#include "core/results/DrawCalendar.h"
#include "core/results/HistoryCheck.h"
#include "core/results/ResultsFiles.h"
#include "core/results/ResultsReplace.h"
#include "core/results/TypedDraws.h"
#include "gui/services/ResultsDownload.h"

ResultsBodies fetchResults(const DownloadSettings &settings, const QString &downloadFolder,
                           FetchStop *stop)
{
    ResultsBodies bodies;
    if (!settings.baseUrl.trimmed().isEmpty()) {
        ResultsDownload download(settings.baseUrl);
        download.setTimeout(settings.timeoutMilliseconds());
        download.setStop(stop);
        bodies.numbers = download.fetch(kDownloadFolder + kNumberFileName);
        bodies.prizes = download.fetch(kDownloadFolder + kDataFileName);
    } else {
        ResultsDownload download(QString{});
        download.setTimeout(settings.timeoutMilliseconds());
        download.setStop(stop);
        bodies = convertHistoryFeed(
            download.fetchUrl(QUrl(settings.historyUrl.trimmed(), QUrl::StrictMode)));
    }
    checkResultsBodies(bodies.numbers, bodies.prizes);
    checkFetchedHistory(downloadFolder, bodies.numbers, readTypedDraws(downloadFolder),
                        japanToday());
    checkResultsPair(bodies.numbers, bodies.prizes);
    checkFetchedFigures(bodies.numbers, bodies.prizes);
    return bodies;
}

int newestDrawNumber(const ResultsBodies &bodies)
{
    return parseInteger(parseDrawLine(splitTextLines(bodies.numbers).first()).caption).value_or(0);
}

QString newestDrawText(const ResultsBodies &bodies)
{
    const DrawRecord newest = parseDrawLine(splitTextLines(bodies.numbers).first());
    return QStringLiteral("第%1回（%2）").arg(newest.caption.trimmed(), newest.date);
}

QString failureExplanation(const std::exception &error)
{
    const auto *domain = dynamic_cast<const DomainError *>(&error);
    const QString cause =
        domain ? domain->message()
               : QStringLiteral("予期しないエラー（%1）").arg(QString::fromLocal8Bit(error.what()));
    const auto *failure = dynamic_cast<const DownloadFailure *>(&error);
    if (failure && failure->networkProblem())
        return QStringLiteral("ネットワークの接続状態を確認してください！！\n") + cause;
    return QLatin1Char('\n') + cause;
}
