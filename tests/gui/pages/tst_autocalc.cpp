// Automatic generation as the player sees it: the board lights up number by number and the
// slate grows by admissible lines; a run never hangs and never outlives its window.
// Every accepted number costs a real 50 ms, so the runs here are a few lines long.

#include "TestSupport.h"
#include "gui/models/HistoryModel.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace
{

// The numbers of the slate's data rows (columns 1..6).
QList<QList<int>> slateLines(const TMainForm &form)
{
    QList<QList<int>> lines;
    for (int r = 0; r < control<StringGrid>(form, "gridSelectItem")->rowCount(); ++r) {
        if (control<StringGrid>(form, "gridSelectItem")->cell(r, 0).isEmpty())
            continue;
        QList<int> numbers;
        for (int c = 1; c <= 6; ++c)
            numbers.append(control<StringGrid>(form, "gridSelectItem")->cell(r, c).toInt());
        lines.append(numbers);
    }
    return lines;
}

// Six different numbers 1..43, ascending, each written with two digits.
bool isSortedLine(const TMainForm &form, int row)
{
    int previous = 0;
    for (int c = 1; c <= 6; ++c) {
        const QString text = control<StringGrid>(form, "gridSelectItem")->cell(row, c);
        if (text.size() != 2 || text.toInt() <= previous || text.toInt() > 43)
            return false;
        previous = text.toInt();
    }
    return true;
}

bool boardIsEmpty(const TMainForm &form)
{
    for (int n = 1; n <= 43; ++n) {
        if (speedButton(form, n)->isChecked())
            return false;
    }
    for (int k = 1; k <= 6; ++k) {
        if (pickedImage(form, k)->property("tag").toInt() != 0)
            return false;
    }
    return control<QGroupBox>(form, "GroupBox1")->property("tag").toInt() == 0;
}

// Records the numbers pressed down on the board, in the order they went down.
class PressRecorder : public QObject
{
public:
    explicit PressRecorder(TMainForm &form)
    {
        for (int n = 1; n <= 43; ++n) {
            connect(speedButton(form, n), &QToolButton::toggled, this, [this, n](bool down) {
                if (down)
                    pressed.append(n);
            });
        }
    }
    QList<int> pressed;
};

} // namespace

class TestAutoCalc : public WindowTest
{
    Q_OBJECT
private slots:
    void emptyLineCountChangesNothing();
    void randomLinesAreAppended();
    void appliedExclusionsNeverAppear();
    void countFilterFollowsTheOrderOfAcceptance();
    void starvedPositionEndsTheRun();
    void nonIntegerThresholdEndsTheRun();
    void closeWaitsForTheRun();
    void downloadIsRefusedDuringTheRun();

private:
    void prepare() override;

    std::unique_ptr<MessageBoxWatcher> m_boxes;
};

void TestAutoCalc::prepare()
{
    m_boxes = std::make_unique<MessageBoxWatcher>();
    startWindow();
    QVERIFY(m_boxes->boxes().isEmpty());
}

void TestAutoCalc::emptyLineCountChangesNothing()
{
    TMainForm &form = *m_form;
    pick(form, {4, 8});
    control<SpinEdit>(form, "editAutoSelectMax")->setText(" ");
    control<QPushButton>(form, "btnAutoCalc")->click();
    QCOMPARE(m_boxes->texts(), QStringList{"連続申込み口数が入力されていません。"});
    QCOMPARE(m_boxes->boxes().first().caption, QString("ガイドメッセージ"));
    QVERIFY(speedButton(form, 4)->isChecked()); // the board is left alone
    QCOMPARE(slateLines(form).size(), 0);
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
}

