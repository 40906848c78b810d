// The main window as built: its controls, page guidance, clock and settings.

#include "TestSupport.h"
#include "core/platform/Settings.h"
#include "core/results/DrawCalendar.h"
#include "core/results/HistoryCheck.h"
#include "gui/pages/MainPage.h"
#include "gui/services/ComFunction.h"
#include "gui/services/QtTranslations.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

class TestMainWindow : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowAndPages();
    void everyControlIsNamed();
    void gridsKeepHighlightAndLetTabThrough();
    void designTimeStateAfterStart();
    void pageGuidance();
    void startNamesAStaleHistory_data();
    void startNamesAStaleHistory();
    void clockPanel();
    void qtTextsAreJapanese();
    void messagesBreakAtPhrases_data();
    void messagesBreakAtPhrases();
    void firstStartUsesDefaultsAndCloseWritesSettings();
    void storedPosition_data();
    void storedPosition();
};

namespace
{

// A status panel shows its text whole in the room it has or, when even a smaller font is
// too wide, shows the whole text as its tooltip.
void verifyReadableWhole(StatusPanel *panel, const QString &text)
{
    QCOMPARE(panel->text(), text);
    const QString shown = panel->shownText();
    QVERIFY2(QFontMetrics(panel->shownFont()).horizontalAdvance(shown) <= panel->textRect().width(),
             qPrintable(shown));
    if (shown == text)
        return;
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), panel->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(panel, &tip);
    QCOMPARE(QToolTip::text(), text);
    QToolTip::hideText();
}

} // namespace

void TestMainWindow::initTestCase()
{
    QVERIFY(installJapaneseQtTexts());
}

void TestMainWindow::windowAndPages()
{
    TMainForm &form = *m_form;
    QCOMPARE(form.objectName(), QString("MainForm"));
    QCOMPARE(form.centralWidget()->size(), QSize(657, 526));
    QCOMPARE(form.statusBar()->height(), 22);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(control<QTabWidget>(form, "pctrlMain")->geometry(), QRect(8, 5, 640, 514));

    QStringList names, captions;
    for (int i = 0; i < control<QTabWidget>(form, "pctrlMain")->count(); ++i) {
        names << control<QTabWidget>(form, "pctrlMain")->widget(i)->objectName();
        captions << control<QTabWidget>(form, "pctrlMain")->tabText(i);
    }
    QCOMPARE(names, (QStringList{"TabSheet1", "TabSheet2", "TabSheet5", "TabSheet3", "TabSheet4",
                                 "TabSheet6", "TabSheet7"}));
    QCOMPARE(captions, (QStringList{"ロト６予想メイン", "予想オプション設定",
                                    "オンラインデータ照合", "データの傾向と分析",
                                    "申込数字照会・取消し", "抽選数字照会", "当選金額照会"}));
    QCOMPARE(control<QTabWidget>(form, "pctrlMain")->currentWidget(),
             control<QWidget>(form, "TabSheet1"));
    // Every page's content fits below the wrapped tabs.
    QVERIFY2(control<QWidget>(form, "TabSheet1")->height() >= 457,
             qPrintable(QString::number(control<QWidget>(form, "TabSheet1")->height())));
}

