// The download command as the player sees it, against a real HTTP server on 127.0.0.1.

#include "FeedSamples.h"
#include "HttpTestServer.h"
#include "TestSupport.h"
#include "core/results/DrawCalendar.h"
#include "core/results/HistoryFeed.h"
#include "gui/dialogs/DownloadSettingsForm.h"
#include "gui/dialogs/Splash.h"
#include "gui/models/HistoryModel.h"
#include "gui/services/ResultsService.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
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
    const QString text = historyFeedText(numbers, prizes); // a header, then ASCII only
    QByteArray feed = kFeedHeaderShiftJis + text.mid(text.indexOf(QLatin1Char('\n'))).toLatin1();
    return feed.replace("\n", lineEnd);
}

// The download runs on the program's event loop: triggers it and waits for the message that
// tells how it ended.
void download(TMainForm &form, const MessageBoxWatcher &boxes)
{
    const auto before = boxes.texts().size();
    control<QAction>(form, "menuCommandDownload")->trigger();
    if (!QTest::qWaitFor([&] { return boxes.texts().size() > before; }, 20000))
        qWarning("the download told nothing");
}

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void downloadsAndReloads(); // twice
    void fetchedHistoryIsCheckedBeforeReplacing_data();
    void fetchedHistoryIsCheckedBeforeReplacing();
    void settingsDialogTestsAndStores();
    void connectionTestClearsAndStops();
    void settingsDialogKeepsTheKeyboard();
    void failureKeepsFilesAndViews_data();
    void failureKeepsFilesAndViews();
    void inputIsDroppedWhileWaiting();
    void stopAfterTheFirstFileChangesNothing();
    void closeWaitsForTheDownload();
    void newsNamesTheNewDraws_data();
    void newsNamesTheNewDraws();

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
    // Lines saved for the coming draw: one wins 2等 (five numbers and the bonus), one nothing.
    folder.write("client/2038.csv", "2038,01,02,03,04,05,07\r\n2038,10,11,12,13,14,15\r\n");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    bool waitShownBehind = false; // the message stands alone
    boxes.whileShown([&] { waitShownBehind |= splashWindow(form)->isVisible(); });

    download(form, boxes);

    // Drawn 2025/09/29, its prizes could be claimed until 2026/09/29: long past.
    const QString news =
        kSucceeded + "\n第2038回：２等 1口 ¥1,000（支払期限 2026/09/29、期限切れ）";
    QVERIFY(!waitShownBehind);
    QCOMPARE(boxes.texts(), QStringList{news});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Information);
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2039"));
    QCOMPARE(control<SpinEdit>(form, "editLoto6Num")->text(), QString("2039"));
    QCOMPARE(pageContext(form).historyList()->rowCount(), 2038);
    QCOMPARE(pageContext(form).historyList()->record(0).date, QString("2025/09/29"));
    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 2038);
    QCOMPARE(folder.read("download/Loto6Number.csv"), newerNumbers());
    QCOMPARE(folder.read("download/Loto6Data.csv"), newerPrizes());
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QVERIFY(!splashWindow(form)->isVisible());

    download(form, boxes); // a second run fetches again
    QCOMPARE(server.requests(), (QStringList{kNumberPath, kDataPath, kNumberPath, kDataPath}));
    QCOMPARE(boxes.texts(), (QStringList{news, kSucceeded})); // no new draw, no news
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2039"));
}

