// The application slate: deciding and cancelling lines, the count and price panels, the
// drawing of its rows.

#include "TestSupport.h"
#include "gui/pages/MainPage.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace
{

QStringList cells(const char *line)
{
    return QString::fromLatin1(line).split(QLatin1Char(','));
}

} // namespace

class TestSlate : public WindowTest
{
    Q_OBJECT
private slots:
    void decideFillsRowsAndPanels();
    void decideNeedsSixNumbers();
    void decideNeedsADrawNumber_data();
    void decideNeedsADrawNumber();
    void cancelRows();
    void cancelOnEmptySlate();
    void reloadKeepsLinesAndTheirDraws();
    void savingIntoADrawnDrawAsksFirst_data();
    void savingIntoADrawnDrawAsksFirst();
    void rowsAreStripedAndCurrentHighlighted();
    void keyboardAlone();

private:
    void prepare() override;
};

void TestSlate::prepare()
{
    startWindow();
    control<MainPage>(*m_form, "TabSheet1")->setComingDraw(1234);
}

void TestSlate::decideFillsRowsAndPanels()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    decide(form, {38, 3, 42, 17, 25, 11});
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(0),
             cells("1234,03,11,17,25,38,42"));
    QVERIFY(control<StringGrid>(form, "gridSelectItem")->isColumnHidden(0));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("1口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥200"));
    QCOMPARE(control<QGroupBox>(form, "GroupBox1")->property("tag").toInt(),
             0); // the board was cleared
    QVERIFY(!speedButton(form, 3)->isChecked());
    QCOMPARE(pickedImage(form, 1)->property("tag").toInt(), 0);

    decide(form, {3, 11, 17, 25, 38, 42}); // the same line again is accepted
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 2);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(1),
             cells("1234,03,11,17,25,38,42"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->currentRow(), 1);
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("2口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥400"));

    for (int i = 0; i < 10; ++i)
        decide(form, {1, 2, 3, 4, 5, 6});
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("12口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥2,400"));
    // The newest line is selected and scrolled into view, more lines than fit or not.
    StringGrid *grid = control<StringGrid>(form, "gridSelectItem");
    QVERIFY(grid->selectionModel()->isRowSelected(11, QModelIndex()));
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(11, 1))));
    QVERIFY(boxes.boxes().isEmpty());
}

void TestSlate::decideNeedsSixNumbers()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    decide(form, {1, 2, 3, 4, 5});
    QCOMPARE(boxes.texts(),
             QStringList{"６個の数字を全て選択してから、「決定」ボタンをクリックしてください。"});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 0), QString());
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("0口"));
    QCOMPARE(control<QGroupBox>(form, "GroupBox1")->property("tag").toInt(), 5); // the picks stay
}

void TestSlate::decideNeedsADrawNumber_data()
{
    QTest::addColumn<QString>("draw");
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("signed") << "-5";
}

void TestSlate::decideNeedsADrawNumber()
{
    QFETCH(QString, draw);
    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    control<MainPage>(form, "TabSheet1")->setComingDraw(readDrawNumber(draw).value_or(kNoDraw));
    MessageBoxWatcher boxes;
    decide(form, {10, 11, 12, 13, 14, 15});
    QCOMPARE(boxes.boxes().size(), 1);
    QVERIFY2(boxes.texts().first().contains("開催回"), qPrintable(boxes.texts().first()));
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(0),
             cells("1234,01,02,03,04,05,06"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("1口"));
    QCOMPARE(control<QGroupBox>(form, "GroupBox1")->property("tag").toInt(), 6);
}

void TestSlate::cancelRows()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {7, 8, 9, 10, 11, 12});
    decide(form, {13, 14, 15, 16, 17, 18});
    control<StringGrid>(form, "gridSelectItem")->setCurrentRow(0);
    control<QPushButton>(form, "btnCancel")->click();
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 2);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(0),
             cells("1234,07,08,09,10,11,12"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(1),
             cells("1234,13,14,15,16,17,18"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->currentRow(), 0);
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("2口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥400"));

    control<StringGrid>(form, "gridSelectItem")
        ->setCurrentRow(1); // the last row: the current row moves up
    control<QPushButton>(form, "btnCancel")->click();
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->currentRow(), 0);
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("1口"));

    control<QPushButton>(form, "btnCancel")->click(); // the only line
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 1);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(0), QStringList(7, QString()));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("0口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥0"));
    QVERIFY(boxes.boxes().isEmpty());
}

void TestSlate::cancelOnEmptySlate()
{
    MessageBoxWatcher boxes;
    control<QPushButton>(*m_form, "btnCancel")->click();
    QCOMPARE(boxes.texts(), QStringList{"取消する対象のデータがありません。"});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(control<PanelLabel>(*m_form, "pnlSelectMax")->text(), QString("0口"));
}

