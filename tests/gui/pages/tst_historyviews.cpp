// The history list sorted by header clicks and striped by position, and the prize table's
// painted cells.

#include "TestSupport.h"
#include "gui/models/HistoryModel.h"
#include "gui/pages/HistoryPage.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/StringGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace
{

void clickHeader(TMainForm &form, int column)
{
    QHeaderView *header = control<QTableView>(form, "viewHistory")->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 8, 6));
}

QStringList columnTexts(const HistoryModel *history, int column)
{
    QStringList texts;
    for (int r = 0; r < history->rowCount(); ++r)
        texts << history->record(r).column(column);
    return texts;
}

// A history of the given draw numbers, newest first as in the file.
void writeDraws(const ProgramFolder &folder, const QList<int> &numbers)
{
    QByteArray draws, prizes;
    for (int d : numbers) {
        draws += QByteArray::number(d) + ",2020/01/" + QByteArray::number(10 + d % 20) +
                 ",01,02,03,04,05,06,07\r\n";
        prizes += QByteArray::number(d) + ",0,0,0,0,0,0,0,0,0,0,0\r\n";
    }
    folder.write("download/Loto6Number.csv", draws);
    folder.write("download/Loto6Data.csv", prizes);
}

// The background of a cell, sampled just inside its left edge where no text is drawn.
QColor cellBackground(QAbstractItemView *view, const QImage &image, int row, int column)
{
    const QRect rect = view->visualRect(view->model()->index(row, column));
    return image.pixelColor(view->viewport()->mapTo(view, QPoint(rect.left() + 3, rect.top() + 3)));
}

} // namespace

class TestHistoryViews : public WindowTest
{
    Q_OBJECT
private slots:
    void sortsByEveryColumn_data();
    void sortsByEveryColumn();
    void draw999GoesBefore1000();
    void keepsTheCurrentDraw();
    void stripesFollowThePositionShown();
    void sortStateSurvivesAReload();
    void prizeTableCells();
};

void TestHistoryViews::sortsByEveryColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("first");    // first text after one click (ascending)
    QTest::addColumn<QString>("reversed"); // first text after a second click
    QTest::newRow("開催回") << 0 << "    1" << QString(" 2037");
    QTest::newRow("抽選日付") << 1 << "2000/10/05" << QString("2025/09/25");
    QTest::newRow("①") << 2 << "01" << QString("27"); // the largest first number ever drawn
    QTest::newRow("⑥") << 7 << "11" << QString("43");
    QTest::newRow("Ｂ") << 8 << "01" << QString("43");
}

void TestHistoryViews::sortsByEveryColumn()
{
    QFETCH(int, column);
    QFETCH(QString, first);
    QFETCH(QString, reversed);
    TMainForm &form = *m_form;
    HistoryModel *history = pageContext(form).historyList();
    const QStringList fileOrder = columnTexts(history, 0);

    clickHeader(form, column);
    QCOMPARE(control<HistoryPage>(form, "TabSheet6")->historySortState(), column + 1);
    QStringList texts = columnTexts(history, column);
    QCOMPARE(texts.first(), first);
    QVERIFY(std::is_sorted(texts.begin(), texts.end()));
    QCOMPARE(history->rowCount(), 2037);

    clickHeader(form, column);
    QCOMPARE(control<HistoryPage>(form, "TabSheet6")->historySortState(), -(column + 1));
    texts = columnTexts(history, column);
    QCOMPARE(texts.first(), reversed);
    QVERIFY(std::is_sorted(texts.rbegin(), texts.rend()));

    // Every draw is still there once, whole.
    QStringList captions = columnTexts(history, 0);
    QStringList sortedFileOrder = fileOrder;
    captions.sort();
    sortedFileOrder.sort();
    QCOMPARE(captions, sortedFileOrder);
}

void TestHistoryViews::draw999GoesBefore1000()
{
    writeDraws(*m_folder, {1001, 1000, 999, 998, 99});
    startWindow();
    TMainForm &form = *m_form;
    clickHeader(form, 0);
    QCOMPARE(columnTexts(pageContext(form).historyList(), 0),
             (QStringList{"   99", "  998", "  999", " 1000", " 1001"}));
    clickHeader(form, 0);
    QCOMPARE(columnTexts(pageContext(form).historyList(), 0),
             (QStringList{" 1001", " 1000", "  999", "  998", "   99"}));
    // A new column starts ascending, equal texts keep the order they had.
    clickHeader(form, 2);
    QCOMPARE(control<HistoryPage>(form, "TabSheet6")->historySortState(), 3);
    QCOMPARE(columnTexts(pageContext(form).historyList(), 0).first(), QString(" 1001"));
}