void TestMainWindow::everyControlIsNamed()
{
    TMainForm &form = *m_form;
    QStringList names =
        QString(
            "pctrlMain pnlMessage Timer1 Label4 editNewNum GroupBox2 btnRiset GroupBox1 Label2 "
            "editAutoSelectMax btnAutoCalc GroupBox3 btnSelect btnCancel btnSave pnlSelectMax "
            "pnlSelectMoney gridSelectItem GroupBox5 RadioButton1 RadioButton2 RadioButton3 "
            "RadioButton4 Label1 editAutoSelectDefault Label5 editSelectRange Label7 "
            "btnAgainUpdate btnBaseDef groupDeleteNumber TabControl1 btnUpdate btnDeleteClear "
            "GroupBox4 Label3 editSelectNum btnExec pnlHitGuide gridHitSel Label6 cmbChartKind "
            "btnChartExec chartSelect6 chartSelect43 GroupBox6 Label8 editLoto6Num pnlSeaGuide "
            "btnOneDelete btnAllDelete gridLoto6 viewHistory gridMoney menuFile menuFileCsvSave "
            "N3 menuFileExit menuCommand menuCommandDownload menuCommandDownloadSettings "
            "menuCommandEnterResult menuHelp menuHelpManual menuHelpHomePage N1 menuHelpAbout "
            "pnlMessage.Panel0 pnlMessage.Panel1")
            .split(QLatin1Char(' '));
    for (int n = 1; n <= 43; ++n)
        names << QString("SpeedButton%1").arg(n) << QString("Panel%1").arg(n);
    for (int k = 1; k <= 6; ++k)
        names << QString("Image%1").arg(k);
    // The pages the window does not show first are built as the player brings them up.
    auto *pages = control<QTabWidget>(form, "pctrlMain");
    for (int i = pages->count() - 1; i >= 0; --i) {
        pages->setCurrentIndex(i);
        const QList<QWidget *> shown = pages->widget(i)->findChildren<QWidget *>();
        QVERIFY(
            std::any_of(shown.cbegin(), shown.cend(), [](QWidget *w) { return w->isVisible(); }));
    }
    for (const QString &name : names) {
        const QList<QObject *> found = controls<QObject>(form, name);
        QVERIFY2(found.size() == 1, qPrintable(name + ": " + QString::number(found.size())));
    }
    QCOMPARE(speedButton(form, 43)->geometry(), QRect(144, 148, 33, 33));
    QCOMPARE(speedButton(form, 11)->geometry(), QRect(48, 84, 33, 33));
    QCOMPARE(numberPanel(form, 41)->geometry(), QRect(416, 160, 33, 33));
    QCOMPARE(numberPanel(form, 31)->geometry(), QRect(16, 160, 33, 33));
    QCOMPARE(pickedImage(form, 6)->geometry(), QRect(355, 17, 41, 41));
    QCOMPARE(control<QPushButton>(form, "btnRiset")->toolTip(),
             QString("現在、選択されている数字をリセットします。"));
    QCOMPARE(control<QAction>(form, "menuFileCsvSave")->text(),
             QString("CSV形式で名前を付けて保存（ファイル持ち出し）(&A)"));
    // Every menu item has its access key, each key once in its menu.
    for (const char *name : {"menuFile", "menuCommand", "menuHelp"}) {
        const QMenu *menu = control<QMenu>(form, name);
        QSet<QChar> keys;
        for (QAction *item : menu->actions()) {
            const int at = item->text().indexOf(QLatin1String("(&"));
            QVERIFY2(item->isSeparator() || at >= 0, qPrintable(item->text()));
            QVERIFY2(item->isSeparator() || !keys.contains(item->text().at(at + 2)),
                     qPrintable(item->text()));
            keys.insert(item->isSeparator() ? QChar() : item->text().at(at + 2));
        }
    }
}

// Tab and Shift+Tab leave a grid, the arrows move within it; the selected row keeps its
// highlight in every grid when the window is not active.
void TestMainWindow::gridsKeepHighlightAndLetTabThrough()
{
    TMainForm &form = *m_form;
    for (const char *name :
         {"gridSelectItem", "gridHitSel", "gridLoto6", "viewHistory", "gridMoney"}) {
        const auto *view = control<QAbstractItemView>(form, name);
        const QPalette pal = view->palette();
        QCOMPARE(pal.color(QPalette::Inactive, QPalette::Highlight),
                 pal.color(QPalette::Active, QPalette::Highlight));
        QVERIFY(!view->tabKeyNavigation());
    }
    m_folder->write("client/2038.csv", "2038,01,02,03,04,05,06\r\n2038,07,08,09,10,11,12\r\n");
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    form.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &form);
    auto *grid = control<StringGrid>(form, "gridLoto6");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->currentRow(), 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(form.focusWidget() != grid);
    QTest::keyClick(form.focusWidget(), Qt::Key_Backtab);
    QCOMPARE(form.focusWidget(), grid);
    QCOMPARE(grid->currentRow(), 1);
}

