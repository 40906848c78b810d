// The download command as the player sees it, against a real HTTP server on 127.0.0.1.

#include "HttpTestServer.h"
#include "TestSupport.h"
#include "app/Main.h"
#include "app/SpinEdit.h"
#include "app/Splash.h"
#include "app/StringGrid.h"
#include "results/HistoryModel.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

namespace
{

const QString kNumberPath = QStringLiteral("/download/Loto6Number.csv");
const QString kDataPath = QStringLiteral("/download/Loto6Data.csv");
const QString kFailed =
    QStringLiteral("ダウンロードに失敗しました。ネットワークの接続状態を確認してください！！");
const QString kSucceeded = QStringLiteral("正常にダウンロードが完了しました。");

QByteArray newerNumbers()
{
    return "2038,2025/09/29,01,02,03,04,05,06,07\r\n" + bundledFile("Loto6Number.csv");
}

QByteArray newerPrizes()
{
    return "2038,0,0,1000,1,100,2,10,3,1,4,5\r\n" + bundledFile("Loto6Data.csv");
}

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void downloadsAndReloads();
    void runningTwiceFetchesTwice();
    void failureKeepsFilesAndViews_data();
    void failureKeepsFilesAndViews();

private:
    void setSetting(const QString &key, const QVariant &value);
    QTemporaryDir m_settingsDir;
    QString m_iniPath;
};

void TestDownload::initTestCase()
{
    m_iniPath = isolateSettings(m_settingsDir);
}

void TestDownload::init()
{
    QSettings(m_iniPath, QSettings::IniFormat).clear();
}

void TestDownload::setSetting(const QString &key, const QVariant &value)
{
    QSettings settings(m_iniPath, QSettings::IniFormat);
    settings.setValue(key, value);
}

void TestDownload::downloadsAndReloads()
{
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.serve(kDataPath, 200, newerPrizes());
    setSetting("Download/BaseUrl", server.baseUrl());
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(form.editNewNum->text(), QString("2038"));

    form.menuCommandDownload->trigger();

    QCOMPARE(boxes.texts(), QStringList{kSucceeded});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(form.editNewNum->text(), QString("2039"));
    QCOMPARE(form.editLoto6Num->text(), QString("2039"));
    QCOMPARE(form.historyModel()->rowCount(), 2038);
    QCOMPARE(form.historyModel()->record(0).date, QString("2025/09/29"));
    QCOMPARE(form.gridMoney->rowCount(), 2038);
    QCOMPARE(folder.read("download/Loto6Number.csv"), newerNumbers());
    QCOMPARE(folder.read("download/Loto6Data.csv"), newerPrizes());
    QVERIFY(form.pctrlMain->isEnabled());
    QVERIFY(!form.splash()->isVisible());
}

void TestDownload::runningTwiceFetchesTwice()
{
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.serve(kDataPath, 200, newerPrizes());
    setSetting("Download/BaseUrl", server.baseUrl());
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();

    form.menuCommandDownload->trigger();
    form.menuCommandDownload->trigger();

    QCOMPARE(server.requests(), (QStringList{kNumberPath, kDataPath, kNumberPath, kDataPath}));
    QCOMPARE(boxes.texts(), (QStringList{kSucceeded, kSucceeded}));
    QCOMPARE(form.editNewNum->text(), QString("2039"));
}

void TestDownload::failureKeepsFilesAndViews_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("fetched"); // paths the server saw
    const QStringList first{kNumberPath};
    const QStringList both{kNumberPath, kDataPath};
    QTest::newRow("unreachable") << "unreachable" << QStringList();
    QTest::newRow("404 on the second file") << "404 second" << both;
    QTest::newRow("empty body") << "empty" << both;
    QTest::newRow("malformed body") << "malformed" << both;
    QTest::newRow("error page as 200") << "error page" << both;
    QTest::newRow("announced over the limit") << "large" << first;
    QTest::newRow("growing over the limit") << "large unannounced" << first;
    QTest::newRow("never answers") << "silent" << first;
    QTest::newRow("connection dropped mid-body") << "dropped" << both;
    QTest::newRow("download folder read-only") << "read-only folder" << both;
}

void TestDownload::failureKeepsFilesAndViews()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, fetched);
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.serve(kDataPath, 200, newerPrizes());
    const QByteArray oversized((4 << 20) + 1, '1');
    if (answer == "unreachable")
        setSetting("Download/BaseUrl", HttpTestServer::unreachableBaseUrl());
    else
        setSetting("Download/BaseUrl", server.baseUrl());
    if (answer == "404 second")
        server.serve(kDataPath, 404, "<html>Not Found</html>");
    else if (answer == "empty")
        server.serve(kNumberPath, 200, QByteArray());
    else if (answer == "malformed")
        server.serve(kDataPath, 200, newerPrizes().replace("2038,0,0,", "2038,0,x,"));
    else if (answer == "error page")
        server.serve(kNumberPath, 200, "<html><body>Service Unavailable</body></html>\r\n");
    else if (answer == "large")
        server.serve(kNumberPath, 200, oversized);
    else if (answer == "large unannounced")
        server.serve(kNumberPath, 200, oversized, false);
    else if (answer == "dropped")
        server.dropMidBody(kDataPath, newerPrizes().left(200));
    else if (answer == "silent") {
        server.hang(kNumberPath);
        setSetting("Download/TimeoutSeconds", 1);
    }

    ProgramFolder folder;
    const QByteArray numbersBefore = folder.read("download/Loto6Number.csv");
    const QByteArray prizesBefore = folder.read("download/Loto6Data.csv");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    std::unique_ptr<LockedPath> lock;
    if (answer == "read-only folder") {
        lock = std::make_unique<LockedPath>(folder.file("download"));
        if (!lock->locked())
            QSKIP("this file system cannot make a folder read-only for this user");
    }

    form.menuCommandDownload->trigger();
    lock.reset();

    QCOMPARE(boxes.texts(), QStringList{kFailed});
    QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(server.requests(), fetched);
    QVERIFY(folder.read("download/Loto6Number.csv") == numbersBefore);
    QVERIFY(folder.read("download/Loto6Data.csv") == prizesBefore);
    QCOMPARE(form.historyModel()->rowCount(), 2037);
    QCOMPARE(form.gridMoney->rowCount(), 2037);
    QCOMPARE(form.editNewNum->text(), QString("2038"));
    QVERIFY(form.pctrlMain->isEnabled());
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
