#pragma once

#include "core/results/HistoryFeed.h"
#include "core/results/ResultsFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class PageContext;
class QObject;
struct DownloadSettings;

// The results of the window: loading the two results files, and the download that replaces
// them. A download goes one way: fetch, check against the history as loaded, replace both
// files, take the marks of typed draws away, hand the checked pair to the pages, and tell what
// the saved lines won in the new draws. Each fetched body is read once, and nothing it wrote
// is read again to learn what it holds.
//
// A fetch runs on the program's own event loop. Meanwhile the window counts as busy (a close
// waits for its end), the hourglass shows, and mouse and key input is held back everywhere.
class ResultsService : public QObject
{
    Q_OBJECT
public:
    explicit ResultsService(PageContext &context, QObject *parent = nullptr);
    ~ResultsService() override;

    // Reads both files of download/ and hands them to the pages (resultsReady). A file that
    // does not read throws DomainError; the pages then keep what they showed.
    struct Loaded {
        bool missing = false; // a file is missing or empty: nothing was handed on
        QStringList faults;   // loaded, but a pair that does not belong together, or a draw
                              // that breaks the rules of a draw
    };
    Loaded load();

    // Starts a download by the stored settings; downloadFinished follows. False, and nothing
    // started, while a fetch is under way.
    bool startDownload();
    // Starts fetching and checking by these settings without replacing anything (a connection
    // test): testFinished follows. Input to `passes` (a button to stop it) still goes through.
    bool startTest(const DownloadSettings &settings, QObject *passes);
    // Breaks off the fetch under way, which then ends as failed.
    void stop();
    bool isFetching() const { return m_run != nullptr; }

    // The steps after a fetch: checks the pair against the history as loaded, replaces both
    // files, takes the marks of typed draws away and hands the pair to the pages. Returns what
    // the saved lines won in the new draws (see drawNews). Throws DomainError before the files
    // are replaced, and then nothing has changed.
    QStringList adopt(const ResultsBodies &bodies);

    // After the player typed in a draw (stored with its mark, see storeEnteredDraw): hands the
    // pair stored to the pages and returns what the saved lines won in that draw.
    struct Typed {
        int draw = 0;
        QStringList news;
    };
    Typed adoptTypedDraw(ResultsData &&stored);

    struct Outcome {
        enum Kind {
            Done, // text: the success message with the news of the new draws
            Failed, // text: what follows "ダウンロードに失敗しました。"; nothing changed
            PagesFailed, // the files were replaced, but the pages could not show them: text says
                         // why, for the error report
        };
        Kind kind = Done;
        QString text;
    };

signals:
    // A loaded or downloaded pair for the pages.
    void resultsReady(const ResultsData &results);
    // Sent while the window still counts as busy; the wait ends after it.
    void downloadFinished(const ResultsService::Outcome &outcome);
    // The connection test's finding: the newest draw, or why nothing could be taken.
    void testFinished(const QString &text);

private:
    struct Run;
    void startRun(const DownloadSettings &settings, QObject *passes, bool replace);
    void fetched(const ResultsBodies &bodies);
    void fetchFailed(const QString &explanation);
    void finish(const Outcome &outcome);
    // Checks, replaces both files and takes the marks away; *official: the newest draw
    // before that was not typed in.
    ResultsData replaceBy(const ResultsBodies &bodies, int *official);
    void publish(ResultsData &&results);
    QStringList newsAfter(int draw) const;
    QString downloadFolder() const;

    PageContext &m_context;
    std::unique_ptr<Run> m_run;
};
