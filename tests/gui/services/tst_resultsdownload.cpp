// Fetching results files over HTTP, checking them and replacing the local copies.

#include "HttpTestServer.h"
#include "TestSupport.h"
#include "core/common/DomainError.h"
#include "core/results/ResultsReplace.h"
#include "gui/services/ResultsDownload.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace
{

const QString kNumberPath = QStringLiteral("/download/Loto6Number.csv");
const QByteArray kDraw = "2038,2025/09/29,01,02,03,04,05,06,07\r\n";
const QByteArray kPrize = "2038,0,0,1000,1,100,2,10,3,1,4,5\r\n";

// Runs one fetch to its end: the body, or the failure's words in *failure.
QByteArray fetchNow(ResultsDownload &download, const QString &remotePath,
                    QString *failure = nullptr)
{
    QByteArray body;
    QString message = QStringLiteral("no answer");
    bool ended = false;
    QObject watch;
    QObject::connect(&download, &ResultsDownload::finished, &watch, [&](const QByteArray &b) {
        body = b;
        message.clear();
        ended = true;
    });
    QObject::connect(&download, &ResultsDownload::failed, &watch, [&](const QString &m, bool) {
        message = m;
        ended = true;
    });
    download.start(remotePath);
    if (!QTest::qWaitFor([&] { return ended; }, 20000))
        qWarning("the fetch did not end");
    if (failure)
        *failure = message;
    return body;
}

QString failureOf(ResultsDownload &download, const QString &remotePath)
{
    QString failure;
    fetchNow(download, remotePath, &failure);
    return failure;
}

} // namespace

class TestResultsDownload : public QObject
{
    Q_OBJECT
private slots:
    void addressJoinsBaseAndPath_data();
    void addressJoinsBaseAndPath();
    void fetchesWholeBodyEachTime();
    void refusesFailedAnswers_data();
    void refusesFailedAnswers();
    void wholeWithoutLastLineEnd();
    void silentServerTimesOut();
    void stopEndsTheFetchAtOnce();
    void checksBodiesByTheLoadersRules_data();
    void checksBodiesByTheLoadersRules();
    void replacesBothFiles();
    void missingFolderIsNotCreated();
    void unwritableSecondFileLeavesBothAsTheyWere();
};

void TestResultsDownload::addressJoinsBaseAndPath_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("expected"); // empty: no valid address
    const QString tail = QStringLiteral("download/Loto6Number.csv");
    QTest::newRow("root") << "http://example.jp/"
                          << "http://example.jp/" + tail;
    QTest::newRow("no slash") << "https://example.jp/loto6"
                              << "https://example.jp/loto6/" + tail;
    QTest::newRow("blanks, port") << "  http://127.0.0.1:8080/a/b/ "
                                  << "http://127.0.0.1:8080/a/b/" + tail;
    QTest::newRow("ftp") << "ftp://example.jp/" << QString();
    QTest::newRow("file") << "file:///srv/loto6/" << QString();
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("no host") << "http:///download/" << QString();
}

void TestResultsDownload::addressJoinsBaseAndPath()
{
    QFETCH(QString, base);
    QFETCH(QString, expected);
    const QUrl url = ResultsDownload(base).address(QStringLiteral("download/Loto6Number.csv"));
    QCOMPARE(url.isValid() ? url.toString() : QString(), expected);
}

void TestResultsDownload::fetchesWholeBodyEachTime()
{
    HttpTestServer server;
    const QByteArray body = bundledFile("Loto6Number.csv");
    server.serve(kNumberPath, 200, body);
    server.serve("/download/Loto6Data.csv", 200, bundledFile("Loto6Data.csv"), false);
    ResultsDownload download(server.baseUrl());
    QCOMPARE(fetchNow(download, "download/Loto6Number.csv"), body);
    QCOMPARE(fetchNow(download, "download/Loto6Number.csv"), body);
    QCOMPARE(server.requestCount(kNumberPath), 2); // never answered from a cache
    // A body without a length ends where the server closes the connection.
    QCOMPARE(fetchNow(download, "download/Loto6Data.csv"), bundledFile("Loto6Data.csv"));
}

