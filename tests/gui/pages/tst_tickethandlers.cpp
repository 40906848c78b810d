// Saving the slate, listing and cancelling stored lines as the player does it, and what a
// failed write leaves behind.

#include "NotRegularFile.h"
#include "TestSupport.h"
#include "gui/pages/MainPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace
{

const QString kSaved = "正常にファイルの保存が完了しました。「申込数字照会・取消し」機能で参照して"
                       "ください。\n保存先：";
const QString kNoData = "保存データがありません…。";
const QString kCanCancel = "取消し処理がおこなえます。";
const QByteArray L1 = "700,01,02,03,04,05,06\r\n", L2 = "700,07,08,09,10,11,12\r\n",
                 L3 = "700,13,14,15,16,17,18\r\n", L4 = "700,19,20,21,22,23,24\r\n",
                 L5 = "700,25,26,27,28,29,30\r\n", Other = "699,01,02,03,04,05,06\r\n";

QStringList cells(const QByteArray &line)
{
    return QString::fromLatin1(line.trimmed()).split(QLatin1Char(','));
}

// The rows the grid paints in red.
QList<int> redRows(StringGrid *grid)
{
    QList<int> red;
    for (int row = 0; row < grid->rowCount(); ++row)
        if (paintedRed(grid, row))
            red.append(row);
    return red;
}

} // namespace

class TestTicketHandlers : public WindowTest
{
    Q_OBJECT
private slots:
    void saveStoresEachLineOnce();
    void saveRefusals_data();
    void saveRefusals();
    void listing_data();
    void listing();
    void cancelOne_data();
    void cancelOne();
    void answeringNoChangesNothing();
    void cancelAfterTheFileChangedRelists();
    void cancelAll_data();
    void cancelAll();
    void ctrlZHidesNoLine_data();
    void ctrlZHidesNoLine();
    void listFollowsAFileDeletedOutside();
    void listIsStripedAndHighlighted();
    void onlyDigitsAreTyped_data();
    void onlyDigitsAreTyped();
    void pastedTextNamesNoFile();
    void saveIntoClientThatIsAFile();
    void lockedClientFolderChangesNothing();
    void cancelledLinesStayCancelled();
    void cancelAllRefusesALineAddedMeanwhile();
    void questionShowsALongLineCut();
    void fifoNamedAsTicketFileIsNamedAtOnce();

private:
    // Writes client/<draw>.csv (unless content is null) and lists it.
    void listFile(const QByteArray &content, const QString &draw = "700");
};

void TestTicketHandlers::listFile(const QByteArray &content, const QString &draw)
{
    if (!content.isNull())
        m_folder->write("client/" + draw + ".csv", content);
    control<SpinEdit>(*m_form, "editLoto6Num")->setText(draw);
    control<QTabWidget>(*m_form, "pctrlMain")
        ->setCurrentWidget(control<QWidget>(*m_form, "TabSheet4"));
}