void TestMainWindow::designTimeStateAfterStart()
{
    TMainForm &form = *m_form;
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("0口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥0"));
    QCOMPARE(control<QGroupBox>(form, "GroupBox1")->property("tag").toInt(), 0);
    QVERIFY(control<StringGrid>(form, "gridSelectItem")->isColumnHidden(0));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->columnCount(), 7);
    QCOMPARE(
        control<StringGrid>(form, "gridHitSel")->model()->headerData(7, Qt::Horizontal).toString(),
        QString("照合結果"));
    QCOMPARE(
        control<StringGrid>(form, "gridMoney")->model()->headerData(11, Qt::Horizontal).toString(),
        QString("ｷｬﾘｰｵｰﾊﾞｰ(円)"));
    for (int n = 1; n <= 43; ++n) {
        QCOMPARE(speedButton(form, n)->property("tag").toInt(), n);
        QVERIFY(speedButton(form, n)->isCheckable());
        QCOMPARE(numberPanel(form, n)->text(), QString("%1").arg(n, 2, 10, QChar('0')));
        // Start-up ends in the count view of ① (threshold 20).
        QCOMPARE(numberPanel(form, n)->property("tag").toInt(),
                 pageContext(form).baseCountTable()[0][n - 1] >= 20 ? 1 : 0);
    }
    // Coloured captions grey when their button is disabled.
    const QList<QPair<QPushButton *, QColor>> coloured = {
        {control<QPushButton>(form, "btnExec"), QColor(0, 0, 128)},
        {control<QPushButton>(form, "btnOneDelete"), QColor(255, 0, 0)},
        {control<QPushButton>(form, "btnAllDelete"), QColor(255, 0, 0)},
        {control<QPushButton>(form, "btnAutoCalc"), QColor(0, 0, 128)},
        {control<QPushButton>(form, "btnAgainUpdate"), QColor(0, 0, 128)}};
    for (const auto &[button, colour] : coloured) {
        const QPalette pal = button->palette();
        QCOMPARE(pal.color(QPalette::Active, QPalette::ButtonText), colour);
        QVERIFY2(pal.color(QPalette::Disabled, QPalette::ButtonText) != colour,
                 qPrintable(button->objectName()));
    }
    QVERIFY(control<QAction>(form, "menuFileCsvSave")->isEnabled());
    // The bundled history is older than today: the main page says so beside the coming draw
    // (see startNamesAStaleHistory), and the status bar keeps its guidance.
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(), kMainPageGuide);
}

void TestMainWindow::pageGuidance()
{
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    const QList<QPair<QWidget *, QString>> pages = {
        {control<QWidget>(form, "TabSheet2"),
         "除外数字の設定、抽選数字の範囲指定や、分析方法の変更など、各種オプション"
         "が設定できます。"},
        {control<QWidget>(form, "TabSheet5"),
         "オンラインで申込数字とデータ照合を行い、抽選結果を表示します。"},
        {control<QWidget>(form, "TabSheet3"),
         "過去の抽選結果より、データを分析・集計し、グラフに表示します。"},
        {control<QWidget>(form, "TabSheet4"), "申込数字の一覧照会や取消作業が行えます。"},
        {control<QWidget>(form, "TabSheet6"),
         "過去の抽選数字（ボーナス数字を含む）を一覧で表示します。"},
        {control<QWidget>(form, "TabSheet7"),
         "１等～５等の当選金額及び当選口数、キャリーオーバーを一覧で表示します。"},
        {control<QWidget>(form, "TabSheet1"),
         "１～４３までの数字の中から、異なる６個の数字を選択してください。"},
    };
    for (const auto &[sheet, guide] : pages) {
        control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(sheet);
        verifyReadableWhole(static_cast<StatusPanel *>(control<QLabel>(form, "pnlMessage.Panel0")),
                            guide);
        QCOMPARE(
            static_cast<StatusPanel *>(control<QLabel>(form, "pnlMessage.Panel0"))->shownText(),
            guide);                                                      // whole, not cut
        QVERIFY(control<QAction>(form, "menuFileCsvSave")->isEnabled()); // the slate's, anywhere
        QCOMPARE(accessKeyFaults(form), QStringList());
    }
    QVERIFY(boxes.boxes().isEmpty());
}

