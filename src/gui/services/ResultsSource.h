#pragma once

#include "core/platform/Settings.h"
#include "core/results/HistoryFeed.h"

#include <QObject>
#include <QString>
#include <exception>

class ResultsDownload;

// Taking the results from where the settings say: the server of the two results files when
// its address is set, otherwise the public history feed, converted. The pair arrives in
// memory, fetched and converted but not yet checked; nothing local is read or touched.
// start() returns at once; fetched() or failed() follows, once.
class ResultsFetch : public QObject
{
    Q_OBJECT
public:
    explicit ResultsFetch(const DownloadSettings &settings, QObject *parent = nullptr);
    ~ResultsFetch() override;

    void start();
    // Breaks off the transfer under way: the fetch fails at once, saying it was stopped.
    void stop();

signals:
    void fetched(const ResultsBodies &bodies);
    // What follows the first sentence of a failure report (see failureExplanation).
    void failed(const QString &explanation);

private:
    void takeBody(const QByteArray &body);

    DownloadSettings m_settings;
    ResultsDownload *m_download;
    ResultsBodies m_bodies;
    bool m_fromServer;
    bool m_haveNumbers = false;
};

// What follows the first sentence of a failure report: the advice to check the network when
// the server could not be reached or did not answer in time, then the cause on a line of its
// own.
QString failureExplanation(const QString &cause, bool networkProblem);
QString failureExplanation(const std::exception &error);
