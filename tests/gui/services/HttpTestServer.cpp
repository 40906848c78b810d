#include "HttpTestServer.h"

#include <QTcpSocket>

HttpTestServer::HttpTestServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpTestServer::accept);
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("test server cannot listen: %s", qPrintable(m_server.errorString()));
}

QString HttpTestServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
}

void HttpTestServer::serve(const QString &path, int status, const QByteArray &body, bool withLength)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) +
                      (status == 200 ? " OK" : " Failed") +
                      "\r\nContent-Type: text/csv\r\nConnection: close\r\n";
    if (withLength)
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    m_answers.insert(path, {head + "\r\n" + body});
}

void HttpTestServer::dropMidBody(const QString &path, const QByteArray &body)
{
    m_answers.insert(path, {"HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\nContent-Length: " +
                            QByteArray::number(body.size() * 2) + "\r\n\r\n" + body});
}

void HttpTestServer::redirect(const QString &path, const QString &location)
{
    m_answers.insert(path, {"HTTP/1.1 302 Found\r\nLocation: " + location.toUtf8() +
                            "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"});
}

void HttpTestServer::hang(const QString &path)
{
    m_answers.insert(path, {});
}

QString HttpTestServer::unreachableBaseUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port);
}

void HttpTestServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            // The request head is gathered until its blank line; only the path matters.
            QByteArray head = socket->property("head").toByteArray() + socket->readAll();
            socket->setProperty("head", head);
            if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
            const QString path =
                requestLine.size() >= 2 ? QString::fromLatin1(requestLine.at(1)) : QString();
            m_requests.append(path);
            const auto answer = m_answers.constFind(path);
            if (answer == m_answers.constEnd()) {
                socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n"
                              "Connection: close\r\n\r\n");
                socket->disconnectFromHost();
            } else if (!answer->response.isEmpty()) {
                socket->write(answer->response);
                socket->disconnectFromHost();
            }
        });
    }
}
