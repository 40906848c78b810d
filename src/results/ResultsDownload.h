#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

// Fetches whole files from the distribution server into memory, each fresh from the server
// (never a cached copy). A transfer that takes too long or grows too large is broken off,
// so a dead or hostile server cannot hang the program or fill its memory.
//
// A fetch waits in a local event loop: the windows keep repainting and timers keep running,
// but mouse and key input is dropped until it ends.
class ResultsDownload
{
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qint64 kDefaultSizeLimit = 4 * 1024 * 1024;

    // baseUrl: the server's base address; a missing trailing "/" is added.
    explicit ResultsDownload(const QString &baseUrl);

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }

    // The address of a path relative to the base, e.g. "download/Loto6Number.csv". Invalid
    // when the base is not an http or https address.
    QUrl address(const QString &remotePath) const;

    // Fetches base + remotePath. Throws DomainError when the address is invalid, the server
    // cannot be reached, answers with anything but a success status, takes longer than the
    // time-out in all or sends more than the size limit.
    QByteArray fetch(const QString &remotePath);

private:
    QUrl m_base;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_sizeLimit = kDefaultSizeLimit;
    QNetworkAccessManager m_network;
};
