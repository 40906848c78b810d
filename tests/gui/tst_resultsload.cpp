// The results load as the player sees it: start-up with the bundled history, a missing file,
// a malformed file.

#include "TestSupport.h"
#include "core/common/DomainError.h"
#include "core/results/ResultsReplace.h"
#include "gui/models/HistoryModel.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"

#include <QLineEdit>
#include <QSaveFile>
#include <QTableView>
#include <QTest>

class TestResultsLoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsWithBundledHistory();
    void missingFileClosesTheWindow_data();
    void missingFileClosesTheWindow();
    void malformedFileAtStartLeavesViewsEmpty_data();
    void malformedFileAtStartLeavesViewsEmpty();
    void malformedFileOnReloadKeepsWhatWasLoaded();
    void singleLineHistory();
    void emptyLineInTheMiddleEndsTheHistory();
    void replacementCutShortBeforeAStart_data();
    void replacementCutShortBeforeAStart();

private:
    QTemporaryDir m_settingsDir;
};

void TestResultsLoad::initTestCase()
{
    isolateSettings(m_settingsDir);
}

void TestResultsLoad::startsWithBundledHistory()
{
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();

    QVERIFY(boxes.boxes().isEmpty());
    HistoryModel *history = pageContext(form).historyList();
    QCOMPARE(history->rowCount(), 2037);
    QCOMPARE(control<QTableView>(form, "viewHistory")->currentIndex().row(), 0);
    QStringList row0;
    for (int c = 0; c < HistoryModel::kColumns; ++c)
        row0 << history->index(0, c).data().toString();
    QCOMPARE(row0, (QStringList{" 2037", "2025/09/25", "07", "12", "20", "23", "27", "29", "10"}));
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    // The check opens on the newest draw, the last with results.
    QCOMPARE(control<SpinEdit>(form, "editSelectNum")->text(), QString("2037"));
    QCOMPARE(control<SpinEdit>(form, "editLoto6Num")->text(), QString("2038"));

    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 2037);
    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCells(0),
             (QStringList{"2037", "¥0", "0", "¥19,538,100", "3", "¥252,100", "251", "¥5,300",
                          "12,515", "¥1,000", "188,891", "¥195,374,667"}));
    QCOMPARE(pageContext(form).baseCountTable()[0][6] > 0, true);
    QCOMPARE(form.windowTitle(), QString("ロト６ヨルネ  [for Version 2.3.1.504]"));
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
}

void TestResultsLoad::missingFileClosesTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: the file is removed
    QTest::newRow("draws missing") << "Loto6Number.csv" << QByteArray();
    QTest::newRow("prizes missing") << "Loto6Data.csv" << QByteArray();
    QTest::newRow("draws zero bytes") << "Loto6Number.csv" << QByteArray("");
    QTest::newRow("prizes empty first line") << "Loto6Data.csv" << QByteArray("\r\n1,0\r\n");
}

void TestResultsLoad::missingFileClosesTheWindow()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    ProgramFolder folder;
    if (content.isNull())
        QVERIFY(QFile::remove(folder.file("download/" + file)));
    else
        folder.write("download/" + file, content);

    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(boxes.texts(), QStringList{"必須データファイルが見つかりませんでした。"
                                        "システム管理者に連絡してください！！"});
    QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QTRY_VERIFY(!form.isVisible());
}

void TestResultsLoad::malformedFileAtStartLeavesViewsEmpty_data()
{
    QTest::addColumn<qint64>("size"); // of Loto6Number.csv, after a bad date in line 8
    QTest::addColumn<QStringList>("told");
    QTest::newRow("bad date") << qint64(0)
                              << QStringList{"Loto6Number.csv", "8 行目", "2025/09/4x"};
    QTest::newRow("over 16 MiB, refused unread")
        << kMaxResultsFileBytes + 1 << QStringList{"download/Loto6Number.csv", "16 MiB"};
}

void TestResultsLoad::malformedFileAtStartLeavesViewsEmpty()
{
    QFETCH(qint64, size);
    QFETCH(QStringList, told);
    ProgramFolder folder;
    QByteArray draws = bundledFile("Loto6Number.csv");
    draws.replace("2030,2025/09/01", "2030,2025/09/4x"); // line 8
    folder.write("download/Loto6Number.csv", draws);
    if (size > 0)
        QVERIFY(QFile::resize(folder.file("download/Loto6Number.csv"), size));

    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(boxes.boxes().size(), 1);
    const QString text = boxes.boxes().first().text;
    for (const QString &part : told)
        QVERIFY2(text.contains(part), qPrintable(text));
    QCOMPARE(boxes.boxes().first().caption, QString("ロト６ヨルネ"));
    QCOMPARE(pageContext(form).historyList()->rowCount(), 0);
    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridMoney")->cell(0, 0), QString());
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString());
    QVERIFY(form.isVisible()); // the program carries on
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
}

