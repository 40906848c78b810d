// The number board: picking by hand, the six pictures in ascending order, the seventh pick,
// clearing.

#include "TestSupport.h"
#include "gui/pages/MainPage.h"
#include "gui/widgets/Pictures.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace
{

QList<int> imageTags(const TMainForm &form)
{
    QList<int> tags;
    for (int k = 1; k <= kPicksPerLine; ++k)
        tags << pickedImage(form, k)->property("tag").toInt();
    return tags;
}

int pickedCount(const TMainForm &form)
{
    return control<QGroupBox>(form, "GroupBox1")->property("tag").toInt();
}

QList<int> downButtons(const TMainForm &form)
{
    QList<int> down;
    for (int n = 1; n <= kLotoCount; ++n) {
        if (speedButton(form, n)->isChecked())
            down << n;
    }
    return down;
}

const QString kSeventhPick =
    "既に６個の数字を選択しています。これでよろしければ「決定」ボタンをクリックしてください。"
    "\n\nまた、変更する場合は、選択されている数字を解除するか、「クリア」ボタンをクリックしてく"
    "ださい。";

} // namespace

class TestBoard : public WindowTest
{
    Q_OBJECT
private slots:
    void picturesFollowPicksInAscendingOrder();
    void seventhPickIsRefused();
    void clearEmptiesTheBoard();
    void pickingTwiceRestores();
    void pickByProgram();
};

void TestBoard::picturesFollowPicksInAscendingOrder()
{
    TMainForm &form = *m_form;
    pick(form, {17, 3, 42});
    QCOMPARE(imageTags(form), (QList<int>{3, 17, 42, 0, 0, 0}));
    QCOMPARE(pickedCount(form), 3);
    QCOMPARE(pickedImage(form, 1)->pixmap().toImage(), numberDisc(3).toImage());
    QCOMPARE(pickedImage(form, 2)->pixmap().toImage(), numberDisc(17).toImage());
    QCOMPARE(pickedImage(form, 3)->pixmap().toImage(), numberDisc(42).toImage());
    for (int k = 4; k <= 6; ++k)
        QVERIFY(pickedImage(form, k)->pixmap().isNull());

    pick(form, {17}); // un-pick closes the gap
    QCOMPARE(imageTags(form), (QList<int>{3, 42, 0, 0, 0, 0}));
    QCOMPARE(pickedCount(form), 2);
    QCOMPARE(pickedImage(form, 2)->pixmap().toImage(), numberDisc(42).toImage());
    QVERIFY(pickedImage(form, 3)->pixmap().isNull());
    QCOMPARE(downButtons(form), (QList<int>{3, 42}));
}

void TestBoard::seventhPickIsRefused()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    pick(form, {43, 1, 20, 2, 33, 9});
    QVERIFY(boxes.boxes().isEmpty());
    pick(form, {7});
    QCOMPARE(boxes.texts(), QStringList{kSeventhPick});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Warning);
    QVERIFY(!speedButton(form, 7)->isChecked());
    QCOMPARE(pickedCount(form), 6);
    QCOMPARE(imageTags(form), (QList<int>{1, 2, 9, 20, 33, 43}));

    pick(form, {20, 7}); // un-pick one, then the seventh goes in
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(imageTags(form), (QList<int>{1, 2, 7, 9, 33, 43}));
    QCOMPARE(pickedCount(form), 6);
}

void TestBoard::clearEmptiesTheBoard()
{
    TMainForm &form = *m_form;
    pick(form, {5, 6, 7, 8, 9, 10});
    control<QPushButton>(form, "btnRiset")->click();
    QCOMPARE(downButtons(form), QList<int>());
    QCOMPARE(imageTags(form), (QList<int>{0, 0, 0, 0, 0, 0}));
    QCOMPARE(pickedCount(form), 0);
    for (int k = 1; k <= 6; ++k)
        QVERIFY(pickedImage(form, k)->pixmap().isNull());
    pick(form, {30});
    QCOMPARE(imageTags(form), (QList<int>{30, 0, 0, 0, 0, 0}));
    QCOMPARE(pickedCount(form), 1);
}

void TestBoard::pickingTwiceRestores()
{
    TMainForm &form = *m_form;
    const QImage upLook = speedButton(form, 25)->grab().toImage();
    pick(form, {25});
    QVERIFY(speedButton(form, 25)->grab().toImage().pixelColor(2, 2) != upLook.pixelColor(2, 2));
    pick(form, {25});
    QCOMPARE(speedButton(form, 25)->grab().toImage(), upLook);
    pick(form, {11, 4});
    pick(form, {25, 25});
    QCOMPARE(imageTags(form), (QList<int>{4, 11, 0, 0, 0, 0}));
    QCOMPARE(pickedCount(form), 2);
    QCOMPARE(downButtons(form), (QList<int>{4, 11}));
}

// The line generator sets a button down and runs the toggle handler itself.
void TestBoard::pickByProgram()
{
    TMainForm &form = *m_form;
    MessageBoxWatcher boxes;
    MainPage *page = control<MainPage>(form, "TabSheet1");
    for (int n : {40, 12, 6}) {
        speedButton(form, n)->setChecked(true);
        page->ComSet_SpeedBtnClick(speedButton(form, n));
    }
    QCOMPARE(imageTags(form), (QList<int>{6, 12, 40, 0, 0, 0}));
    page->btnRisetClick();
    QCOMPARE(pickedCount(form), 0);
    QVERIFY(boxes.boxes().isEmpty());
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
