#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

// A small HTTP server on 127.0.0.1 for the download tests. Each path gets a canned answer;
// an unknown path gets 404. Every request is logged by its path.
class HttpTestServer : public QObject
{
    Q_OBJECT
public:
    explicit HttpTestServer(QObject *parent = nullptr);

    QString baseUrl() const; // "http://127.0.0.1:<port>/"

    // Answers path with the status and body; withLength false leaves out Content-Length, so
    // the body ends where the connection closes.
    void serve(const QString &path, int status, const QByteArray &body, bool withLength = true);
    // Announces twice the body's length, sends the body and drops the connection.
    void dropMidBody(const QString &path, const QByteArray &body);
    // Answers path with "302 Found" sending the client to location.
    void redirect(const QString &path, const QString &location);
    // Takes the request for path and never answers.
    void hang(const QString &path);

    const QStringList &requests() const { return m_requests; }
    int requestCount(const QString &path) const { return m_requests.count(path); }

    // An address on which nothing listens.
    static QString unreachableBaseUrl();

private:
    struct Answer {
        QByteArray response; // empty: never answer
    };
    void accept();

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    QStringList m_requests;
};
