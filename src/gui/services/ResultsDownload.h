#pragma once

#include "core/common/DomainError.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <QNetworkReply>

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

// Fetches whole files from the distribution server into memory, each fresh from the server
// (never a cached copy), one at a time. A transfer that takes too long or grows too large is
// broken off, so a dead or hostile server cannot hang the program or fill its memory: the body
// is taken as it arrives through a small read buffer, and the network is read no faster than
// that, so no more than the size limit and one buffer is ever held.
//
// A fetch runs on the program's own event loop: start() returns at once, and either
// finished() or failed() follows once the transfer has ended (never from within start()).
class ResultsDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qint64 kDefaultSizeLimit = 4 * 1024 * 1024;
    static constexpr qint64 kReadBufferSize = 64 * 1024;

    // baseUrl: the server's base address; a missing trailing "/" is added.
    explicit ResultsDownload(const QString &baseUrl, QObject *parent = nullptr);
    ~ResultsDownload() override;

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }

    // The address of a path relative to the base, e.g. "download/Loto6Number.csv". Invalid
    // when the base is not an http or https address.
    QUrl address(const QString &remotePath) const;

    // Fetches base + remotePath, following redirects. Fails when the address is invalid, the
    // server (or a redirect's target) cannot be reached, answers with anything but a success
    // status, takes longer than the time-out in all, sends more than the size limit, sends a
    // web page (any body beginning with "<") instead of data, or sends a body that may have
    // been cut short: without an announced length or chunks, its last line has no line end.
    void start(const QString &remotePath);
    // Fetches a whole http or https address the same way.
    void startUrl(const QUrl &url);
    // Breaks off the fetch under way: it fails at once, saying it was stopped.
    void stop();
    bool isRunning() const { return m_reply != nullptr; }

    // Whether url is an http or https address with a host.
    static bool isWebAddress(const QUrl &url);

signals:
    void finished(const QByteArray &body);
    // The words of a DownloadFailure, and whether the network is worth checking.
    void failed(const QString &message, bool networkProblem);

private:
    enum class Stop { None, TimedOut, TooLarge, Stopped };
    void abort(Stop why);
    void failLater(const DownloadFailure &failure);
    // Moves what has arrived from reply into the body. False once the body is over the limit.
    bool takeArrived(QNetworkReply &reply);
    void onFinished();

    QUrl m_base;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_sizeLimit = kDefaultSizeLimit;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    QByteArray m_body;
    Stop m_stop = Stop::None;
    QTimer m_deadline;
};
