#pragma once

#include "core/common/DomainError.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

// Fetches whole files from the distribution server into memory, each fresh from the server
// (never a cached copy). A transfer that takes too long or grows too large is broken off,
// so a dead or hostile server cannot hang the program or fill its memory.
//
// A fetch waits in a local event loop: the windows keep repainting and timers keep running,
// but mouse and key input is dropped until it ends.
// A fetch that failed. networkProblem: the server could not be reached or did not answer in
// time, so the player's connection is worth checking; false when the server answered.
class DownloadFailure : public DomainError
{
public:
    DownloadFailure(const QString &message, bool networkProblem)
        : DomainError(message), m_networkProblem(networkProblem)
    {
    }
    bool networkProblem() const { return m_networkProblem; }

private:
    bool m_networkProblem;
};

// Lets the player break off a fetch while it waits: input to `passes` (a button, say) still
// reaches it while all other input is held back, and stop() ends the transfer under way at
// once. The fetch then fails with a DownloadFailure saying it was stopped.
class FetchStop : public QObject
{
    Q_OBJECT
public:
    explicit FetchStop(QObject *passes = nullptr) : m_passes(passes) {}

    QObject *passes() const { return m_passes; }
    bool stopped() const { return m_stopped; }
    void stop()
    {
        m_stopped = true;
        emit stopRequested();
    }

signals:
    void stopRequested();

private:
    QObject *m_passes;
    bool m_stopped = false;
};

class ResultsDownload
{
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qint64 kDefaultSizeLimit = 4 * 1024 * 1024;

    // baseUrl: the server's base address; a missing trailing "/" is added.
    explicit ResultsDownload(const QString &baseUrl);

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    // A way for the player to break off the fetches (none by default).
    void setStop(FetchStop *stop) { m_stop = stop; }
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }

    // The address of a path relative to the base, e.g. "download/Loto6Number.csv". Invalid
    // when the base is not an http or https address.
    QUrl address(const QString &remotePath) const;

    // Fetches base + remotePath, following redirects. Throws DownloadFailure when the address
    // is invalid, the server (or a redirect's target) cannot be reached, answers with anything
    // but a success status, takes longer than the time-out in all, sends more than the size
    // limit, sends a web page (any body beginning with "<") instead of data, or sends a body
    // that may have been cut short: without an announced length or chunks, its last line has
    // no line end.
    QByteArray fetch(const QString &remotePath);

    // Fetches a whole http or https address the same way.
    QByteArray fetchUrl(const QUrl &url);

    // Whether url is an http or https address with a host.
    static bool isWebAddress(const QUrl &url);

private:
    QUrl m_base;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_sizeLimit = kDefaultSizeLimit;
    FetchStop *m_stop = nullptr;
    QNetworkAccessManager m_network;
};