// Each line is stored once: a second save stores only the lines decided since.
void TestTicketHandlers::saveStoresEachLineOnce()
{
    TMainForm &form = *m_form;
    auto *save = control<QPushButton>(form, "btnSave");
    auto *count = control<PanelLabel>(form, "pnlSelectMax");
    MessageBoxWatcher boxes;
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    decide(form, {3, 11, 17, 25, 38, 42});
    decide(form, {1, 2, 3, 4, 5, 43});
    save->click();
    QCOMPARE(boxes.texts(), QStringList{kSaved + "client/2038.csv"});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    const QByteArray once = "2038,03,11,17,25,38,42\r\n2038,01,02,03,04,05,43\r\n";
    QCOMPARE(m_folder->read("client/2038.csv"), once);
    QCOMPARE(count->text(), QString("2口（保存済み2口）"));

    save->click();
    QCOMPARE(boxes.texts().last(),
             QString("保存する対象のデータがありません（すべて保存済みです）。"));
    QCOMPARE(m_folder->read("client/2038.csv"), once);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 2); // the slate stays

    decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(count->text(), QString("3口（保存済み2口）"));
    save->click();
    QCOMPARE(m_folder->read("client/2038.csv"), once + "2038,01,02,03,04,05,06\r\n");
    QCOMPARE(count->text(), QString("3口（保存済み3口）"));

    // Saved for two draws in a row, the unsaved line goes into each, under that draw's number.
    decide(form, {7, 8, 9, 10, 11, 12});
    QTimer::singleShot(0, &form, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        control<QSpinBox>(*dialog, "editContinuedDraws")->setValue(2);
        dialog->accept();
    });
    control<QAction>(form, "menuCommandSaveContinued")->trigger();
    QCOMPARE(boxes.texts().last(),
             QString("第2038回～第2039回の2回分、各1口を保存しました（計2口 ¥400）。"));
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(), boxes.texts().last());
    QCOMPARE(m_folder->read("client/2038.csv"),
             once + "2038,01,02,03,04,05,06\r\n2038,07,08,09,10,11,12\r\n");
    QCOMPARE(m_folder->read("client/2039.csv"), QByteArray("2039,07,08,09,10,11,12\r\n"));
    QCOMPARE(count->text(), QString("4口（保存済み4口）"));

    // showing the page lists the file
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    auto *list = control<StringGrid>(form, "gridLoto6");
    QCOMPARE(list->rowCount(), 4);
    QCOMPARE(list->rowCells(1), cells("2038,01,02,03,04,05,43"));
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), kCanCancel);
    QVERIFY(
        control<QAction>(form, "menuCommandSaveContinued")->isEnabled()); // the slate's, anywhere
}

void TestTicketHandlers::saveRefusals_data()
{
    QTest::addColumn<QString>("draw"); // the coming draw when a line is decided; null: none
    QTest::addColumn<QStringList>("messages");
    const QString noDraw = "開催回が決まっていないため、決定できません。抽選結果を読み込んでから、"
                           "もう一度操作してください。";
    const QString nothing = "保存する対象のデータがありません。";
    QTest::newRow("empty slate") << QString() << QStringList{nothing};
    QTest::newRow("no draw number") << "" << QStringList{noDraw, nothing};
    QTest::newRow("draw number with a path") << "../1" << QStringList{noDraw, nothing};
    QTest::newRow("draw 0") << "0" << QStringList{noDraw, nothing};
}

// Nothing is written: a line without a draw number that names a file never reaches the slate.
void TestTicketHandlers::saveRefusals()
{
    QFETCH(QString, draw);
    QFETCH(QStringList, messages);
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    if (!draw.isNull()) {
        control<MainPage>(form, "TabSheet1")->setComingDraw(readDrawNumber(draw).value_or(kNoDraw));
        decide(form, {1, 2, 3, 4, 5, 6});
    }
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.texts(), messages);
    QCOMPARE(QDir(m_folder->file("client")).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList());
}

void TestTicketHandlers::listing_data()
{
    QTest::addColumn<QByteArray>("content"); // of client/700.csv, null for none
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QString>("guide");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QList<int>>("invalid"); // rows drawn in red
    QTest::newRow("no file") << QByteArray() << "700" << kNoData << 0 << QList<int>{};
    QTest::newRow("own lines") << L1 + L2 << "700" << kCanCancel << 2 << QList<int>{};
    QTest::newRow("other draw only") << Other + Other << "700" << kCanCancel << 0 << QList<int>{};
    QTest::newRow("mixed draws") << Other + L1 + Other << "700" << kCanCancel << 1 << QList<int>{};
    QTest::newRow("0700 is another file") << L1 + L2 << "0700" << kNoData << 0 << QList<int>{};
    QTest::newRow("blanks around the number") << L1 << " 700 " << kCanCancel << 1 << QList<int>{};
    QTest::newRow("numbers as typed by hand, seven numbers")
        << QByteArray("0700,1,2,3,4,5,6\r\n700,01,02,03,04,05,06,07\r\n") << "700" << kCanCancel
        << 2 << QList<int>{1};
}

