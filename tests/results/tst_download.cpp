// The download command as the player sees it, against a real HTTP server on 127.0.0.1.

#include "HttpTestServer.h"
#include "TestSupport.h"
#include "app/Main.h"
#include "app/SpinEdit.h"
#include "app/Splash.h"
#include "app/StringGrid.h"
#include "results/DownloadSettingsForm.h"
#include "results/HistoryFeed.h"
#include "results/HistoryModel.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTest>

namespace
{

const QString kNumberPath = QStringLiteral("/download/Loto6Number.csv");
const QString kDataPath = QStringLiteral("/download/Loto6Data.csv");
const QString kFeedPath = QStringLiteral("/data/loto6.csv");
const QString kFailed = QStringLiteral("ダウンロードに失敗しました。");
const QString kAdvice = QStringLiteral("ネットワークの接続状態を確認してください！！");
const QString kSucceeded = QStringLiteral("正常にダウンロードが完了しました。");

QByteArray newerNumbers()
{
    return "2038,2025/09/29,1,2,3,4,5,6,7\r\n" + bundledFile("Loto6Number.csv");
}

QByteArray newerPrizes()
{
    return "2038,0,0,1000,1,100,2,10,3,1,4,5\r\n" + bundledFile("Loto6Data.csv");
}

// The file without its first line (the newest draw) or without its last n lines.
QByteArray withoutNewest(const QByteArray &file)
{
    return file.mid(file.indexOf("\r\n") + 2);
}
QByteArray withoutOldest(QByteArray file, int n)
{
    while (n-- > 0)
        file.truncate(file.lastIndexOf("\r\n", file.size() - 3) + 2);
    return file;
}

// A pair of results files as the public history feed serves them: Shift-JIS, oldest first.
QByteArray feedOf(const QByteArray &numbers, const QByteArray &prizes,
                  const QByteArray &lineEnd = "\r\n")
{
    QByteArray feed = QStringEncoder("Shift_JIS").encode(historyFeedText(numbers, prizes));
    return feed.replace("\n", lineEnd);
}

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void downloadsAndReloads(); // twice
    void feedBringsHistoryUpToDate_data();
    void feedBringsHistoryUpToDate();
    void settingsDialogTestsAndStores();
    void connectionTestClearsAndStops();
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

    form.menuCommandDownload->trigger(); // a second run fetches again
    QCOMPARE(server.requests(), (QStringList{kNumberPath, kDataPath, kNumberPath, kDataPath}));
    QCOMPARE(boxes.texts(), (QStringList{kSucceeded, kSucceeded}));
    QCOMPARE(form.editNewNum->text(), QString("2039"));
}

void TestDownload::feedBringsHistoryUpToDate_data()
{
    QTest::addColumn<QByteArray>("localNumbers");
    QTest::addColumn<QByteArray>("localPrizes");
    QTest::addColumn<QByteArray>("feed");
    QTest::addColumn<QByteArray>("numbers"); // the files afterwards
    QTest::addColumn<QByteArray>("prizes");
    const QByteArray numbers = bundledFile("Loto6Number.csv");
    const QByteArray prizes = bundledFile("Loto6Data.csv");
    QTest::newRow("Shift-JIS, LF") << withoutNewest(numbers) << withoutNewest(prizes)
                                   << feedOf(numbers, prizes, "\n") << numbers << prizes;
    QTest::newRow("Shift-JIS, CR LF") << withoutNewest(numbers) << withoutNewest(prizes)
                                      << feedOf(numbers, prizes) << numbers << prizes;
    QTest::newRow("one draw more") << numbers << prizes << feedOf(newerNumbers(), newerPrizes())
                                   << newerNumbers() << newerPrizes();
    QTest::newRow("typed draw replaced by the official one")
        << "2038,2025/09/29,1,2,3,4,5,9,7\r\n" + numbers
        << "2038,1,1,1,1,1,1,1,1,1,1,1\r\n" + prizes << feedOf(newerNumbers(), newerPrizes())
        << newerNumbers() << newerPrizes();
}

void TestDownload::feedBringsHistoryUpToDate()
{
    QFETCH(QByteArray, localNumbers);
    QFETCH(QByteArray, localPrizes);
    QFETCH(QByteArray, feed);
    QFETCH(QByteArray, numbers);
    QFETCH(QByteArray, prizes);
    HttpTestServer server;
    server.serve(kFeedPath, 200, feed);
    setSetting("Download/HistoryUrl", server.baseUrl() + "data/loto6.csv");
    ProgramFolder folder;
    folder.write("download/Loto6Number.csv", localNumbers);
    folder.write("download/Loto6Data.csv", localPrizes);
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();

    form.menuCommandDownload->trigger();

    QCOMPARE(boxes.texts(), QStringList{kSucceeded});
    QCOMPARE(server.requests(), QStringList{kFeedPath});
    QVERIFY(folder.read("download/Loto6Number.csv") == numbers);
    QVERIFY(folder.read("download/Loto6Data.csv") == prizes);
    const int newest = numbers.left(numbers.indexOf(',')).toInt();
    QCOMPARE(form.editNewNum->text(), QString::number(newest + 1));
}