void TestDownload::fetchedHistoryIsCheckedBeforeReplacing_data()
{
    QTest::addColumn<QByteArray>("localNumbers");
    QTest::addColumn<QByteArray>("localPrizes");
    QTest::addColumn<QString>("typed"); // the draws the player typed in
    QTest::addColumn<QByteArray>("fetchedNumbers");
    QTest::addColumn<QByteArray>("fetchedPrizes");
    QTest::addColumn<QByteArray>("feedLineEnd"); // empty: served as the two results files
    QTest::addColumn<QString>("refusal");        // empty: the fetched files replace the local
    const QByteArray numbers = bundledFile("Loto6Number.csv");
    const QByteArray prizes = bundledFile("Loto6Data.csv");
    const QByteArray newer = newerNumbers();
    const QByteArray draw1000 = "1000,2015/09/07,1,15,21,22,26,29,37\r\n";
    const QByteArray prize1000 =
        "1000,0,0,16056900,8,508700,303,9800,13791,1000,211620,268345233\r\n";
    const auto with1000 = [&](const QByteArray &line) {
        return QByteArray(newer).replace(draw1000, line);
    };
    const QString today = japanToday().toString("yyyy/MM/dd");

    QTest::newRow("feed in Shift-JIS, LF") << withoutNewest(numbers) << withoutNewest(prizes) << ""
                                           << numbers << prizes << QByteArray("\n") << "";
    QTest::newRow("feed, CR LF") << withoutNewest(numbers) << withoutNewest(prizes) << "" << numbers
                                 << prizes << QByteArray("\r\n") << "";
    QTest::newRow("feed, CR only") << withoutNewest(numbers) << withoutNewest(prizes) << ""
                                   << numbers << prizes << QByteArray("\r") << "";
    QTest::newRow("one draw more")
        << numbers << prizes << "" << newer << newerPrizes() << QByteArray("\r\n") << "";
    QTest::newRow("typed draw replaced by the official one")
        << "2038,2025/09/29,1,2,3,4,5,9,7\r\n" + numbers
        << "2038,1,1,1,1,1,1,1,1,1,1,1\r\n" + prizes << "2038" << newer << newerPrizes()
        << QByteArray("\r\n") << "";
    QTest::newRow("typed ahead of the feed")
        << "2039,2025/10/02,1,2,3,4,5,10,7\r\n2038,2025/09/29,1,2,3,4,5,9,7\r\n" + numbers
        << "2039,1,1,1,1,1,1,1,1,1,1,1\r\n2038,1,1,1,1,1,1,1,1,1,1,1\r\n" + prizes << "2038,2039"
        << newer << newerPrizes() << QByteArray("\r\n") << "";
    QTest::newRow("a past draw's prizes corrected")
        << numbers << prizes << "" << newer
        << newerPrizes().replace(prize1000, "1000,1,1,1,1,1,1,1,1,1,1,1\r\n") << QByteArray() << "";
    QTest::newRow("gap") << numbers << prizes << "" << with1000("")
                         << newerPrizes().replace(prize1000, "") << QByteArray("\r\n")
                         << "第1000回がありません。";
    QTest::newRow("repeat") << numbers << prizes << "" << with1000(draw1000 + draw1000)
                            << newerPrizes() << QByteArray() << "第1000回が 2 回あります。";
    QTest::newRow("a number twice")
        << numbers << prizes << "" << with1000("1000,2015/09/07,1,15,21,36,26,36,37\r\n")
        << newerPrizes() << QByteArray("\r\n") << "第1000回：本数字 36 が 2 回あります。";
    QTest::newRow("bonus among the six")
        << numbers << prizes << "" << with1000("1000,2015/09/07,1,15,21,22,26,29,22\r\n")
        << newerPrizes() << QByteArray() << "第1000回：ボーナス数字 22 が本数字と同じです。";
    QTest::newRow("date before the draw before")
        << numbers << prizes << "" << with1000("1000,2015/09/02,1,15,21,22,26,29,37\r\n")
        << newerPrizes() << QByteArray("\r\n")
        << "第1000回：日付 2015/09/02 が第999回の 2015/09/03 より後ではありません。";
    QTest::newRow("newest after today")
        << numbers << prizes << "" << QByteArray(newer).replace("2025/09/29", "2099/12/31")
        << newerPrizes() << QByteArray()
        << "第2038回：日付 2099/12/31 が今日（" + today + "）より後です。";
    QTest::newRow("a past draw changed")
        << numbers << prizes << "" << with1000("1000,2015/09/07,1,15,21,22,26,29,38\r\n")
        << newerPrizes() << QByteArray("\r\n") << "第1000回がお使いの履歴と異なります。";
}