void TestResultsDownload::refusesFailedAnswers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("withLength");
    QTest::addColumn<QString>("expected"); // part of the error text
    QTest::newRow("404") << 404 << QByteArray("<html>Not Found</html>") << true
                         << "サーバーの応答：404";
    QTest::newRow("500") << 500 << QByteArray("oops") << true << "サーバーの応答：500";
    QTest::newRow("302 going nowhere") << 302 << QByteArray() << true << "サーバーの応答：302";
    QTest::newRow("announced too large") << 200 << QByteArray(1001, 'x') << true << "上限";
    // Wine's TLS for Windows waits for a proper answer until the time-out runs out.
    QTest::newRow("https to a plain server")
        << -1 << QByteArray() << true
        << (runningUnderWine() ? QString("秒以内に終わりませんでした") : QString("TLS"));
    QTest::newRow("grows too large") << 200 << QByteArray(5000, 'x') << false << "上限";
    QTest::newRow("cut, no length") << 200 << QByteArray("2038,0,0,1000,1,100,2,10,3,1,4,4000")
                                    << false << "最後の行に改行がありません";
}

void TestResultsDownload::refusesFailedAnswers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, withLength);
    QFETCH(QString, expected);
    HttpTestServer server;
    server.serve(kNumberPath, status, body, withLength);
    QString base = server.baseUrl();
    QTcpServer plain; // answers a TLS greeting in plain HTTP, as a misconfigured server does
    if (status < 0) {
        plain.listen(QHostAddress::LocalHost);
        connect(&plain, &QTcpServer::newConnection, &plain, [&plain] {
            QTcpSocket *socket = plain.nextPendingConnection();
            socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        });
        base = QStringLiteral("https://127.0.0.1:%1/").arg(plain.serverPort());
    }
    ResultsDownload download(base);
    download.setTimeout(5000);
    download.setSizeLimit(1000);
    const QString error = failureOf(download, "download/Loto6Number.csv");
    QVERIFY2(!error.isEmpty(), "the fetch succeeded");
    QVERIFY2(error.contains(expected), qPrintable(error));
    QVERIFY(error.contains("Loto6Number.csv"));
}

void TestResultsDownload::wholeWithoutLastLineEnd()
{
    // An announced length, or chunks up to the last, show the body whole without a line end.
    const QByteArray body = "2038,0,0,1000,1,100,2,10,3,1,4,400000000";
    HttpTestServer server;
    server.serve(kNumberPath, 200, body);
    QTcpServer chunked;
    chunked.listen(QHostAddress::LocalHost);
    connect(&chunked, &QTcpServer::newConnection, &chunked, [&chunked, &body] {
        QTcpSocket *socket = chunked.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, &body] {
            socket->readAll();
            socket->write(
                "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n" +
                QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n0\r\n\r\n");
            socket->disconnectFromHost();
        });
    });
    for (const QString &base :
         {server.baseUrl(), QStringLiteral("http://127.0.0.1:%1/").arg(chunked.serverPort())}) {
        ResultsDownload download(base);
        download.setTimeout(5000);
        QCOMPARE(fetchNow(download, "download/Loto6Number.csv"), body);
    }
}

void TestResultsDownload::silentServerTimesOut()
{
    HttpTestServer server;
    server.hang(kNumberPath);
    ResultsDownload download(server.baseUrl());
    download.setTimeout(300);
    QElapsedTimer clock;
    clock.start();
    const QString error = failureOf(download, "download/Loto6Number.csv");
    QVERIFY2(error.contains("0.3 秒"), qPrintable(error));
    QVERIFY(clock.elapsed() >= 250 && clock.elapsed() < 3000);
}

