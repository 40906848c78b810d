// The page "オンラインデータ照合" as the player uses it: loading stored lines, checking them
// against a small hand-made history, and what the window allows while a check pauses.

#include "TestSupport.h"
#include "core/results/DrawHistory.h"
#include "gui/models/HistoryModel.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace
{

const QString kNoData = "保存データがありません…。";
const QString kReady = "抽選結果と申込数字を照合します。";
const QString kSeeResults = "抽選結果を確認してください。";
const QString kNoDrawPanel = "抽選結果と照合できません…。";
const QString kNoDrawMessage =
    "抽選結果と照合できません…。最新の抽選データをダウンロードしてください。";
const QString kPageGuide = "オンラインで申込数字とデータ照合を行い、抽選結果を表示します。";

// Three draws, newest first: 11, 10 and 9. The coming draw is 12.
//   11: 05 15 25 35 40 43  bonus 01
//   10: 03 11 19 24 38 42  bonus 07
//    9: 01 02 03 04 05 06  bonus 43
void writeSmallHistory(const ProgramFolder &folder)
{
    folder.write("download/Loto6Number.csv", "11,2001/01/18,5,15,25,35,40,43,1\r\n"
                                             "10,2001/01/11,3,11,19,24,38,42,7\r\n"
                                             "9,2001/01/04,1,2,3,4,5,6,43\r\n");
    folder.write("download/Loto6Data.csv", "11,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                           "10,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                           "9,0,0,0,0,0,0,0,0,0,0,0\r\n");
}

QStringList results(const TMainForm &form)
{
    const auto *grid = control<StringGrid>(form, "gridHitSel");
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts << grid->cell(r, 7);
    return texts;
}

} // namespace

class TestCheckPage : public WindowTest
{
    Q_OBJECT
private slots:
    void loading_data();
    void loading();
    void everyTier();
    void linesOfSeveralDrawsFollowTheHistoryOrder();
    void nothingMatches_data();
    void nothingMatches();
    void pageReloadsWhenShownAndAfterALoad();
    void selectedRowIsHighlightedWithoutFocus();
    void checkEndsOnTheFirstWinInView_data();
    void checkEndsOnTheFirstWinInView();
    void downloadWaitsForTheCheck();
    void stopKeepsTheLinesChecked_data();
    void stopKeepsTheLinesChecked();

private:
    void prepare() override;
    // Writes client/<draw>.csv and shows the page for that draw.
    void showLines(const QString &draw, const QByteArray &content);
    void check();
};

void TestCheckPage::prepare()
{
    m_folder = std::make_unique<ProgramFolder>(false);
    writeSmallHistory(*m_folder);
    startWindow();
    // The page opens on the newest draw, the last with results.
    QCOMPARE(control<SpinEdit>(*m_form, "editSelectNum")->text(), QString("11"));
}

void TestCheckPage::showLines(const QString &draw, const QByteArray &content)
{
    if (!content.isNull())
        m_folder->write("client/" + draw + ".csv", content);
    control<SpinEdit>(*m_form, "editSelectNum")->setText(draw);
    control<QTabWidget>(*m_form, "pctrlMain")
        ->setCurrentWidget(control<QWidget>(*m_form, "TabSheet5"));
}

void TestCheckPage::check()
{
    auto *exec = control<QPushButton>(*m_form, "btnExec");
    QVERIFY(exec->isEnabled());
    exec->click();
    QTRY_VERIFY_WITH_TIMEOUT(!pageContext(*m_form).isBusy(), 10000);
}

void TestCheckPage::loading_data()
{
    QTest::addColumn<QByteArray>("content"); // of client/10.csv, null for none
    QTest::addColumn<QString>("guide");
    QTest::addColumn<QStringList>("shownRows"); // the first seven cells of each row
    QTest::newRow("no file") << QByteArray() << kNoData << QStringList{",,,,,,"};
    QTest::newRow("empty file") << QByteArray("") << kNoData << QStringList{",,,,,,"};
    QTest::newRow("lines of any draw")
        << QByteArray("10,01,02,03,04,05,06\r\n9,07,08,09,10,11,12\r\n") << kReady
        << QStringList{"10,01,02,03,04,05,06", "9,07,08,09,10,11,12"};
    // Six empty fields, each kept as one blank; the comma at the end adds no seventh.
    QTest::newRow("six commas") << QByteArray(",,,,,,\r\n") << kReady
                                << QStringList{" , , , , , ,"};
    QTest::newRow("LF ends, empty lines passed over")
        << QByteArray("\n10,01,02,03,04,05,06\n\r\n \n10,07,08,09,10,11,12\n") << kReady
        << QStringList{"10,01,02,03,04,05,06", "10,07,08,09,10,11,12"};
}