void TestDownload::fetchedHistoryIsCheckedBeforeReplacing()
{
    QFETCH(QByteArray, localNumbers);
    QFETCH(QByteArray, localPrizes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, fetchedNumbers);
    QFETCH(QByteArray, fetchedPrizes);
    QFETCH(QByteArray, feedLineEnd);
    QFETCH(QString, refusal);
    HttpTestServer server;
    if (feedLineEnd.isEmpty()) {
        server.serve(kNumberPath, 200, fetchedNumbers);
        server.serve(kDataPath, 200, fetchedPrizes);
        setSetting("Download/BaseUrl", server.baseUrl());
    } else {
        server.serve(kFeedPath, 200, feedOf(fetchedNumbers, fetchedPrizes, feedLineEnd));
        setSetting("Download/HistoryUrl", server.baseUrl() + "data/loto6.csv");
    }
    setSetting("Entry/TypedDraws", typed);
    ProgramFolder folder;
    folder.write("download/Loto6Number.csv", localNumbers);
    folder.write("download/Loto6Data.csv", localPrizes);
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();

    download(form, boxes);

    const bool replaced = refusal.isEmpty();
    QCOMPARE(boxes.texts(), QStringList{replaced ? kSucceeded : kFailed + "\n" + refusal});
    const QByteArray numbers = replaced ? fetchedNumbers : localNumbers;
    QVERIFY(folder.read("download/Loto6Number.csv") == numbers);
    QVERIFY(folder.read("download/Loto6Data.csv") == (replaced ? fetchedPrizes : localPrizes));
    const int newest = numbers.left(numbers.indexOf(',')).toInt();
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString::number(newest + 1));
    // The marks an older version kept in the settings moved to the data folder at start, and
    // the official draws have replaced the typed-in ones.
    QVERIFY(!QSettings(m_iniPath, QSettings::IniFormat).contains("Entry/TypedDraws"));
    const QByteArray marks =
        typed.isEmpty() ? QByteArray() : typed.toLatin1().replace(',', "\r\n") + "\r\n";
    QCOMPARE(folder.read("download/TypedDraws.csv"), replaced ? QByteArray() : marks);
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
        defaultAddress = control<QLineEdit>(*dialog, "editAddress")->text();
        control<QLineEdit>(*dialog, "editAddress")->setText(server.baseUrl() + "data/loto6.csv");
        auto *test = control<QPushButton>(*dialog, "btnConnectionTest");
        test->click();
        if (!QTest::qWaitFor([test] { return test->isEnabled(); }, 10000))
            qWarning("the connection test did not end");
        testReport = control<QLabel>(*dialog, "lblTestResult")->text();
        control<QLineEdit>(*dialog, "editAddress")->setText("ftp://example.jp/loto6.csv");
        dialog->accept();
        refusedKeptOpen = dialog->isVisible();
        control<QRadioButton>(*dialog, "radioResultsServer")->setChecked(true);
        control<QLineEdit>(*dialog, "editAddress")->setText(server.baseUrl());
        control<QSpinBox>(*dialog, "editTimeout")->setValue(5);
        dialog->accept();
    });

    control<QAction>(form, "menuCommandDownloadSettings")->trigger();

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
// The window opens in the address; after a test by the keyboard the focus is back on the
// test button, so Enter does not fall to "キャンセル" and throw the address away.
void TestDownload::settingsDialogKeepsTheKeyboard()
{
    HttpTestServer server;
    server.serve(kFeedPath, 200,
                 feedOf(bundledFile("Loto6Number.csv"), bundledFile("Loto6Data.csv")));
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QString focusAtOpen, focusAfterTest;
    bool openAfterEnter = false;
    QTimer::singleShot(0, &form, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        focusAtOpen = QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), server.baseUrl() + "data/loto6.csv");
        control<QPushButton>(*dialog, "btnConnectionTest")->setFocus();
        auto *test = control<QPushButton>(*dialog, "btnConnectionTest");
        QTest::keyClick(test, Qt::Key_Space);
        if (!QTest::qWaitFor([test] { return test->isEnabled(); }, 10000))
            qWarning("the connection test did not end");
        focusAfterTest = QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // on to OK
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        openAfterEnter = dialog->isVisible();
        if (openAfterEnter)
            dialog->close();
    });
    control<QAction>(form, "menuCommandDownloadSettings")->trigger();
    QCOMPARE(focusAtOpen, QString("editAddress"));
    QCOMPARE(focusAfterTest, QString("btnConnectionTest"));
    QVERIFY(!openAfterEnter);
    QCOMPARE(QSettings(m_iniPath, QSettings::IniFormat).value("Download/HistoryUrl").toString(),
             server.baseUrl() + "data/loto6.csv");
    QVERIFY(boxes.texts().isEmpty());
}

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
        if (!QTest::qWaitFor([test] { return test->isEnabled(); }, 10000))
            qWarning("the connection test did not end");
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
    const QString webPage = QStringLiteral("CSV ではなく Web ページでした。\n"); // and advice
    QTest::newRow("unreachable") << "unreachable" << QStringList() << "に接続できません" << true;
    QTest::newRow("404 on the second file")
        << "404 second" << both << "サーバーの応答：404" << false;
    QTest::newRow("empty body") << "empty" << both << "Loto6Number.csv にデータがありません"
                                << false;
    QTest::newRow("malformed body")
        << "malformed" << both << "Loto6Data.csv の第2038回（1 行目）" << false;
    QTest::newRow("web page as 200") << "error page" << first << webPage << false;
    QTest::newRow("redirect to where nothing listens")
        << "redirect" << first << "の転送先）に接続できません" << true;
    QTest::newRow("announced over the limit") << "large" << first << "上限" << false;
    QTest::newRow("growing over the limit") << "large unannounced" << first << "上限" << false;
    QTest::newRow("never answers") << "silent" << first << "1 秒以内に終わりませんでした" << true;
    QTest::newRow("connection dropped mid-body")
        << "dropped" << both << "途中で切れました" << false;
    QTest::newRow("download folder read-only")
        << "read-only folder" << both << QDir::toNativeSeparators("download/Loto6Number.csv")
        << false;
    QTest::newRow("feed: malformed line")
        << "feed malformed" << feed << "\n第1499回（1500 行目）：項目が 21 個" << false;
    QTest::newRow("feed: cut inside its last number")
        << "feed cut" << feed << "最後の行に改行がありません" << false;
    QTest::newRow("feed: XML prolog") << "feed xml" << feed << webPage << false;
    QTest::newRow("feed: HTML comment") << "feed comment" << feed << webPage << false;
    QTest::newRow("feed: a Tuesday")
        << "feed tuesday" << feed << "\n第2038回：日付 2025/09/30 は火曜日で" << false;
    QTest::newRow("a draw more than prizes")
        << "pair longer" << both
        << "\n抽選結果の 2 つのファイルが対応していません（1 行目：Loto6Number.csv は第2038回、"
           "Loto6Data.csv は第2037回）。"
        << false;
    QTest::newRow("prizes of one line")
        << "pair one line" << both << "Loto6Data.csv は 1 回分" << false;
    QTest::newRow("negative amount")
        << "negative" << both
        << "\n第2038回：２等の金額 '-12000000' は 0 以上の整数ではありません。" << false;
    QTest::newRow("amount 1e300") << "1e300" << both << "'1e300' は 0 以上の整数ではありません"
                                  << false;
    QTest::newRow("feed: older than the local history") << "feed older" << feed << older << false;
    QTest::newRow("feed: first draw missing")
        << "feed shorter" << feed << "第1回がありません" << false;
    QTest::newRow("feed: login page") << "feed login page" << feed << webPage << false;
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
        lines[1499].replace("\r", ",1\r"); // the 1500th line, draw 1499: a field too many
        server.serve(kFeedPath, 200, lines.join('\n'));
    } else if (answer == "feed cut") {
        // Without a length: the close of the connection ends it, inside the carry-over.
        const QByteArray carryOver =
            QByteArray(newerPrizes()).replace(",4,5\r\n", ",4,400000000\r\n");
        QByteArray feed = feedOf(newerNumbers(), carryOver).trimmed();
        feed.chop(5); // "…,4000"
        server.serve(kFeedPath, 200, feed, false);
    } else if (answer == "feed xml") {
        server.serve(kFeedPath, 200, "  <?xml version=\"1.0\"?>\r\n<html/>");
    } else if (answer == "feed comment") {
        server.serve(kFeedPath, 200, "<!-- captive portal -->\n<head></head>");
    } else if (answer == "feed tuesday") {
        server.serve(
            kFeedPath, 200,
            feedOf(QByteArray(newerNumbers()).replace("2025/09/29", "2025/09/30"), newerPrizes()));
    } else if (answer == "feed older") {
        folder.write("download/Loto6Number.csv", newerNumbers());
        folder.write("download/Loto6Data.csv", newerPrizes());
        server.serve(kFeedPath, 200, feedOf(numbers, prizes));
    } else if (answer == "feed shorter") {
        server.serve(kFeedPath, 200, feedOf(withoutOldest(numbers, 1), withoutOldest(prizes, 1)));
    } else if (answer == "feed login page") {
        server.serve(kFeedPath, 200,
                     "\xEF\xBB\xBF \r\n<!DOCTYPE html>\r\n<html><body>Wi-Fi</body></html>");
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
    else if (answer == "redirect")
        server.redirect(kNumberPath,
                        HttpTestServer::unreachableBaseUrl() + "download/Loto6Number.csv");
    else if (answer == "large")
        server.serve(kNumberPath, 200, oversized);
    else if (answer == "large unannounced")
        server.serve(kNumberPath, 200, oversized, false);
    else if (answer == "dropped")
        server.dropMidBody(kDataPath, newerPrizes().left(200));
    else if (answer == "pair longer")
        server.serve(kDataPath, 200, prizes);
    else if (answer == "pair one line")
        server.serve(kDataPath, 200, newerPrizes().left(newerPrizes().indexOf('\n') + 1));
    else if (answer == "negative")
        server.serve(kDataPath, 200,
                     newerPrizes().replace("2038,0,0,1000,", "2038,0,0,-12000000,"));
    else if (answer == "1e300")
        server.serve(kDataPath, 200, newerPrizes().replace("2038,0,0,1000,", "2038,0,0,1e300,"));
    else if (answer == "silent") {
        server.hang(kNumberPath);
        setSetting("Download/TimeoutSeconds", 1);
    }

    const QByteArray numbersBefore = folder.read("download/Loto6Number.csv");
    const QByteArray prizesBefore = folder.read("download/Loto6Data.csv");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    bool waitShownBehind = false; // the message stands alone
    boxes.whileShown([&] { waitShownBehind |= splashWindow(form)->isVisible(); });
    const auto rows = [&form](const char *view) {
        return control<QTableView>(form, view)->model()->rowCount();
    };
    auto *editNewNum = control<QLineEdit>(form, "editNewNum");
    const int rowsBefore = rows("viewHistory");
    const QString comingBefore = editNewNum->text();
    std::unique_ptr<LockedPath> lock;
    if (answer == "read-only folder") {
        lock = std::make_unique<LockedPath>(folder.file("download"));
        if (!lock->locked())
            QSKIP("this file system cannot make a folder read-only for this user");
    }

    download(form, boxes);
    lock.reset();

    QCOMPARE(boxes.texts().size(), 1);
    const QString text = boxes.texts().first();
    QVERIFY2(text.startsWith(kFailed) && text.contains(cause), qPrintable(text));
    QVERIFY(!waitShownBehind);
    QCOMPARE(text.contains(kAdvice), network);
    QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(server.requests(), fetched);
    QVERIFY(folder.read("download/Loto6Number.csv") == numbersBefore);
    QVERIFY(folder.read("download/Loto6Data.csv") == prizesBefore);
    QCOMPARE(rows("viewHistory"), rowsBefore);
    QCOMPARE(rows("gridMoney"), rowsBefore);
    QCOMPARE(editNewNum->text(), comingBefore);
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QVERIFY(!control<QWidget>(form, "SplashForm")->isVisible());
    QVERIFY(form.isVisible());
}