void TestHistoryViews::keepsTheCurrentDraw()
{
    TMainForm &form = *m_form;
    QCOMPARE(control<QTableView>(form, "viewHistory")->currentIndex().row(), 0);
    clickHeader(form, 1); // oldest first: the newest draw moves to the end
    const QModelIndex current = control<QTableView>(form, "viewHistory")->currentIndex();
    QCOMPARE(current.row(), 2036);
    QCOMPARE(pageContext(form).historyList()->record(current.row()).caption, QString(" 2037"));
}

void TestHistoryViews::stripesFollowThePositionShown()
{
    TMainForm &form = *m_form;
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet6"));
    for (int round = 0; round < 3; ++round) {
        const QImage image = control<QTableView>(form, "viewHistory")->grab().toImage();
        // Row 0 is the selected one; the rows below it alternate white and green.
        for (int row = 1; row <= 6; ++row) {
            const QColor expected = row % 2 ? layout::colour::stripe : layout::colour::white;
            for (int column : {1, 5})
                QCOMPARE(
                    cellBackground(control<QTableView>(form, "viewHistory"), image, row, column),
                    expected);
        }
        clickHeader(form, round == 0 ? 3 : 1);
    }
}

void TestHistoryViews::sortStateSurvivesAReload()
{
    TMainForm &form = *m_form;
    HistoryModel *history = pageContext(form).historyList();
    clickHeader(form, 2); // "①" ascending
    QCOMPARE(history->record(0).main[0], QString("01"));

    form.btnMmsUpdateClick();
    QCOMPARE(control<HistoryPage>(form, "TabSheet6")->historySortState(), 3);
    QCOMPARE(history->record(0).caption, QString(" 2037")); // file order again
    QCOMPARE(control<QLineEdit>(form, "editNewNum")->text(), QString("2038"));

    clickHeader(form, 2); // the state was +3, so this click reverses it
    QCOMPARE(control<HistoryPage>(form, "TabSheet6")->historySortState(), -3);
    QCOMPARE(history->record(0).main[0], QString("27"));
}

void TestHistoryViews::prizeTableCells()
{
    TMainForm &form = *m_form;
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet7"));
    auto *grid = control<StringGrid>(form, "gridMoney");
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QCOMPARE(grid->columnWidth(11), 197);

    // The current row is highlighted, the grid without the focus too; the others are striped.
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    control<QPushButton>(form, "btnChartExec")->setFocus();
    QImage image = grid->grab().toImage();
    QCOMPARE(cellBackground(grid, image, 0, 3), highlight); // data row 1
    QCOMPARE(cellBackground(grid, image, 1, 3), layout::colour::stripe);
    QCOMPARE(cellBackground(grid, image, 2, 3), layout::colour::white);
    QHeaderView *top = grid->horizontalHeader();
    const QPoint header = top->mapTo(grid, QPoint(top->sectionViewportPosition(1) + 5, 12));
    QCOMPARE(image.pixelColor(header), grid->palette().color(QPalette::Button));

    // Amounts sit at the right edge, header texts in the middle.
    grid->setCurrentRow(1);
    image = grid->grab().toImage();
    QCOMPARE(cellBackground(grid, image, 1, 3), highlight);
    QCOMPARE(cellBackground(grid, image, 0, 3), layout::colour::white);
    const QRect cell = grid->visualRect(grid->cells()->index(0, 1)); // "¥0"
    auto inked = [&](int from, int to, int y0, int y1, const QPoint &offset) {
        for (int x = from; x < to; ++x)
            for (int y = y0; y < y1; ++y)
                if (image.pixelColor(offset + QPoint(x, y)).lightness() < 100)
                    return true;
        return false;
    };
    const QPoint viewport = grid->viewport()->mapTo(grid, QPoint());
    QVERIFY(inked(cell.right() - 12, cell.right(), cell.top(), cell.bottom(), viewport));
    QVERIFY(
        !inked(cell.left() + 2, cell.center().x(), cell.top() + 2, cell.bottom() - 2, viewport));
}

QTEST_MAIN(TestHistoryViews)
#include "tst_historyviews.moc"