void TestAutoCalc::randomLinesAreAppended()
{
    TMainForm &form = *m_form;
    control<QRadioButton>(form, "RadioButton2")->click();
    pick(form, {1, 2, 3, 4, 5, 6});
    control<QPushButton>(form, "btnSelect")->click();
    QCOMPARE(slateLines(form).size(), 1);

    PressRecorder recorder(form);
    control<SpinEdit>(form, "editAutoSelectMax")->setText("3");
    // Mid-run the page keeps its colours (it stays enabled) but ignores the player.
    bool enabledMidRun = false;
    QTimer::singleShot(100, &form, [&] {
        enabledMidRun = control<QWidget>(form, "TabSheet1")->isEnabled() &&
                        speedButton(form, 1)->isEnabled() &&
                        control<StringGrid>(form, "gridSelectItem")->isEnabled();
        QTest::mouseClick(control<QPushButton>(form, "btnCancel"), Qt::LeftButton);
    });
    control<QPushButton>(form, "btnAutoCalc")->click();
    QVERIFY(enabledMidRun);

    QVERIFY(m_boxes->boxes().isEmpty());
    const QList<QList<int>> lines = slateLines(form);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.first(), (QList<int>{1, 2, 3, 4, 5, 6}));
    for (int r = 1; r <= 3; ++r) {
        QVERIFY2(isSortedLine(form, r),
                 qPrintable(control<StringGrid>(form, "gridSelectItem")->rowCells(r).join(',')));
        QCOMPARE(control<StringGrid>(form, "gridSelectItem")->cell(r, 0),
                 control<QLineEdit>(form, "editNewNum")->text());
    }
    QCOMPARE(recorder.pressed.size(), 18); // each number pressed once, one after the other
    QCOMPARE(control<PanelLabel>(form, "pnlSelectMax")->text(), QString("4口"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->currentRow(), 3);
    QVERIFY(boardIsEmpty(form));
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestAutoCalc::appliedExclusionsNeverAppear()
{
    TMainForm &form = *m_form;
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<QRadioButton>(form, "RadioButton3")->click();
    for (int n = 1; n <= 20; ++n)
        QTest::mouseClick(numberPanel(form, n), Qt::LeftButton);
    control<QPushButton>(form, "btnUpdate")->click();
    QCOMPARE(pageContext(form).pickSettings().deleteNum.size(), 60);
    m_boxes->clear();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));

    pick(form, {1, 2}); // picked by hand before the run: dropped by its first clear
    control<SpinEdit>(form, "editAutoSelectMax")->setText("2");
    control<QPushButton>(form, "btnAutoCalc")->click();

    QVERIFY(m_boxes->boxes().isEmpty());
    const QList<QList<int>> lines = slateLines(form);
    QCOMPARE(lines.size(), 2);
    for (const QList<int> &line : lines) {
        for (int n : line)
            QVERIFY2(n > 20, qPrintable(QString::number(n)));
    }
    QVERIFY(boardIsEmpty(form));
}

void TestAutoCalc::countFilterFollowsTheOrderOfAcceptance()
{
    TMainForm &form = *m_form;
    QVERIFY(control<QRadioButton>(form, "RadioButton4")->isChecked());
    control<SpinEdit>(form, "editSelectRange")->setText("60"); // as typed, without "反映"
    PressRecorder recorder(form);
    control<SpinEdit>(form, "editAutoSelectMax")->setText("2");
    control<QPushButton>(form, "btnAutoCalc")->click();

    QVERIFY2(m_boxes->boxes().isEmpty(), qPrintable(m_boxes->texts().join('\n')));
    QCOMPARE(slateLines(form).size(), 2);
    QCOMPARE(recorder.pressed.size(), 12);
    const auto counts = bundledPositionCounts();
    for (int i = 0; i < recorder.pressed.size(); ++i) {
        const int position = i % 6;
        const int n = recorder.pressed.at(i);
        QVERIFY2(counts[position][n] >= 60, qPrintable(QString("%1 at position %2: %3")
                                                           .arg(n)
                                                           .arg(position + 1)
                                                           .arg(counts[position][n])));
    }
    // The slate holds the lines sorted, whatever the order of acceptance.
    QList<int> first = recorder.pressed.mid(0, 6);
    std::sort(first.begin(), first.end());
    QCOMPARE(slateLines(form).first(), first);
}

