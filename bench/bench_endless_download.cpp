// The memory of a download from a server that never ends its body: a local server sends
// chunk after chunk as fast as it can, and the program's download must refuse the body at its
// size limit with its peak resident memory well under 150 MiB. Prints the peak (MiB), the time
// to the refusal and the words of the refusal; ends with 1 when the body was not refused or
// the peak is over the target.

#include "gui/services/ResultsDownload.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <cstdio>

namespace
{

constexpr double kTargetMiB = 150;

// Answers every connection with a chunked body that never ends, on a thread of its own so that
// it sends faster than the program reads.
class EndlessServer : public QThread
{
public:
    quint16 port = 0;

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port = server.serverPort();
        m_ready.release();
        if (!server.waitForNewConnection(30000))
            return;
        QTcpSocket *socket = server.nextPendingConnection();
        socket->waitForReadyRead(5000);
        socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        const QByteArray lines = QByteArray("2038,2025/09/29,1,2,3,4,5,6,7\r\n").repeated(2000);
        const QByteArray chunk = QByteArray::number(lines.size(), 16) + "\r\n" + lines + "\r\n";
        while (socket->state() == QAbstractSocket::ConnectedState) {
            socket->write(chunk);
            socket->waitForBytesWritten(1000);
        }
    }

public:
    void waitUntilListening() { m_ready.acquire(); }

private:
    QSemaphore m_ready;
};

double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    EndlessServer server;
    server.start();
    server.waitUntilListening();
    ResultsDownload download(QStringLiteral("http://127.0.0.1:%1/").arg(server.port));
    QString refusal;
    bool refused = false;
    QObject::connect(&download, &ResultsDownload::failed, [&](const QString &message) {
        refused = true;
        refusal = message;
        app.quit();
    });
    QObject::connect(&download, &ResultsDownload::finished, &app, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    download.start(QStringLiteral("download/Loto6Number.csv"));
    app.exec();
    const double peak = peakMiB();
    std::printf("endless chunked body: refused %s after %lld ms, peak %.1f MiB (target < %.0f MiB)"
                "\n  %s\n",
                refused ? "yes" : "no", static_cast<long long>(clock.elapsed()), peak, kTargetMiB,
                refusal.toLocal8Bit().constData());
    server.wait(5000);
    return refused && peak >= 0 && peak < kTargetMiB ? 0 : 1;
}