// A reload moves the coming draw on; the lines already decided keep theirs, and a save files
// each line under its own draw.
void TestSlate::reloadKeepsLinesAndTheirDraws()
{
    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {7, 8, 9, 10, 11, 12});
    decide(form, {13, 14, 15, 16, 17, 18});
    form.btnMmsUpdateClick();
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));
    decide(form, {19, 20, 21, 22, 23, 24});
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 4);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(2),
             cells("1234,13,14,15,16,17,18"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(3),
             cells("2038,19,20,21,22,23,24"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("4口"));
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMoney")->text(), QString("¥800"));

    // Draw 1234 has its results by now: asked first, the lines are kept for it ("いいえ").
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::No);
    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(boxes.texts().size(), 2);
    QVERIFY2(boxes.texts().first().startsWith("第1234回は抽選が終わっていて、抽選結果があります"
                                              "（保存していない申込み数字 3口）。\n"
                                              "次回の第2038回の申込みとして保存しますか？"),
             qPrintable(boxes.texts().first()));
    QCOMPARE(boxes.boxes().first().caption, QString("確認メッセージ"));
    QCOMPARE(boxes.boxes().first().defaultButton, QMessageBox::Cancel);
    QCOMPARE(boxes.texts().last(),
             QString("正常にファイルの保存が完了しました。「申込数字照会・取消し」機能で参照"
                     "してください。\n保存先：client/1234.csv、client/2038.csv"));
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(),
             QString("第1234回に3口、第2038回に1口を保存しました（計4口 ¥800）。"));
    QCOMPARE(m_folder->read("client/1234.csv"),
             QByteArray("1234,01,02,03,04,05,06\r\n1234,07,08,09,10,11,12\r\n"
                        "1234,13,14,15,16,17,18\r\n"));
    QCOMPARE(m_folder->read("client/2038.csv"), QByteArray("2038,19,20,21,22,23,24\r\n"));
}

void TestSlate::savingIntoADrawnDrawAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("coming"); // client/2038.csv afterwards
    QTest::addColumn<QString>("status");
    QTest::newRow("for the coming draw")
        << int(QMessageBox::Yes)
        << QByteArray("2038,01,02,03,04,05,06\r\n2038,07,08,09,10,11,12\r\n")
        << "第2038回に2口を保存しました（計2口 ¥400）。";
    QTest::newRow("not at all")
        << int(QMessageBox::Cancel) << QByteArray()
        << "１～４３までの数字の中から、異なる６個の数字を選択してください。";
}

// A line left from draw 2037, the newest with results, and one for the coming draw 2038.
void TestSlate::savingIntoADrawnDrawAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, coming);
    QFETCH(QString, status);
    TMainForm &form = *m_form;
    control<MainPage>(form, "TabSheet1")->setComingDraw(2037);
    decide(form, {1, 2, 3, 4, 5, 6});
    form.btnMmsUpdateClick();
    decide(form, {7, 8, 9, 10, 11, 12});
    control<QLabel>(form, "pnlMessage.Panel0")->setText(kMainPageGuide);
    MessageBoxWatcher boxes;
    boxes.queueAnswer(QMessageBox::StandardButton(answer));
    control<QPushButton>(form, "btnSave")->click();
    QVERIFY2(boxes.texts().value(0).startsWith("第2037回は抽選が終わっていて"),
             qPrintable(boxes.texts().value(0)));
    QCOMPARE(m_folder->read("client/2038.csv"), coming);
    QVERIFY(!QFile::exists(m_folder->file("client/2037.csv")));
    const QString shown = answer == QMessageBox::Yes ? "2038" : "2037";
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(0, 0), shown);
    QCOMPARE(control<QLabel>(form, "pnlMessage.Panel0")->text(), status);
}

void TestSlate::rowsAreStripedAndCurrentHighlighted()
{
    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    decide(form, {7, 8, 9, 10, 11, 12});
    decide(form, {13, 14, 15, 16, 17, 18});
    control<StringGrid>(form, "gridSelectItem")->setCurrentRow(2);
    const QImage shot = control<StringGrid>(form, "gridSelectItem")->viewport()->grab().toImage();
    const int h = control<StringGrid>(form, "gridSelectItem")->rowHeight(0);
    const int x = control<StringGrid>(form, "gridSelectItem")->columnViewportPosition(1) + 3;
    QCOMPARE(shot.pixelColor(x, 3), QColor(Qt::white));
    const QColor highlight =
        control<StringGrid>(form, "gridSelectItem")->palette().color(QPalette::Highlight);
    QCOMPARE(shot.pixelColor(x, h + 3), QColor(150, 245, 150));
    QCOMPARE(shot.pixelColor(x, 2 * h + 3), highlight);
    control<StringGrid>(form, "gridSelectItem")
        ->setCurrentRow(0); // the highlight follows the current row
    const QImage moved = control<StringGrid>(form, "gridSelectItem")->viewport()->grab().toImage();
    QCOMPARE(moved.pixelColor(x, 3), highlight);
    QCOMPARE(moved.pixelColor(x, 2 * h + 3), QColor(Qt::white));
}

// Tab reaches the board as one stop, the arrows move among the numbers, Space presses one;
// Enter presses the focused "決定" and "保存".
void TestSlate::keyboardAlone()
{
    TMainForm &form = *m_form;
    form.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &form);
    MessageBoxWatcher boxes;
    const auto press = [&form](Qt::Key key) { QTest::keyClick(form.focusWidget(), key); };
    control<QPushButton>(form, "btnAutoCalc")->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(form.focusWidget()->objectName(), QString("SpeedButton1"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space,
                        Qt::Key_Right, Qt::Key_Space, Qt::Key_Up, Qt::Key_Space, Qt::Key_Left,
                        Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space})
        press(key);
    QCOMPARE(form.focusWidget()->objectName(), QString("SpeedButton3"));
    press(Qt::Key_Tab);
    QCOMPARE(form.focusWidget()->objectName(), QString("btnSelect"));
    press(Qt::Key_Return);
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCells(0),
             cells("1234,01,03,11,12,21,22"));
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    QCOMPARE(form.focusWidget()->objectName(), QString("btnSave"));
    press(Qt::Key_Enter);
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(m_folder->read("client/1234.csv"), QByteArray("1234,01,03,11,12,21,22\r\n"));
}

QTEST_MAIN(TestSlate)
#include "tst_slate.moc"