void TestAutoCalc::starvedPositionEndsTheRun()
{
    TMainForm &form = *m_form;
    pick(form, {7, 8, 9, 10, 11, 12});
    control<QPushButton>(form, "btnSelect")->click();
    // Some numbers reach 115 at ① and ②, none at ③.
    control<SpinEdit>(form, "editSelectRange")->setText("115");
    PressRecorder recorder(form);
    control<SpinEdit>(form, "editAutoSelectMax")->setText("3");
    QElapsedTimer clock;
    clock.start();
    control<QPushButton>(form, "btnAutoCalc")->click();

    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(m_boxes->texts(),
             QStringList{"1口目の基本数字③に選べる数字が残っていないため、自動選択を中止しました。"
                         "過去の抽選回数を変更してください。"});
    QCOMPARE(m_boxes->boxes().first().caption, QString("ガイドメッセージ"));
    const auto counts = bundledPositionCounts();
    QCOMPARE(recorder.pressed.size(), 2);
    QVERIFY(counts[0][recorder.pressed.at(0)] >= 115);
    QVERIFY(counts[1][recorder.pressed.at(1)] >= 115);
    QCOMPARE(slateLines(form), (QList<QList<int>>{{7, 8, 9, 10, 11, 12}}));
    QVERIFY(boardIsEmpty(form));
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestAutoCalc::nonIntegerThresholdEndsTheRun()
{
    TMainForm &form = *m_form;
    control<SpinEdit>(form, "editSelectRange")->setText("-");
    pick(form, {30, 31});
    control<QPushButton>(form, "btnAutoCalc")->click();
    QCOMPARE(m_boxes->boxes().size(), 1);
    QCOMPARE(m_boxes->boxes().first().caption, QString("ロト６ヨルネ"));
    QCOMPARE(m_boxes->boxes().first().icon, QMessageBox::Critical);
    QVERIFY2(m_boxes->texts().first().contains("'-'"), qPrintable(m_boxes->texts().first()));
    QVERIFY(boardIsEmpty(form)); // cleared before the first draw
    QCOMPARE(slateLines(form).size(), 0);
    QVERIFY(control<QTabWidget>(form, "pctrlMain")->isEnabled());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestAutoCalc::closeWaitsForTheRun()
{
    TMainForm &form = *m_form;
    control<QRadioButton>(form, "RadioButton2")->click();
    control<SpinEdit>(form, "editAutoSelectMax")->setText("50");
    QTimer::singleShot(100, &form, [&form] {
        QVERIFY(pageContext(form).isBusy());
        form.close(); // refused for now: the run is showing its numbers
        QVERIFY(form.isVisible());
    });
    control<QPushButton>(form, "btnAutoCalc")->click();
    QVERIFY(slateLines(form).size() < 50); // the run ended early
    QVERIFY(boardIsEmpty(form));
    QTRY_VERIFY(!form.isVisible()); // and then the window closed
}

void TestAutoCalc::downloadIsRefusedDuringTheRun()
{
    TMainForm &form = *m_form;
    control<QRadioButton>(form, "RadioButton2")->click();
    control<SpinEdit>(form, "editAutoSelectMax")->setText("1");
    QTimer::singleShot(100, &form,
                       [&form] { control<QAction>(form, "menuCommandDownload")->trigger(); });
    control<QPushButton>(form, "btnAutoCalc")->click();
    QCOMPARE(m_boxes->texts(),
             QStringList{"実行中の処理が終わってから、もう一度ダウンロードを行ってください。"});
    QCOMPARE(slateLines(form).size(), 1); // the run went on to its end
    QCOMPARE(pageContext(form).historyList()->rowCount(), 2037);
    QVERIFY(boardIsEmpty(form));
}

QTEST_MAIN(TestAutoCalc)
#include "tst_autocalc.moc"