void TestTicketHandlers::listing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, draw);
    QFETCH(QString, guide);
    QFETCH(int, listed);
    QFETCH(QList<int>, invalid);
    if (!content.isNull())
        m_folder->write("client/700.csv", content);
    MessageBoxWatcher boxes;
    TMainForm &form = *m_form;
    listFile(QByteArray(), draw);
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), guide);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), qMax(listed, 1));
    if (listed == 0)
        QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(0), QStringList(7, QString()));
    else
        QCOMPARE(control<StringGrid>(form, "gridLoto6")->cell(0, 0).toInt(), 700);
    QCOMPARE(redRows(control<StringGrid>(form, "gridLoto6")), invalid);
    QCOMPARE(control<QPushButton>(form, "btnOneDelete")->isEnabled(), listed > 0);
    QCOMPARE(control<QPushButton>(form, "btnAllDelete")->isEnabled(), listed > 0);
    QVERIFY(boxes.boxes().isEmpty());
}

void TestTicketHandlers::cancelOne_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("named"); // the line the question names
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QList<QByteArray>>("listed"); // afterwards
    QTest::newRow("third of five")
        << L1 + L2 + Other + L3 + L4 + L5 << 2 << "13 14 15 16 17 18" << L1 + L2 + Other + L4 + L5
        << QList<QByteArray>{L1, L2, L4, L5};
    QTest::newRow("only line leaves six commas")
        << L1 << 0 << "01 02 03 04 05 06" << QByteArray(",,,,,,\r\n") << QList<QByteArray>{};
}

// The question names the line, which stays highlighted behind it.
void TestTicketHandlers::cancelOne()
{
    QFETCH(QByteArray, before);
    QFETCH(int, row);
    QFETCH(QString, named);
    QFETCH(QByteArray, after);
    QFETCH(QList<QByteArray>, listed);
    TMainForm &form = *m_form;
    auto *list = control<StringGrid>(form, "gridLoto6");
    auto *cancel = control<QPushButton>(form, "btnOneDelete");
    listFile(before);
    list->setCurrentRow(row);
    MessageBoxWatcher boxes;
    QColor behind;
    boxes.whileShown([&] {
        behind = list->viewport()->grab().toImage().pixelColor(3, row * list->rowHeight(0) + 3);
    });
    boxes.queueAnswer(QMessageBox::Yes);
    cancel->click();
    QCOMPARE(boxes.texts(), QStringList{"『第700回』の申込数字「" + named +
                                        "」が削除されます。元に戻すことは出来ませんが…本当に"
                                        "よろしいですか？"});
    QCOMPARE(behind, list->palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(boxes.boxes().first().caption, QString("確認メッセージ"));
    QCOMPARE(boxes.boxes().first().defaultButton, QMessageBox::No);
    QCOMPARE(m_folder->read("client/700.csv"), after);
    // Listed again from the file, the row below the cancelled one current.
    QCOMPARE(list->rowCount(), qMax(listed.size(), 1));
    for (int r = 0; r < listed.size(); ++r)
        QCOMPARE(list->rowCells(r), cells(listed.at(r)));
    QCOMPARE(list->currentRow(), qMin(row, qMax(listed.size(), 1) - 1));
    QCOMPARE(cancel->isEnabled(), !listed.isEmpty());
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), kCanCancel);
}

void TestTicketHandlers::answeringNoChangesNothing()
{
    TMainForm &form = *m_form;
    listFile(L1 + L2);
    MessageBoxWatcher boxes; // presses the default button, No
    control<QPushButton>(form, "btnOneDelete")->click();
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 2);
    QCOMPARE(boxes.texts().last(), QString("『第700回』全ての申込数字が削除されます。元に戻すことは"
                                           "出来ませんが…本当によろしいですか？"));
    QCOMPARE(boxes.boxes().last().defaultButton, QMessageBox::No);
    QCOMPARE(m_folder->read("client/700.csv"), L1 + L2);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 2);
}

void TestTicketHandlers::cancelAfterTheFileChangedRelists()
{
    TMainForm &form = *m_form;
    listFile(L1 + L2);
    m_folder->write("client/700.csv", L2 + L3 + L1);
    control<StringGrid>(form, "gridLoto6")->setCurrentRow(0);
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnOneDelete")->click();
    QCOMPARE(boxes.boxes().size(), 2);
    QCOMPARE(boxes.boxes().last().caption, QString("ガイドメッセージ"));
    QCOMPARE(m_folder->read("client/700.csv"), L2 + L3 + L1);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(),
             3); // listed again as the file is now
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(0), cells(L2));
}

