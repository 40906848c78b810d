#include "gui/services/ResultsService.h"

#include "core/common/DomainError.h"
#include "core/platform/Settings.h"
#include "core/results/DrawCalendar.h"
#include "core/results/DrawHistory.h"
#include "core/results/HistoryCheck.h"
#include "core/results/PastDraws.h"
#include "core/results/ResultsReplace.h"
#include "core/results/TypedDraws.h"
#include "core/tickets/PrizeClaims.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketFile.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsSource.h"

#include <QtDebug>
#include <optional>

namespace
{

// The newest draw of a checked pair, e.g. "第2037回（2025/09/25）".
QString newestDrawText(const ResultsData &results)
{
    return QStringLiteral("第%1回（%2）")
        .arg(QString::number(results.newestDraw), results.draws.first().date);
}

} // namespace

// One fetch under way and what it holds for its length of time.
struct ResultsService::Run {
    Run(PageContext &context, const DownloadSettings &settings, QObject *passes, bool replacing)
        : replace(replacing), fetch(new ResultsFetch(settings))
    {
        if (replace) {
            busy.emplace(context);
            pages = std::make_unique<InputBlock>(context.pageControl()); // they keep their colours
        }
        everywhere = std::make_unique<InputBlock>(nullptr, passes);
    }
    ~Run()
    {
        // It may be the sender of the signal that ends the run.
        fetch->disconnect();
        fetch->stop();
        fetch->deleteLater();
    }
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

    const bool replace; // a download, not a connection test
    std::optional<PageContext::BusyScope> busy;
    WaitCursor wait;
    std::unique_ptr<InputBlock> pages;
    std::unique_ptr<InputBlock> everywhere; // during the transfer only
    ResultsFetch *fetch;
};

ResultsService::ResultsService(PageContext &context, QObject *parent)
    : QObject(parent), m_context(context)
{
}

ResultsService::~ResultsService() = default;

QString ResultsService::downloadFolder() const
{
    return m_context.dataFolder() + kDownloadFolder;
}

ResultsService::Loaded ResultsService::load()
{
    PageContext::BusyScope busy(m_context);
    const InputBlock block(m_context.pageControl()); // the pages keep their colours meanwhile
    WaitCursor wait;

    catchUp();
    // Both files are read and checked completely before anything on screen changes, so a
    // malformed file leaves the data loaded before in place.
    ResultsData results;
    Loaded loaded;
    if (readResultsFolder(downloadFolder(), &results) != ResultsStatus::Loaded) {
        loaded.missing = true;
        return loaded;
    }
    // A pair that does not belong together is loaded as it is, and said so.
    // So is a draw that breaks the rules of a draw; a download replaces it.
    if (const QString mismatch = pairMismatch(results); !mismatch.isEmpty())
        loaded.faults.append(mismatch);
    if (const std::optional<QString> invalid = invalidDrawFault(results.draws))
        loaded.faults.append(QStringLiteral("%1%2 に正しくない抽選結果があります。\n%3\n"
                                            "最新の抽選結果をダウンロードしてください。")
                                 .arg(kDownloadFolder, kNumberFileName, *invalid));
    publish(std::move(results));
    catchUp();
    return loaded;
}

QVector<StartNotice> ResultsService::recoverAtStart()
{
    QVector<StartNotice> notices;
    const CommitRecovery pair = finishPairReplacement(downloadFolder());
    if (pair.anything())
        notices.append({pairRecoveryText(pair), pair.troubled()});
    AppSettings &settings = m_context.settings();
    const QString failed = captureError([&] {
        adoptTypedDraws(downloadFolder(), settings.readTypedDraws());
        settings.removeTypedDraws();
        settings.sync();
    });
    if (!failed.isEmpty())
        notices.append({failed, true});
    return notices;
}

void ResultsService::publish(ResultsData &&results)
{
    m_context.history()->set(std::move(results));
}

ResultsService::EntryStart ResultsService::startEntry() const
{
    EntryStart start;
    start.top = readResultsTop(downloadFolder());
    start.correctable =
        start.top.newestEntry && readTypedDraws(downloadFolder()).contains(start.top.newest.number);
    return start;
}

ResultsService::Typed ResultsService::storeTypedDraw(const DrawEntry &entry, EntryPlace place,
                                                     const EntryStart &start)
{
    const bool correcting = place == EntryPlace::ReplacingNewest;
    const QString folder = downloadFolder();
    Typed typed;
    typed.draw = correcting ? start.top.newest.number : start.top.newest.number + 1;
    try {
        QSet<int> typedDraws = readTypedDraws(folder);
        typedDraws.insert(typed.draw);
        writeTypedDraws(folder, typedDraws);
    } catch (const DomainError &failed) {
        throw DomainError(QStringLiteral("入力した回の印を保存できないため、抽選結果を"
                                         "保存しませんでした。\n") +
                          failed.message());
    }
    ResultsData stored;
    try {
        stored = storeEnteredDraw(folder, entry, place, japanToday());
    } catch (const DomainError &failed) {
        throw DomainError((correcting ? QStringLiteral("抽選結果を修正できませんでした。\n")
                                      : QStringLiteral("抽選結果を追加できませんでした。\n")) +
                          failed.message());
    }
    // The pair as stored, not read back.
    typed.pagesFailed = captureError([&] { publish(std::move(stored)); });
    if (typed.pagesFailed.isEmpty())
        typed.news = newsAfter(typed.draw - 1);
    return typed;
}