void TestResultsDownload::stopEndsTheFetchAtOnce()
{
    HttpTestServer server;
    server.hang(kNumberPath);
    ResultsDownload download(server.baseUrl());
    download.setTimeout(20000);
    QTimer::singleShot(100, &download, [&download] {
        QVERIFY(download.isRunning());
        download.stop();
    });
    QElapsedTimer clock;
    clock.start();
    const QString error = failureOf(download, "download/Loto6Number.csv");
    QVERIFY2(error.endsWith("download/Loto6Number.csv の取得を中止しました。"), qPrintable(error));
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(!download.isRunning());
}

void TestResultsDownload::checksBodiesByTheLoadersRules_data()
{
    QTest::addColumn<QByteArray>("numbers");
    QTest::addColumn<QByteArray>("prizes");
    QTest::addColumn<QString>("expected"); // empty: accepted; else part of the error
    QTest::newRow("good pair") << kDraw << kPrize << QString();
    QTest::newRow("bundled pair") << bundledFile("Loto6Number.csv") << bundledFile("Loto6Data.csv")
                                  << QString();
    QTest::newRow("numbers empty") << QByteArray() << kPrize << "Loto6Number.csv";
    QTest::newRow("prizes blank first line")
        << kDraw << QByteArray("\r\n" + kPrize) << "Loto6Data.csv";
    QTest::newRow("error page") << QByteArray("<html><body>Not found</body></html>\r\n") << kPrize
                                << "Loto6Number.csv";
    QTest::newRow("LF-only prizes")
        << kDraw << QByteArray(kPrize).replace("\r\n", "\n") + kPrize << QString();
    QTest::newRow("main number 44")
        << QByteArray("5,2001/01/01,1,2,3,4,5,44,7\r\n") << kPrize << "44";
    QTest::newRow("trailing comma")
        << QByteArray(kDraw).replace("07\r\n", "07,\r\n") << kPrize << "Loto6Number.csv";
}

void TestResultsDownload::checksBodiesByTheLoadersRules()
{
    QFETCH(QByteArray, numbers);
    QFETCH(QByteArray, prizes);
    QFETCH(QString, expected);
    QString error;
    try {
        checkResultsBodies(numbers, prizes);
    } catch (const DomainError &e) {
        error = e.message();
    }
    if (expected.isEmpty())
        QCOMPARE(error, QString());
    else
        QVERIFY2(error.contains(expected), qPrintable(error));
}

void TestResultsDownload::replacesBothFiles()
{
    ProgramFolder folder;
    replaceResultsFiles(folder.file("download/"), kDraw, kPrize);
    QCOMPARE(folder.read("download/Loto6Number.csv"), kDraw);
    QCOMPARE(folder.read("download/Loto6Data.csv"), kPrize);
    QCOMPARE(QDir(folder.file("download")).entryList(QDir::Files).size(), 2); // no leftovers
}

void TestResultsDownload::missingFolderIsNotCreated()
{
    ProgramFolder folder(false);
    QVERIFY(QDir(folder.path()).rmdir("download"));
    QVERIFY_THROWS_EXCEPTION(DomainError,
                             replaceResultsFiles(folder.file("download/"), kDraw, kPrize));
    QVERIFY(!QFileInfo::exists(folder.file("download")));
}

void TestResultsDownload::unwritableSecondFileLeavesBothAsTheyWere()
{
    ProgramFolder folder;
    const QByteArray numbersBefore = folder.read("download/Loto6Number.csv");
    // A folder in the place of the prize file: nothing can replace it.
    QVERIFY(QFile::remove(folder.file("download/Loto6Data.csv")));
    QVERIFY(QDir(folder.file("download")).mkdir("Loto6Data.csv"));
    QVERIFY_THROWS_EXCEPTION(DomainError,
                             replaceResultsFiles(folder.file("download/"), kDraw, kPrize));
    QCOMPARE(folder.read("download/Loto6Number.csv"), numbersBefore);
    QVERIFY(QFileInfo(folder.file("download/Loto6Data.csv")).isDir());
}

QTEST_MAIN(TestResultsDownload)
#include "tst_resultsdownload.moc"