void TestTicketHandlers::cancelAll_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // null: the file is deleted
    QTest::newRow("own lines only") << L1 + L2 << QByteArray();
    QTest::newRow("lines of other draws stay") << Other + L1 + Other + L2 << Other + Other;
    QTest::newRow("six commas left") << L1 + ",,,,,,\r\n" + L2 << QByteArray();
}

void TestTicketHandlers::cancelAll()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TMainForm &form = *m_form;
    listFile(before);
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(QFile::exists(m_folder->file("client/700.csv")), !after.isNull());
    if (!after.isNull())
        QCOMPARE(m_folder->read("client/700.csv"), after);
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(),
             after.isNull() ? kNoData : kCanCancel);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(0), QStringList(7, QString()));
    QVERIFY(!control<QPushButton>(form, "btnOneDelete")->isEnabled() &&
            !control<QPushButton>(form, "btnAllDelete")->isEnabled());
}

// A file deleted or written by another program: a cancel-all lists what is left, and the list
// follows the file whenever the window comes back to the front.
// Some Windows text tools end a file with Ctrl+Z. Every line around it is listed, checked, kept
// and cancelled as in any file; the Ctrl+Z stays, behind new lines when it ended the file.
void TestTicketHandlers::ctrlZHidesNoLine_data()
{
    QTest::addColumn<QByteArray>("before"); // client/2038.csv
    QTest::addColumn<int>("listed");
    QTest::addColumn<QStringList>("checked"); // the results of the check page
    QTest::addColumn<QByteArray>("afterSave");
    QTest::addColumn<QByteArray>("afterCancelAll"); // null: the file is deleted
    // Draw 2037 drew 07 12 20 23 27 29, bonus 10; draw 2038 has no result yet.
    const QByteArray own1 = "2038,01,02,03,04,05,06\r\n", own2 = "2038,07,08,09,10,11,12\r\n",
                     own3 = "2038,13,14,15,16,17,18\r\n", third = "2037,07,12,20,23,27,01\r\n",
                     saved = "2038,01,02,03,04,05,43\r\n", z = "\x1a";
    const QString tier3 = "３等が当選しました。";
    QTest::newRow("at the end") << own1 + third + z << 1 << QStringList{"", tier3}
                                << own1 + third + saved + z << third + z;
    QTest::newRow("between lines")
        << own1 + own2 + z + third + own3 << 3 << QStringList{"", "", tier3, ""}
        << own1 + own2 + z + third + own3 + saved << z + third;
    QTest::newRow("behind the only line")
        << own1 + z << 1 << QStringList{""} << own1 + saved + z << QByteArray();
}

void TestTicketHandlers::ctrlZHidesNoLine()
{
    QFETCH(QByteArray, before);
    QFETCH(int, listed);
    QFETCH(QStringList, checked);
    QFETCH(QByteArray, afterSave);
    QFETCH(QByteArray, afterCancelAll);
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes; // answers the check's "no draw" message and the save's report
    listFile(before, "2038");
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), listed);

    control<SpinEdit>(form, "editSelectNum")->setText("2038");
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet5"));
    control<QPushButton>(form, "btnExec")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!pageContext(form).isBusy(), 10000); // the check runs on
    QStringList results;
    for (int r = 0; r < control<StringGrid>(form, "gridHitSel")->rowCount(); ++r)
        results << control<StringGrid>(form, "gridHitSel")->cell(r, 7);
    QCOMPARE(results, checked);

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    decide(form, {1, 2, 3, 4, 5, 43});
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(m_folder->read("client/2038.csv"), afterSave);

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), listed + 1);
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(QFile::exists(m_folder->file("client/2038.csv")), !afterCancelAll.isNull());
    if (!afterCancelAll.isNull())
        QCOMPARE(m_folder->read("client/2038.csv"), afterCancelAll);
}