void TestCheckPage::loading()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, guide);
    QFETCH(QStringList, shownRows);
    MessageBoxWatcher boxes;
    showLines("10", content);
    TMainForm &form = *m_form;
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), guide);
    QCOMPARE(control<QPushButton>(form, "btnExec")->isEnabled(), guide == kReady);
    QStringList shown;
    for (int r = 0; r < control<StringGrid>(form, "gridHitSel")->rowCount(); ++r) {
        shown << control<StringGrid>(form, "gridHitSel")->rowCells(r).mid(0, 7).join(',');
        QCOMPARE(control<StringGrid>(form, "gridHitSel")->cell(r, 7), QString());
    }
    QCOMPARE(shown, shownRows);
    QVERIFY(boxes.boxes().isEmpty());
}

// Against draw 10 (03 11 19 24 38 42, bonus 07).
void TestCheckPage::everyTier()
{
    showLines("10", "10,03,11,19,24,38,42\r\n"      // six
                    "10,03,07,11,19,24,38\r\n"      // five and the bonus
                    "10,01,03,11,19,24,38\r\n"      // five
                    "10,03,07,11,19,24,40\r\n"      // four and the bonus
                    "10,01,02,03,11,19,43\r\n"      // three
                    "10,01,02,03,07,11,43\r\n"      // two and the bonus
                    "10,03,03,03,03,03,03\r\n"      // not a valid line
                    "10,3,11,19,24,38,42\r\n"       // "3" is "03": six
                    "10,03,11,19,24,38,42,43\r\n"); // seven numbers: not a line
    TMainForm &form = *m_form;
    control<StringGrid>(form, "gridHitSel")
        ->setCell(5, 7, "old text"); // a result is replaced, empty or not
    MessageBoxWatcher boxes;
    check();
    QCOMPARE(results(form),
             (QStringList{"１等が当選しました。", "２等が当選しました。", "３等が当選しました。",
                          "４等が当選しました。", "５等が当選しました。", "", "無効",
                          "１等が当選しました。", "無効"}));
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->property("tag").toInt(),
             7); // invalid lines are not counted
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kSeeResults);
    // Draw 10 was held 2001/01/11: its prizes could be claimed for a year.
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(),
             QString("支払期限（2002/01/11）を過ぎています。"));
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->currentRow(), 8);
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QVERIFY(!heldProperties(form).contains("ticketLines")); // the page keeps the lines itself

    // A check without a win names no deadline, least of all the one before.
    showLines("11", "11,01,02,03,04,06,07\r\n");
    check();
    QCOMPARE(results(form), QStringList{""});
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(), kPageGuide);
}

// The history is walked newest first and, within one draw, the lines in file order; the
// selection visits each matched line in that order and stays on the last.
void TestCheckPage::linesOfSeveralDrawsFollowTheHistoryOrder()
{
    showLines("12", "10,01,02,03,11,19,43\r\n"   // draw 10: three hits
                    "9,01,02,03,04,05,06\r\n"    // draw 9: six
                    "99,01,02,03,04,05,06\r\n"   // no such draw
                    "11,01,05,15,25,35,42\r\n"   // draw 11: four and the bonus
                    " 9 ,01,02,03,04,05,07\r\n"  // blanks around: still draw 9, five
                    "09,01,02,03,04,05,06\r\n"); // "09" is draw 9 too
    TMainForm &form = *m_form;
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->rowCount(), 6);
    QList<int> visited;
    connect(control<StringGrid>(form, "gridHitSel")->selectionModel(),
            &QItemSelectionModel::currentRowChanged, this,
            [&visited](const QModelIndex &now) { visited << now.row(); });
    QElapsedTimer clock;
    clock.start();
    check();
    QVERIFY2(clock.elapsed() >= 5 * 200, "each matched line pauses 200 ms");
    QCOMPARE(visited, (QList<int>{3, 0, 1, 4, 5}));
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->currentRow(), 5);
    QCOMPARE(results(form),
             (QStringList{"５等が当選しました。", "１等が当選しました。", "",
                          "４等が当選しました。", "３等が当選しました。", "１等が当選しました。"}));
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->property("tag").toInt(), 5);
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kSeeResults);

    // Sorted by draw number, oldest first, the history list walks draw 9 first.
    pageContext(form).historyList()->sortRows([&form](int a, int b) {
        return pageContext(form).historyList()->record(a).number <
               pageContext(form).historyList()->record(b).number;
    });
    visited.clear();
    check();
    QCOMPARE(visited, (QList<int>{1, 4, 5, 0, 3}));
}