void TestResultsLoad::malformedFileOnReloadKeepsWhatWasLoaded()
{
    ProgramFolder folder;
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    const BaseCountTable before = pageContext(form).baseCountTable();

    QByteArray prizes = bundledFile("Loto6Data.csv");
    prizes.replace("2035,0,0,", "2035,0,0,,"); // line 3 gets a thirteenth field
    folder.write("download/Loto6Data.csv", prizes);
    folder.write("download/Loto6Number.csv", "3000,2030/01/01,1,2,3,4,5,6,7\r\n");
    QVERIFY_THROWS_EXCEPTION(DomainError, form.btnMmsUpdateClick());

    QCOMPARE(pageContext(form).historyList()->rowCount(), 2037);
    QCOMPARE(pageContext(form).historyList()->record(0).caption, QString(" 2037"));
    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 2037);
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    QVERIFY(pageContext(form).baseCountTable() == before);
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QVERIFY(control<QWidget>(form, "TabSheet1")->isEnabled());
}

void TestResultsLoad::singleLineHistory()
{
    ProgramFolder folder;
    folder.write("download/Loto6Number.csv", "999,2010/01/07,1,2,3,4,5,43,44\r\n");
    folder.write("download/Loto6Data.csv", "999,1,2,3,4,5,6,7,8,9,10,11\r\n");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    // Loaded, and the draw that breaks the rules of a draw is named, for a download to mend.
    QCOMPARE(boxes.texts(),
             QStringList{"download/Loto6Number.csv に正しくない抽選結果があります。\n"
                         "第999回：ボーナス数字 44 が 1～43 の範囲にありません。\n"
                         "最新の抽選結果をダウンロードしてください。"});
    QCOMPARE(pageContext(form).historyList()->rowCount(), 1);
    QCOMPARE(pageContext(form).historyList()->record(0).bonus, QString("44"));
    QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 1);
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("1000"));
}

void TestResultsLoad::emptyLineInTheMiddleEndsTheHistory()
{
    ProgramFolder folder;
    folder.write("download/Loto6Number.csv",
                 "3,2000/10/19,1,2,3,4,5,6,7\r\n2,2000/10/12,1,2,3,4,5,6,7\r\n\r\n"
                 "1,2000/10/05,bad\r\n");
    folder.write("download/Loto6Data.csv",
                 "3,0,0,0,0,0,0,0,0,0,0,0\r\n2,0,0,0,0,0,0,0,0,0,0,0\r\n\r\n1,bad\r\n");
    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QVERIFY(boxes.boxes().isEmpty());
    QCOMPARE(pageContext(form).historyList()->rowCount(), 2);
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("4"));
}

void TestResultsLoad::replacementCutShortBeforeAStart_data()
{
    QTest::addColumn<bool>("journalKept");
    QTest::newRow("completed from the journal") << true;
    QTest::newRow("without a journal, the odd pair is told") << false;
}

// A replacement of the two files ends with the program right after the draw list has been
// renamed into place; the next start loads a pair that belongs together, or says it does not.
void TestResultsLoad::replacementCutShortBeforeAStart()
{
    QFETCH(bool, journalKept);
    ProgramFolder folder;
    const QByteArray draws = "2038,2025/09/29,1,2,3,4,5,6,7\r\n" + bundledFile("Loto6Number.csv");
    const QByteArray prizes = "2038,0,0,0,0,0,0,0,0,0,0,0\r\n" + bundledFile("Loto6Data.csv");
    struct ProgramEnded {
    };
    int commits = 0;
    try {
        replaceResultsFiles(folder.file("download/"), draws, prizes, [&commits](StagedFile &file) {
            if (++commits == 2)
                throw ProgramEnded{};
            commitStaged(file);
        });
        QFAIL("the replacement should have been cut short");
    } catch (const ProgramEnded &) {
    }
    QCOMPARE(folder.read("download/Loto6Number.csv"), draws);
    QCOMPARE(folder.read("download/Loto6Data.csv"), bundledFile("Loto6Data.csv"));
    const QString journal = folder.file("download/" + kPairJournalName);
    QVERIFY(QFile::exists(journal));
    if (!journalKept)
        QVERIFY(QFile::remove(journal));

    MessageBoxWatcher boxes;
    TMainForm form(folder.path());
    form.show();
    QCOMPARE(pageContext(form).historyList()->rowCount(), 2038);
    QVERIFY(!QFile::exists(journal));
    if (journalKept) {
        QCOMPARE(boxes.texts(), QStringList{"前回終了時に中断された抽選結果ファイルの更新を完了しま"
                                            "した（Loto6Number.csv、Loto6Data.csv）。"});
        QCOMPARE(folder.read("download/Loto6Data.csv"), prizes);
        QCOMPARE(control<StringGrid>(form, "gridMoney")->rowCount(), 2038);
    } else {
        QCOMPARE(boxes.texts(),
                 QStringList{"抽選結果の 2 つのファイルが対応していません（1 行目：Loto6Number.csv "
                             "は第2038回、Loto6Data.csv は第2037回）。最新の抽選結果を"
                             "ダウンロードしてください。"});
        QCOMPARE(boxes.boxes().first().caption, QString("エラーメッセージ"));
    }
}

QTEST_MAIN(TestResultsLoad)
#include "tst_resultsload.moc"