void TestTicketHandlers::listFollowsAFileDeletedOutside()
{
    TMainForm &form = *m_form;
    listFile(L1 + L2);
    QVERIFY(QFile::remove(m_folder->file("client/700.csv")));
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 1);
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), kNoData);

    QWidget elsewhere; // the player switches to another program and back
    const auto comeBack = [&] {
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    };
    m_folder->write("client/700.csv", L1 + L2 + L3);
    comeBack();
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 3);
    QVERIFY(QFile::remove(m_folder->file("client/700.csv")));
    comeBack();
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(0), QStringList(7, QString()));
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), kNoData);
}

// The current row is highlighted, with the focus elsewhere too.
void TestTicketHandlers::listIsStripedAndHighlighted()
{
    auto *list = control<StringGrid>(*m_form, "gridLoto6");
    listFile(L1 + L2 + L3);
    list->setCurrentRow(2);
    QVERIFY(!list->hasFocus());
    const int h = list->rowHeight(0);
    const QImage shot = list->viewport()->grab().toImage();
    QCOMPARE(shot.pixelColor(3, 3), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(3, h + 3), QColor(150, 245, 150));
    QCOMPARE(shot.pixelColor(3, 2 * h + 3), list->palette().color(QPalette::Highlight));
}

void TestTicketHandlers::onlyDigitsAreTyped_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("editLoto6Num") << "editLoto6Num";
    QTest::newRow("editSelectNum") << "editSelectNum";
    QTest::newRow("editAutoSelectMax") << "editAutoSelectMax";
}

void TestTicketHandlers::onlyDigitsAreTyped()
{
    QFETCH(QString, edit);
    auto *field = control<SpinEdit>(*m_form, edit);
    field->setText("");
    QTest::keyClicks(field, "7a+-.b 0");
    QCOMPARE(field->text(), QString("70"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QString("7"));
}

// Text can reach the field without typing (pasting, a program): only digits name a file.
void TestTicketHandlers::pastedTextNamesNoFile()
{
    TMainForm &form = *m_form;
    m_folder->write("1.csv", "../1,01,02,03,04,05,06\r\n");
    m_folder->write("client/1.csv", "../1,01,02,03,04,05,06\r\n");
    listFile(QByteArray(), "../1");
    QCOMPARE(control<PanelLabel>(form, "pnlSeaGuide")->text(), kNoData);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->cell(0, 0), QString());
    QVERIFY(!control<QPushButton>(form, "btnOneDelete")->isEnabled() &&
            !control<QPushButton>(form, "btnAllDelete")->isEnabled());
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes);
    control<TicketListPage>(form, "TabSheet4")->btnAllDeleteClick();
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(QFile::exists(m_folder->file("1.csv")));
}

void TestTicketHandlers::saveIntoClientThatIsAFile()
{
    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    QVERIFY(QDir(m_folder->file("client")).removeRecursively());
    m_folder->write("client", "not a folder");
    MessageBoxWatcher boxes;
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().caption, QString("ロト６ヨルネ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.texts().first().contains("2038.csv"), qPrintable(boxes.texts().first()));
    QCOMPARE(m_folder->read("client"), QByteArray("not a folder"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 1);
}

void TestTicketHandlers::lockedClientFolderChangesNothing()
{
    TMainForm &form = *m_form;
    m_folder->write("client/2038.csv", L1 + L2);
    const QByteArray before = L1 + L2;
    listFile(L1 + L2);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 2);
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    decide(form, {1, 2, 3, 4, 5, 6});

    LockedPath lock(m_folder->file("client"));
    if (!lock.locked())
        QSKIP("running as root on a file system without the immutable attribute: the folder "
              "cannot be made unwritable");

    MessageBoxWatcher boxes;
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().caption, QString("ロト６ヨルネ"));
    QVERIFY2(boxes.texts().first().contains("2038.csv"), qPrintable(boxes.texts().first()));
    QCOMPARE(m_folder->read("client/2038.csv"), before);

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    control<StringGrid>(form, "gridLoto6")->setCurrentRow(1);
    boxes.clear();
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnOneDelete")->click();
    QCOMPARE(boxes.boxes().size(), 2); // the question, then the error report
    QCOMPARE(boxes.boxes().last().caption, QString("ロト６ヨルネ"));
    QCOMPARE(m_folder->read("client/700.csv"), L1 + L2);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 2);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(1), cells(L2));

    boxes.clear();
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 2);
    QCOMPARE(boxes.boxes().last().caption, QString("ロト６ヨルネ"));
    QCOMPARE(m_folder->read("client/700.csv"), L1 + L2);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 2);
    QCOMPARE(QDir(m_folder->file("client")).entryList(QDir::Files),
             (QStringList{"2038.csv", "700.csv"}));
}