void TestDownload::settingsDialogTestsAndStores()
{
    HttpTestServer server;
    server.serve(kFeedPath, 200,
                 feedOf(bundledFile("Loto6Number.csv"), bundledFile("Loto6Data.csv")));
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QString name, defaultAddress, testReport;
    bool refusedKeptOpen = false;
    QTimer::singleShot(0, &form, [&] {
        auto *dialog = qobject_cast<DownloadSettingsForm *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        name = dialog->objectName();
        defaultAddress = dialog->editAddress->text();
        dialog->editAddress->setText(server.baseUrl() + "data/loto6.csv");
        dialog->btnConnectionTest->click();
        testReport = dialog->lblTestResult->text();
        dialog->editAddress->setText("ftp://example.jp/loto6.csv");
        dialog->accept();
        refusedKeptOpen = dialog->isVisible();
        dialog->radioResultsServer->setChecked(true);
        dialog->editAddress->setText(server.baseUrl());
        dialog->editTimeout->setValue(5);
        dialog->accept();
    });

    form.menuCommandDownloadSettings->trigger();

    QCOMPARE(name, QString("DownloadSettingsForm"));
    QCOMPARE(defaultAddress, QString("https://loto6.thekyo.jp/data/loto6.csv"));
    QCOMPARE(testReport, QString("第2037回（2025/09/25）まで取得できます。"));
    QVERIFY(refusedKeptOpen);
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.texts().first().contains("http"), qPrintable(boxes.texts().first()));
    QSettings stored(m_iniPath, QSettings::IniFormat);
    QCOMPARE(stored.value("Download/BaseUrl").toString(), server.baseUrl());
    QCOMPARE(stored.value("Download/HistoryUrl").toString(), defaultAddress); // ftp refused
    QCOMPARE(stored.value("Download/TimeoutSeconds").toString(), QString("5"));
    QCOMPARE(server.requests(), QStringList{kFeedPath}); // the test replaced nothing
    QVERIFY(folder.read("download/Loto6Number.csv") == bundledFile("Loto6Number.csv"));
}

// The result goes when the address changes. While a test waits, OK is disabled and
// "キャンセル" stops it at once, closing the window without storing anything.
void TestDownload::connectionTestClearsAndStops()
{
    HttpTestServer server;
    server.serve(kFeedPath, 200,
                 feedOf(bundledFile("Loto6Number.csv"), bundledFile("Loto6Data.csv")));
    server.hang("/hang.csv");
    ProgramFolder folder;
    TMainForm form(folder.path());
    form.show();
    QString report;
    bool okDuringTest = true;
    QElapsedTimer clock;
    QTimer::singleShot(0, &form, [&] {
        auto *dialog = QApplication::activeModalWidget();
        auto *address = control<QLineEdit>(*dialog, "editAddress");
        auto *test = control<QPushButton>(*dialog, "btnConnectionTest");
        auto *result = control<QLabel>(*dialog, "lblTestResult");
        address->setText(server.baseUrl() + "data/loto6.csv");
        test->click();
        report = result->text();
        address->setText(server.baseUrl() + "hang.csv");
        QVERIFY(result->text().isEmpty());
        QTimer::singleShot(300, dialog, [&, dialog] {
            okDuringTest = control<QDialogButtonBox>(*dialog, "buttonBox")
                               ->button(QDialogButtonBox::Ok)
                               ->isEnabled();
            auto *cancel =
                control<QDialogButtonBox>(*dialog, "buttonBox")->button(QDialogButtonBox::Cancel);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        clock.start();
        test->click();
    });
    control<QAction>(form, "menuCommandDownloadSettings")->trigger();
    QVERIFY(clock.elapsed() < 5000); // not the 30 seconds of the time-out
    QCOMPARE(report, QString("第2037回（2025/09/25）まで取得できます。"));
    QVERIFY(!okDuringTest);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!QSettings(m_iniPath, QSettings::IniFormat).contains("Download/HistoryUrl"));
}

void TestDownload::failureKeepsFilesAndViews_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("fetched"); // paths the server saw
    QTest::addColumn<QString>("cause");       // part of the message's second line
    QTest::addColumn<bool>("network");        // the advice to check the network is given
    const QStringList first{kNumberPath};
    const QStringList both{kNumberPath, kDataPath};
    const QStringList feed{kFeedPath};
    const QString older = QStringLiteral("より古いため");
    QTest::newRow("unreachable") << "unreachable" << QStringList() << "に接続できません" << true;
    QTest::newRow("404 on the second file")
        << "404 second" << both << "サーバーの応答：404" << false;
    QTest::newRow("empty body") << "empty" << both << "Loto6Number.csv にデータがありません"
                                << false;
    QTest::newRow("malformed body") << "malformed" << both << "Loto6Data.csv の 1 行目" << false;
    QTest::newRow("error page as 200")
        << "error page" << both << "Loto6Number.csv の 1 行目" << false;
    QTest::newRow("announced over the limit") << "large" << first << "上限" << false;
    QTest::newRow("growing over the limit") << "large unannounced" << first << "上限" << false;
    QTest::newRow("never answers") << "silent" << first << "1 秒以内に終わりませんでした" << true;
    QTest::newRow("connection dropped mid-body")
        << "dropped" << both << "途中で切れました" << false;
    QTest::newRow("download folder read-only")
        << "read-only folder" << both << "download/Loto6Number.csv" << false;
    QTest::newRow("feed: malformed line") << "feed malformed" << feed << "1500 行目：" << false;
    QTest::newRow("feed: older than the local history") << "feed older" << feed << older << false;
    QTest::newRow("feed: fewer draws") << "feed shorter" << feed << "回数が少ない" << false;
    QTest::newRow("feed: 404") << "feed 404" << feed << "サーバーの応答：404 Not Found" << false;
    QTest::newRow("feed: never answers")
        << "feed silent" << feed << "1 秒以内に終わりませんでした" << true;
}