QStringList ResultsService::newsAfter(int draw) const
{
    const PastDraws &history = m_context.history()->draws();
    QVector<int> draws;
    for (const PastDraw &past : history.draws()) { // newest first
        if (past.number <= draw)
            break;
        draws.append(past.number);
    }
    QStringList news;
    if (draws.isEmpty())
        return news;
    // A ticket file that cannot be read is told where it is used; the news is a courtesy.
    captureError([&] {
        news = drawNews(readSavedLines(m_context.dataFolder() + kClientFolder), history, draws,
                        japanToday());
    });
    return news;
}

ResultsData ResultsService::replaceBy(const ResultsBodies &bodies, int *official)
{
    const QString folder = downloadFolder();
    const QSet<int> typed = readTypedDraws(folder);
    const QVector<DrawRecord> &local = m_context.history()->records();
    // The newest official draw so far: typed-in draws are replaced by the official ones.
    *official = m_context.history()->highestDraw().number;
    for (int draw : typed)
        *official = qMin(*official, draw - 1);

    // Both files are held in memory and checked before either local copy is touched.
    ResultsData results =
        checkFetchedPair(bodies.numbers, bodies.prizes, local, typed, japanToday());
    replaceResultsFiles(folder, bodies.numbers, bodies.prizes);
    // Every draw of the new pair is an official one. Should the marks stay, they only spare
    // official draws the comparison with the next download.
    if (!typed.isEmpty()) {
        const QString unmarked = captureError([&] { writeTypedDraws(folder, {}); });
        if (!unmarked.isEmpty())
            qWarning().noquote() << "the marks of typed-in draws stay:" << unmarked;
    }
    return results;
}

QStringList ResultsService::adopt(const ResultsBodies &bodies)
{
    int official = 0;
    publish(replaceBy(bodies, &official));
    return newsAfter(official);
}

bool ResultsService::startDownload()
{
    if (m_run)
        return false;
    startRun(m_context.settings().readDownloadSettings(), nullptr, true);
    return true;
}

bool ResultsService::startTest(const DownloadSettings &settings, QObject *passes)
{
    if (m_run)
        return false;
    startRun(settings, passes, false);
    return true;
}

void ResultsService::startRun(const DownloadSettings &settings, QObject *passes, bool replace)
{
    m_run = std::make_unique<Run>(m_context, settings, passes, replace);
    connect(m_run->fetch, &ResultsFetch::fetched, this, &ResultsService::fetched);
    connect(m_run->fetch, &ResultsFetch::failed, this, &ResultsService::fetchFailed);
    m_run->fetch->start();
}

void ResultsService::stop()
{
    if (m_run)
        m_run->fetch->stop();
}

void ResultsService::fetched(const ResultsBodies &bodies)
{
    m_run->everywhere.reset(); // the transfer is over
    if (!m_run->replace) {
        QString text;
        try {
            const ResultsData results =
                checkFetchedPair(bodies.numbers, bodies.prizes, m_context.history()->records(),
                                 readTypedDraws(downloadFolder()), japanToday());
            text = QStringLiteral("%1まで取得できます。").arg(newestDrawText(results));
        } catch (const std::exception &error) {
            text = QStringLiteral("取得できません。") + failureExplanation(error);
        }
        const auto run = std::move(m_run);
        emit testFinished(text);
        return;
    }

    ResultsData results;
    int official = 0;
    try {
        results = replaceBy(bodies, &official);
    } catch (const std::exception &error) {
        fetchFailed(failureExplanation(error));
        return;
    }
    // The files are replaced: whatever stops the pages now is told as such.
    const QString failed = captureError([&] { publish(std::move(results)); });
    if (!failed.isEmpty()) {
        finish({Outcome::PagesFailed, failed});
        return;
    }
    // One line for each new draw in which lines were saved: what they won, until when.
    QString done = QStringLiteral("正常にダウンロードが完了しました。");
    for (const QString &news : newsAfter(official))
        done += QLatin1Char('\n') + news;
    finish({Outcome::Done, done});
}

void ResultsService::fetchFailed(const QString &explanation)
{
    if (!m_run->replace) {
        const auto run = std::move(m_run);
        emit testFinished(QStringLiteral("取得できません。") + explanation);
        return;
    }
    qWarning().noquote() << "download failed:" << explanation;
    finish({Outcome::Failed, explanation});
}

void ResultsService::finish(const Outcome &outcome)
{
    // The window stays busy while the outcome is shown; a close asked for meanwhile runs after.
    const auto run = std::move(m_run);
    run->everywhere.reset();
    emit downloadFinished(outcome);
}