// Saved lines the player cancelled on the list are not written again by a later save, nor by
// a continued save; a line decided again with the same numbers is a new line.
void TestTicketHandlers::cancelledLinesStayCancelled()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {7, 8, 9, 10, 11, 12});
    control<QPushButton>(form, "btnSave")->click();
    listFile(QByteArray(), "2038");
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QVERIFY(!QFile::exists(m_folder->file("client/2038.csv")));

    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    decide(form, {13, 14, 15, 16, 17, 18});
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(m_folder->read("client/2038.csv"), QByteArray("2038,13,14,15,16,17,18\r\n"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(),
             QString("3口（保存済み1口、取消済み2口）"));

    decide(form, {19, 20, 21, 22, 23, 24});
    QTimer::singleShot(0, &form, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        control<QSpinBox>(*dialog, "editContinuedDraws")->setValue(2);
        dialog->accept();
    });
    control<QAction>(form, "menuCommandSaveContinued")->trigger();
    QCOMPARE(m_folder->read("client/2039.csv"), QByteArray("2039,19,20,21,22,23,24\r\n"));

    decide(form, {1, 2, 3, 4, 5, 6}); // decided again: saved again
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(m_folder->read("client/2038.csv"),
             QByteArray("2038,13,14,15,16,17,18\r\n2038,19,20,21,22,23,24\r\n"
                        "2038,01,02,03,04,05,06\r\n"));
}

// Another program adds a line of the draw while the list is shown: cancel-all removes nothing,
// says why and lists the file again.
void TestTicketHandlers::cancelAllRefusesALineAddedMeanwhile()
{
    TMainForm &form = *m_form;
    listFile(L1 + L2);
    m_folder->write("client/700.csv", L1 + L2 + L3);
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnAllDelete")->click();
    QCOMPARE(boxes.boxes().size(), 2);
    QVERIFY(boxes.texts().last().startsWith("保存データが一覧の表示後に変更されていたため"));
    QCOMPARE(m_folder->read("client/700.csv"), L1 + L2 + L3);
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCount(), 3);
}

// A line of 100,000 characters is named in the question by its first 40.
void TestTicketHandlers::questionShowsALongLineCut()
{
    TMainForm &form = *m_form;
    listFile("700," + QByteArray(100000, '1') + "\r\n");
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::No);
    control<QPushButton>(form, "btnOneDelete")->click();
    QCOMPARE(boxes.texts(),
             QStringList{"『第700回』の申込数字「" + QString(39, '1') +
                         "…」が削除されます。元に戻すことは出来ませんが…本当によろしいですか？"});
}

// A FIFO named as a ticket file is not opened: typing its draw number names it at once.
void TestTicketHandlers::fifoNamedAsTicketFileIsNamedAtOnce()
{
    TMainForm &form = *m_form;
    QVERIFY(makeNotRegularFile(m_folder->file("client/700.csv")));
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet4"));
    MessageBoxWatcher boxes;
    control<SpinEdit>(form, "editLoto6Num")->setText("700");
    QCOMPARE(boxes.boxes().size(), 1);
    QVERIFY(boxes.texts().first().contains("700.csv"));
    QVERIFY(boxes.texts().first().contains("通常のファイルではありません"));
    QCOMPARE(control<StringGrid>(form, "gridLoto6")->rowCells(0), QStringList(7, QString()));
}

QTEST_MAIN(TestTicketHandlers)
#include "tst_tickethandlers.moc"