void TestDownload::failureKeepsFilesAndViews()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, fetched);
    QFETCH(QString, cause);
    QFETCH(bool, network);
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.serve(kDataPath, 200, newerPrizes());
    const QByteArray oversized((4 << 20) + 1, '1');
    const QByteArray numbers = bundledFile("Loto6Number.csv");
    const QByteArray prizes = bundledFile("Loto6Data.csv");
    ProgramFolder folder;
    if (answer.startsWith("feed"))
        setSetting("Download/HistoryUrl", server.baseUrl() + "data/loto6.csv");
    else if (answer == "unreachable")
        setSetting("Download/BaseUrl", HttpTestServer::unreachableBaseUrl());
    else
        setSetting("Download/BaseUrl", server.baseUrl());
    if (answer == "feed malformed") {
        QList<QByteArray> lines = feedOf(numbers, prizes).split('\n');
        lines[1499].replace(',', ';'); // the 1500th line
        server.serve(kFeedPath, 200, lines.join('\n'));
    } else if (answer == "feed older") {
        folder.write("download/Loto6Number.csv", newerNumbers());
        folder.write("download/Loto6Data.csv", newerPrizes());
        server.serve(kFeedPath, 200, feedOf(numbers, prizes));
    } else if (answer == "feed shorter") {
        server.serve(kFeedPath, 200, feedOf(withoutOldest(numbers, 1), withoutOldest(prizes, 1)));
    } else if (answer == "feed silent") {
        server.hang(kFeedPath);
        setSetting("Download/TimeoutSeconds", 1);
    }
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

    const QByteArray numbersBefore = folder.read("download/Loto6Number.csv");
    const QByteArray prizesBefore = folder.read("download/Loto6Data.csv");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    const int rowsBefore = form.historyModel()->rowCount();
    const QString comingBefore = form.editNewNum->text();
    std::unique_ptr<LockedPath> lock;
    if (answer == "read-only folder") {
        lock = std::make_unique<LockedPath>(folder.file("download"));
        if (!lock->locked())
            QSKIP("this file system cannot make a folder read-only for this user");
    }

    form.menuCommandDownload->trigger();
    lock.reset();

    QCOMPARE(boxes.texts().size(), 1);
    const QString text = boxes.texts().first();
    QVERIFY2(text.startsWith(kFailed) && text.contains(cause), qPrintable(text));
    QCOMPARE(text.contains(kAdvice), network);
    QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(server.requests(), fetched);
    QVERIFY(folder.read("download/Loto6Number.csv") == numbersBefore);
    QVERIFY(folder.read("download/Loto6Data.csv") == prizesBefore);
    QCOMPARE(form.historyModel()->rowCount(), rowsBefore);
    QCOMPARE(form.gridMoney->rowCount(), rowsBefore);
    QCOMPARE(form.editNewNum->text(), comingBefore);
    QVERIFY(form.pctrlMain->isEnabled());
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