void TestMainWindow::startNamesAStaleHistory_data()
{
    QTest::addColumn<bool>("current"); // the newest draw is the last one held before today
    QTest::newRow("bundled history, over a year old") << false;
    QTest::newRow("current history") << true;
}

void TestMainWindow::startNamesAStaleHistory()
{
    QFETCH(bool, current);
    ProgramFolder folder;
    QDate newest(2025, 9, 25);
    int newestNumber = 2037;
    if (current) {
        newest = japanToday().addDays(-1);
        while (!isDrawDay(newest))
            newest = newest.addDays(-1);
        newestNumber = 2;
        folder.write("download/Loto6Number.csv",
                     QByteArray("2,") + newest.toString("yyyy/MM/dd").toLatin1() +
                         ",1,2,3,4,5,6,7\r\n1,2000/10/05,1,2,3,4,5,6,7\r\n");
        folder.write("download/Loto6Data.csv",
                     "2,0,0,0,0,0,0,0,0,0,0,0\r\n1,0,0,0,0,0,0,0,0,0,0,0\r\n");
    }
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    verifyReadableWhole(static_cast<StatusPanel *>(control<QLabel>(form, "pnlMessage.Panel0")),
                        kMainPageGuide);
    // The notice stays beside the coming draw, whole, until the history is current.
    QLabel *notice = control<QLabel>(form, "lblStaleHistory");
    QCOMPARE(notice->isVisible(), !current);
    QCOMPARE(notice->text(), staleHistoryBanner(historyLag(newestNumber, newest, japanToday())));
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
    QVERIFY(boxes.boxes().isEmpty());

    if (current)
        return;
    // Deciding and saving for a draw over by the calendar ask first; cancel changes nothing.
    boxes.askPastTheCalendar();
    const QString question = "第2038回は、暦では抽選が終わっています（2025/09/29）。";
    boxes.queueAnswer(QMessageBox::Cancel);
    decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 1), QString());
    boxes.queueAnswer(QMessageBox::No); // decided for it all the same (still picked)
    control<QPushButton>(form, "btnSelect")->click();
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 1), QString("01"));
    boxes.queueAnswer(QMessageBox::Cancel);
    control<QPushButton>(form, "btnSave")->click();
    QVERIFY(QDir(folder.file("client")).isEmpty());
    QCOMPARE(boxes.boxes().size(), 3);
    for (const QString &text : boxes.texts())
        QVERIFY2(text.startsWith(question), qPrintable(text));
}

void TestMainWindow::clockPanel()
{
    TMainForm &form = *m_form;
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel1")->text(),
             QString()); // empty until the first tick
    QCOMPARE(control<QTimer>(form, "Timer1")->interval(), 1000);
    QVERIFY(control<QTimer>(form, "Timer1")->isActive());
    QTRY_VERIFY(!control<QLabel>(form, "pnlMessage.Panel1")->text().isEmpty()); // a tick
    static const QRegularExpression clock("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}$");
    QVERIFY2(clock.match(control<QLabel>(form, "pnlMessage.Panel1")->text()).hasMatch(),
             qPrintable(control<QLabel>(form, "pnlMessage.Panel1")->text()));
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel1")->text().left(10),
             QDate::currentDate().toString("yyyy/MM/dd"));
    auto *clockPanel = static_cast<StatusPanel *>(control<QLabel>(form, "pnlMessage.Panel1"));
    QCOMPARE(clockPanel->shownText(), clockPanel->text()); // whole
    QCOMPARE(clockPanel->shownFont(), clockPanel->font()); // in the window's font
}

void TestMainWindow::qtTextsAreJapanese()
{
    QWidget parent;
    QStringList buttons;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        for (QMessageBox::StandardButton which : {QMessageBox::Yes, QMessageBox::No})
            buttons << box->button(which)->text();
        box->button(QMessageBox::No)->click();
    });
    poll.start(10);
    QVERIFY(!askConfirmation(&parent, QStringLiteral("よろしいですか？")));
    QCOMPARE(buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));
}

