#pragma once

#include "core/results/DrawEntry.h"
#include "core/results/HistoryFeed.h"
#include "core/results/ResultsFiles.h"
#include "gui/services/StartNotice.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class PageContext;
class QObject;
struct DownloadSettings;

// The results of the window: loading the two results files into the loaded history (the one
// the page context holds, which only this service sets), the download that replaces them, and
// the draw the player types in. A download goes one way: fetch, check against the history as
// loaded, replace both files, take the marks of typed draws away, set the history, and tell
// what the saved lines won in the new draws. Each fetched body is read once, and nothing it
// wrote is read again to learn what it holds.
//
// A fetch runs on the program's own event loop. Meanwhile the window counts as busy (a close
// waits for its end), the hourglass shows, and mouse and key input is held back everywhere.
class ResultsService : public QObject
{
    Q_OBJECT
public:
    explicit ResultsService(PageContext &context, QObject *parent = nullptr);
    ~ResultsService() override;

    // Completes what the end of the program cut short before the results are loaded: a
    // replacement of both files (so that the pair loaded belongs together), and the marks of
    // typed draws that an older version kept in the settings, which move to the data folder
    // once (should that fail, they stay there for the next start).
    QVector<StartNotice> recoverAtStart();

    // Reads both files of download/ into the loaded history. A file that does not read throws
    // DomainError; the history then stays as it was.
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

    // What the entry of a draw by hand starts from: the top of the results files, and whether
    // the newest draw may be corrected (only while it is one the player typed in). Throws
    // DomainError when the newest draw cannot be read.
    struct EntryStart {
        ResultsTop top;
        bool correctable = false;
    };
    EntryStart startEntry() const;
    // Stores a draw the player typed in: marks it as typed in (so that it is never taken for
    // an official one; a mark without its draw does no harm), stores it in both files, sets
    // the history and returns what the saved lines won in that draw. Throws DomainError in the
    // player's words when nothing was stored; pagesFailed says why the pages could not show
    // what was stored.
    struct Typed {
        int draw = 0;
        QStringList news;
        QString pagesFailed;
    };
    Typed storeTypedDraw(const DrawEntry &entry, EntryPlace place, const EntryStart &start);

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