// While the fetch waits, the window repaints and timers run, but no window takes input.
void TestDownload::inputIsDroppedWhileWaiting()
{
    HttpTestServer server;
    server.hang(kNumberPath);
    setSetting("Download/BaseUrl", server.baseUrl());
    setSetting("Download/TimeoutSeconds", 1);
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    bool typed = false;
    QTimer::singleShot(300, &edit, [&] {
        QTest::keyClicks(&edit, "12");
        typed = true; // the timer ran: the wait lets window messages through
    });
    download(form, boxes);
    QVERIFY(typed);
    QCOMPARE(edit.text(), QString());
    QTest::keyClicks(&edit, "34"); // and input reaches the windows again afterwards
    QCOMPARE(edit.text(), QString("34"));
}

void TestDownload::stopAfterTheFirstFileChangesNothing()
{
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.hang(kDataPath);
    setSetting("Download/BaseUrl", server.baseUrl());
    ProgramFolder folder;
    const QByteArray numbersBefore = folder.read("download/Loto6Number.csv");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    auto *service = control<ResultsService>(form, "resultsService");
    QTimer::singleShot(300, service, [service] { service->stop(); });
    QElapsedTimer clock;
    clock.start();
    // The command returns at once; the window waits on its own event loop.
    control<QAction>(form, "menuCommandDownload")->trigger();
    QVERIFY(boxes.texts().isEmpty());
    QVERIFY(pageContext(form).isBusy());
    QVERIFY(splashWindow(form)->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(boxes.texts().size(), 1, 10000);
    QVERIFY(clock.elapsed() < 5000); // not the 30 seconds of the time-out
    QCOMPARE(boxes.texts(), QStringList{kFailed + "\n" + server.baseUrl() +
                                        "download/Loto6Data.csv の取得を中止しました。"});
    QCOMPARE(server.requests(), (QStringList{kNumberPath, kDataPath}));
    QVERIFY(folder.read("download/Loto6Number.csv") == numbersBefore);
    QCOMPARE(pageContext(form).historyList()->rowCount(), 2037);
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    QVERIFY(!pageContext(form).isBusy());
}

// A close asked for while the fetch waits runs once the download has told how it ended.
void TestDownload::closeWaitsForTheDownload()
{
    HttpTestServer server;
    server.hang(kNumberPath);
    setSetting("Download/BaseUrl", server.baseUrl());
    setSetting("Download/TimeoutSeconds", 1);
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    bool visibleAfterClose = false, visibleAtMessage = false;
    boxes.whileShown([&] { visibleAtMessage = form.isVisible(); });
    QTimer::singleShot(300, &form, [&] {
        form.close();
        visibleAfterClose = form.isVisible();
    });
    download(form, boxes);
    QVERIFY(visibleAfterClose);
    QVERIFY(visibleAtMessage);
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY(boxes.texts().first().startsWith(kFailed));
    QTRY_VERIFY(!form.isVisible());
}

void TestDownload::newsNamesTheNewDraws_data()
{
    QTest::addColumn<QByteArray>("localNumbers");
    QTest::addColumn<QByteArray>("localPrizes");
    QTest::addColumn<QByteArray>("marks"); // download/TypedDraws.csv
    QTest::addColumn<QString>("news");     // after the success message
    const QByteArray numbers = bundledFile("Loto6Number.csv");
    const QByteArray prizes = bundledFile("Loto6Data.csv");
    const QString won =
        QStringLiteral("\n第2038回：２等 1口 ¥1,000（支払期限 2026/09/29、期限切れ）");
    QTest::newRow("the draw after the newest") << numbers << prizes << QByteArray() << won;
    QTest::newRow("the typed newest, now official")
        << "2038,2025/09/29,1,2,3,4,5,9,7\r\n" + numbers
        << "2038,1,1,1,1,1,1,1,1,1,1,1\r\n" + prizes << QByteArray("2038\r\n") << won;
    QTest::newRow("the official newest again")
        << newerNumbers() << newerPrizes() << QByteArray() << QString();
}

// What the saved lines won is told for the draws newer than the newest official one held
// before; the lines of older draws are not news.
void TestDownload::newsNamesTheNewDraws()
{
    QFETCH(QByteArray, localNumbers);
    QFETCH(QByteArray, localPrizes);
    QFETCH(QByteArray, marks);
    QFETCH(QString, news);
    HttpTestServer server;
    server.serve(kNumberPath, 200, newerNumbers());
    server.serve(kDataPath, 200, newerPrizes());
    setSetting("Download/BaseUrl", server.baseUrl());
    ProgramFolder folder;
    folder.write("download/Loto6Number.csv", localNumbers);
    folder.write("download/Loto6Data.csv", localPrizes);
    if (!marks.isEmpty())
        folder.write("download/TypedDraws.csv", marks);
    folder.write("client/2037.csv", "2037,01,02,03,04,05,06\r\n");
    folder.write("client/2038.csv", "2038,01,02,03,04,05,07\r\n");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    download(form, boxes);
    QCOMPARE(boxes.texts(), QStringList{kSucceeded + news});
    QCOMPARE(folder.read("download/TypedDraws.csv"), QByteArray()); // official now
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