void TestCheckPage::nothingMatches_data()
{
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("emptyHistory");
    QTest::newRow("the coming draw") << "12" << QByteArray("12,01,02,03,04,05,06\r\n") << false;
    QTest::newRow("six commas") << "10" << QByteArray(",,,,,,\r\n") << false;
    QTest::newRow("empty history") << "10" << QByteArray("10,03,11,19,24,38,42\r\n") << true;
}

void TestCheckPage::nothingMatches()
{
    QFETCH(QString, draw);
    QFETCH(QByteArray, content);
    QFETCH(bool, emptyHistory);
    TMainForm &form = *m_form;
    showLines(draw, content);
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kReady);
    if (emptyHistory) {
        // The history empties while the pages keep what they show.
        QObject::disconnect(pageContext(form).history(), nullptr, &form, nullptr);
        pageContext(form).history()->set({});
    }
    MessageBoxWatcher boxes;
    check();
    QCOMPARE(boxes.texts(), QStringList{kNoDrawMessage});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kNoDrawPanel);
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->property("tag").toInt(), 0);
    QCOMPARE(results(form), QStringList{""});
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled() &&
            control<QPushButton>(form, "btnExec")->isEnabled());
}

void TestCheckPage::checkEndsOnTheFirstWinInView_data()
{
    QTest::addColumn<int>("win"); // the row of the one winning line among 20
    QTest::newRow("the first row") << 0;
    QTest::newRow("the last row") << 19;
}

// After a walk through more lines than the list shows, the first winning line lies whole
// below the header; the selection stays on the last line checked.
void TestCheckPage::checkEndsOnTheFirstWinInView()
{
    QFETCH(int, win);
    QByteArray lines;
    for (int row = 0; row < 20; ++row)
        lines += row == win ? "11,05,15,25,35,40,43\r\n" : "11,01,02,03,04,06,07\r\n";
    showLines("11", lines);
    MessageBoxWatcher boxes;
    check();
    auto *grid = control<StringGrid>(*m_form, "gridHitSel");
    QCOMPARE(grid->currentRow(), 19);
    const QRect shown = grid->visualRect(grid->model()->index(win, 1));
    QVERIFY2(shown.top() >= 0 && shown.bottom() < grid->viewport()->height(),
             qPrintable(QString("%1..%2").arg(shown.top()).arg(shown.bottom())));
}

void TestCheckPage::pageReloadsWhenShownAndAfterALoad()
{
    TMainForm &form = *m_form;
    showLines("10", "10,03,11,19,24,38,42\r\n");
    check();
    QCOMPARE(results(form), QStringList{"１等が当選しました。"});

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    m_folder->write("client/10.csv", "10,03,11,19,24,38,42\r\n10,01,02,03,04,05,06\r\n");
    control<QLabel>(form, "pnlMessage.Panel0")->clear();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet5"));
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(), kPageGuide);
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->rowCount(), 2);
    QCOMPARE(results(form), (QStringList{"", ""})); // the results went with the old rows
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kReady);

    // A results load sets the newest draw, which loads that draw's lines.
    m_folder->write("client/11.csv", "11,01,02,03,04,05,06\r\n");
    form.btnMmsUpdateClick();
    QCOMPARE(control<SpinEdit>(form, "editSelectNum")->text(), QString("11"));
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->cell(0, 0), QString("11"));

    QVERIFY(QFile::remove(m_folder->file("client/11.csv")));
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet5"));
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), kNoData);
    QVERIFY(!control<QPushButton>(form, "btnExec")->isEnabled());
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->rowCells(0).mid(0, 7),
             QStringList(7, QString()));
}

void TestCheckPage::selectedRowIsHighlightedWithoutFocus()
{
    TMainForm &form = *m_form;
    showLines("10", "10,01,02,03,04,05,06\r\n10,01,02,03,04,05,07\r\n10,01,02,03,04,05,08\r\n");
    control<StringGrid>(form, "gridHitSel")->setCurrentRow(1);
    QVERIFY(!control<StringGrid>(form, "gridHitSel")->hasFocus());
    const int h = control<StringGrid>(form, "gridHitSel")->rowHeight(0);
    const QImage shot = control<StringGrid>(form, "gridHitSel")->viewport()->grab().toImage();
    QCOMPARE(shot.pixelColor(3, 3), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(3, h + 3),
             control<StringGrid>(form, "gridHitSel")->palette().color(QPalette::Highlight));
    QCOMPARE(shot.pixelColor(3, 2 * h + 3), QColor(Qt::white));
    control<StringGrid>(form, "gridHitSel")->setCurrentRow(0);
    const QImage after = control<StringGrid>(form, "gridHitSel")->viewport()->grab().toImage();
    QCOMPARE(after.pixelColor(3, h + 3), QColor(150, 245, 150));
}

