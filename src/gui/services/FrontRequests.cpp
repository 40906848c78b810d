#include "gui/services/FrontRequests.h"

#include "core/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace
{

const QByteArray kFront = QByteArrayLiteral("front\n");
constexpr int kWaitMs = 1000;

// The holder's name is one of the whole computer: on Linux in the abstract name space (no file
// to leave behind, open to every user), elsewhere a pipe that every user may open.
QLocalServer::SocketOptions holderOptions()
{
#ifdef Q_OS_LINUX
    return QLocalServer::AbstractNamespaceOption;
#else
    return QLocalServer::WorldAccessOption;
#endif
}

} // namespace

FrontRequests::FrontRequests(const QString &name, QObject *parent) : QObject(parent)
{
    const QString server = serverName(name);
    QLocalServer::removeServer(server);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(server);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *caller = m_server.nextPendingConnection()) {
            const auto take = [this, caller] {
                if (caller->readAll().contains(kFront.trimmed()))
                    emit frontRequested();
            };
            connect(caller, &QLocalSocket::readyRead, this, take);
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            take(); // the word may have come with the connection
        }
    });
}

bool FrontRequests::ask(const QString &name)
{
#ifdef Q_OS_WIN
    // The program just started by the player may hand the foreground on to the running one.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kFront);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}

void FrontRequests::answerAsHolderOf(const QString &dataFolder)
{
    m_holder.setSocketOptions(holderOptions());
    m_holder.listen(holderServerName(dataFolder, QCoreApplication::applicationPid()));
    connect(&m_holder, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *caller = m_holder.nextPendingConnection()) {
            caller->disconnectFromServer(); // being reached is the answer
            caller->deleteLater();
        }
    });
}

bool FrontRequests::askHolder(const QString &dataFolder, qint64 pid)
{
    QLocalSocket socket;
#ifdef Q_OS_LINUX
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
#endif
    socket.connectToServer(holderServerName(dataFolder, pid));
    return socket.waitForConnected(kWaitMs);
}

QString FrontRequests::holderServerName(const QString &dataFolder, qint64 pid)
{
    return SingleInstanceGuard::instanceName(QStringLiteral("Loto6Yorune-holder"), dataFolder) +
           QLatin1Char('-') + QString::number(pid);
}

QString FrontRequests::serverName(const QString &name)
{
#ifdef Q_OS_WIN
    return name + QLatin1Char('.') + qEnvironmentVariable("USERNAME") + QStringLiteral(".front");
#else
    return QFileInfo(SingleInstanceGuard::lockFilePath(name)).absolutePath() + QLatin1Char('/') +
           name + QStringLiteral(".front");
#endif
}