void TestMainWindow::messagesBreakAtPhrases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("characters"); // the width, in full-width characters
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("fits") << "本当によろしいですか？" << 20
                          << QStringList{"本当によろしいですか？"};
    QTest::newRow("advice") << "ネットワークの接続状態を確認してください！！" << 20
                            << QStringList{"ネットワークの接続状態を", "確認してください！！"};
    QTest::newRow("two sentences")
        << "抽選結果と照合できません…。最新の抽選データをダウンロードしてください。" << 22
        << QStringList{"抽選結果と照合できません…。最新の",
                       "抽選データをダウンロードしてください。"};
    QTest::newRow("paragraphs, a file name kept whole")
        << "保存が完了しました。\n保存先：client/2038.csv、client/2039.csv" << 16
        << QStringList{"保存が完了しました。", "保存先：client/2038.csv、", "client/2039.csv"};
    QTest::newRow("no phrase boundary: three characters carried over, not one")
        << "あいうえおかきくけこさ" << 10 << QStringList{"あいうえおかきく", "けこさ"};
}

// A message box breaks its text at phrase boundaries, never leaving a character or two alone.
void TestMainWindow::messagesBreakAtPhrases()
{
    QFETCH(QString, text);
    QFETCH(int, characters);
    QFETCH(QStringList, lines);
    const QFontMetrics metrics(layout::makeFont(15));
    const int width = characters * metrics.horizontalAdvance(QChar(0x3000));
    const QString broken = breakMessageText(text, metrics, width);
    QCOMPARE(broken.split(QRegularExpression("[\n\u2028]")), lines);
    QCOMPARE(QString(broken).remove(QChar::LineSeparator), text);

    MessageBoxWatcher boxes;
    showGuideMessage(nullptr, text);
    QCOMPARE(boxes.texts(), QStringList{text});
    for (const QString &line : boxes.boxes().first().shown.split(QRegularExpression("[\n\u2028]")))
        QVERIFY2(line.size() > 2 || text.contains("\n" + line) || line == text, qPrintable(line));
}

void TestMainWindow::firstStartUsesDefaultsAndCloseWritesSettings()
{
    QVERIFY(!QFile::exists(m_iniPath));
    ProgramFolder folder;
    {
        TMainForm form(folder.path());
        form.show();
        QCOMPARE(form.pos(), QPoint(0, 0));
        QVERIFY(pageContext(form).pickSettings() == PickSettings());
        form.move(120, 45);
        control<QAction>(form, "menuFileExit")->trigger();
        QVERIFY(!form.isVisible());
    }
    QVERIFY(QFile::exists(m_iniPath));
    const AppSettings stored(m_iniPath);
    QCOMPARE(stored.readWindowPosition(), QPoint(120, 45));
    QVERIFY(stored.readPickSettings() == PickSettings());
    QFile ini(m_iniPath);
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    for (const char *key : {"Left=", "Top=", "AutoNum=", "RangeNum=", "OptionIndex=", "DeleteNum="})
        QVERIFY2(text.contains(key), key);
}

void TestMainWindow::storedPosition_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("on screen") << QPoint(120, 45) << true;
    QTest::newRow("partly visible") << screen.bottomRight() - QPoint(100, 10) << true;
    QTest::newRow("monitor unplugged") << QPoint(5000, -3000) << false;
    QTest::newRow("far below") << QPoint(-5000, 7000) << false;
}

void TestMainWindow::storedPosition()
{
    QFETCH(QPoint, stored);
    QFETCH(bool, kept);
    {
        AppSettings settings(m_iniPath);
        settings.writeWindowPosition(stored);
        settings.writeString("Options", "OptionIndex", "seven");
    }
    ProgramFolder folder;
    TMainForm form(folder.path());
    if (kept)
        QCOMPARE(form.pos(), stored);
    else
        QVERIFY2(QGuiApplication::primaryScreen()->availableGeometry().contains(form.pos()),
                 qPrintable(QString("%1,%2").arg(form.pos().x()).arg(form.pos().y())));
    QCOMPARE(pageContext(form).pickSettings().optionIndex, 3);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