// The page shows the check under way, in its colours, and takes no input meanwhile but the
// stop; a download asked for meanwhile is refused, so the history stays as the check reads it.
void TestCheckPage::downloadWaitsForTheCheck()
{
    TMainForm &form = *m_form;
    auto *pages = control<QTabWidget>(form, "pctrlMain");
    auto *draw = control<SpinEdit>(form, "editSelectNum");
    showLines("10", "10,03,11,19,24,38,42\r\n10,01,02,03,11,19,43\r\n");
    MessageBoxWatcher boxes;
    bool pagesEnabled = false;
    bool waitCursor = false;
    QString guideDuring, drawDuring;
    QTimer::singleShot(50, &form, [&] {
        guideDuring = control<PanelLabel>(form, "pnlHitGuide")->text();
        waitCursor = QGuiApplication::overrideCursor() &&
                     QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
        pagesEnabled = pages->isEnabled() && draw->isEnabled();
        QTest::keyClick(draw, Qt::Key_End);
        QTest::keyClick(draw, '5');
        drawDuring = draw->text();
        control<QAction>(form, "menuCommandDownload")->trigger();
    });
    check();
    QVERIFY(pagesEnabled);
    QCOMPARE(drawDuring, QString("10"));
    QVERIFY(waitCursor);
    QCOMPARE(guideDuring, QString("抽選結果と照合中です…。"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(boxes.texts(),
             QStringList{"実行中の処理が終わってから、もう一度ダウンロードを行ってください。"});
    QCOMPARE(results(form), (QStringList{"１等が当選しました。", "５等が当選しました。"}));
    QCOMPARE(pageContext(form).historyList()->rowCount(), 3);
}

void TestCheckPage::stopKeepsTheLinesChecked_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("the stop button") << "button";
    QTest::newRow("its access key") << "Alt+S";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("closing the window") << "close";
}

// A check of many lines stops within a second, however it is stopped; the results shown so far
// stay, and the page is ready for the next check. A close then goes on.
void TestCheckPage::stopKeepsTheLinesChecked()
{
    QFETCH(QString, how);
    TMainForm &form = *m_form;
    showLines("11", QByteArray("11,05,15,25,35,40,43\r\n").repeated(1000));
    auto *exec = control<QPushButton>(form, "btnExec");
    auto *stop = control<QPushButton>(form, "btnCheckStop");
    QVERIFY(!stop->isEnabled());
    QCOMPARE(stop->accessibleName(), QString("照合の中止"));
    MessageBoxWatcher boxes;
    QTest::mouseClick(exec, Qt::LeftButton);
    QVERIFY(stop->isEnabled() && !exec->isEnabled());
    QTest::qWait(700); // a few lines, each held in view
    if (how == "button")
        QTest::mouseClick(stop, Qt::LeftButton);
    else if (how == "close")
        form.close();
    else
        QTest::keyClick(QApplication::focusWidget(), how == "Esc" ? Qt::Key_Escape : Qt::Key_S,
                        how == "Esc" ? Qt::NoModifier : Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!pageContext(form).isBusy(), 1000); // within a second
    const QStringList shown = results(form);
    const int checked = int(shown.size() - shown.count(QString()));
    QVERIFY2(checked >= 2 && checked < 20, qPrintable(QString::number(checked)));
    QCOMPARE(shown.mid(0, checked), QStringList(checked, "１等が当選しました。"));
    QCOMPARE(control<StringGrid>(form, "gridHitSel")->rowCount(), 1000);
    QCOMPARE(control<PanelLabel>(form, "pnlHitGuide")->text(), QString("照合を中止しました。"));
    QVERIFY(exec->isEnabled() && !stop->isEnabled());
    QVERIFY(boxes.texts().isEmpty());
    QTRY_COMPARE(form.isVisible(), how != "close"); // the close goes on after the stop
}

QTEST_MAIN(TestCheckPage)
#include "tst_checkpage.moc"
