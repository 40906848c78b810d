// The pick options page as the player uses it: the four methods, the exclusion editor, the
// count view, the threshold, restoring and resetting, and the options kept across a restart.

#include "TestSupport.h"
#include "core/platform/Settings.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/Widgets.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace
{

const QColor kFuchsia(255, 0, 255);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QString panelState(PanelLabel *p)
{
    return QString("tag %1, %2, %3, %4")
        .arg(p->property("tag").toInt())
        .arg(p->isLowered() ? "sunk" : "raised")
        .arg(p->font().bold() ? "bold" : "regular")
        .arg(p->palette().color(QPalette::WindowText).name());
}

QString markedState(const QColor &colour)
{
    return QString("tag 1, sunk, bold, %1").arg(colour.name());
}

const QString kNormal = "tag 0, raised, regular, #000000";

// The numbers whose count at the position (0..5) reaches the threshold, counted here from
// the bundled history itself.
QList<int> bundledNumbersReaching(int position, int threshold)
{
    const auto counts = bundledPositionCounts();
    QList<int> numbers;
    for (int n = 1; n <= 43; ++n) {
        if (counts[position][n] >= threshold)
            numbers.append(n);
    }
    return numbers;
}

QList<int> panelsShownMarked(TMainForm &form, const QColor &colour)
{
    QList<int> numbers;
    for (int n = 1; n <= 43; ++n) {
        const QString state = panelState(numberPanel(form, n));
        if (state == markedState(colour))
            numbers.append(n);
        else if (state != kNormal)
            qWarning("panel %d in a mixed state: %s", n, qPrintable(state));
    }
    return numbers;
}

void clickPanel(TMainForm &form, int n)
{
    QTest::mouseClick(numberPanel(form, n), Qt::LeftButton);
}

} // namespace

class TestPickOptions : public WindowTest
{
    Q_OBJECT
private slots:
    void firstStartWithoutSettings();
    void methodStates_data();
    void methodStates();
    void applyExclusionsAndRestart();
    void twentyFirstMarkRefused();
    void unappliedMarksAreLostOnSwitch();
    void clearAllAsksFirst();
    void countViewOfThirdPosition();
    void thresholdRefusals();
    void thresholdApplied();
    void resetToDefaults();
    void storedOptionsAreRestored();
    void nonIntegerThresholdStillSwitchesMethod();

private:
    // Starts the program (again) on the test's program folder, with the stored settings.
    TMainForm &start()
    {
        startWindow();
        return *m_form;
    }
    void storeOptions(const QString &optionIndex, const QString &deleteNum,
                      const QString &autoNum = "10", const QString &rangeNum = "20");

    void prepare() override {} // each test starts the program itself
};

void TestPickOptions::storeOptions(const QString &optionIndex, const QString &deleteNum,
                                   const QString &autoNum, const QString &rangeNum)
{
    AppSettings settings(m_iniPath);
    settings.writeString("Options", "OptionIndex", optionIndex);
    settings.writeString("Options", "DeleteNum", deleteNum);
    settings.writeString("Options", "AutoNum", autoNum);
    settings.writeString("Options", "RangeNum", rangeNum);
}

void TestPickOptions::firstStartWithoutSettings()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    QVERIFY(boxes.boxes().isEmpty());
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->text(), QString("10"));
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectDefault")->text(), QString("10"));
    QCOMPARE(control<SpinEdit>(form, "editSelectRange")->text(), QString("20"));
    QVERIFY(control<QRadioButton>(form, "RadioButton4")->isChecked());
    QCOMPARE(pageContext(form).pickSettings().optionIndex, 3);
    QCOMPARE(control<TabControl>(form, "TabControl1")->count(), 6);
    QCOMPARE(control<TabControl>(form, "TabControl1")->tabBar()->tabText(0), QString("　①"));
    QCOMPARE(control<TabControl>(form, "TabControl1")->currentIndex(), 0);
    QCOMPARE(panelsShownMarked(form, kBlue), bundledNumbersReaching(0, 20));
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->title(),
             QString("抽選数字の絞り込み範囲（参照のみ）"));
    QCOMPARE(control<QPushButton>(form, "btnBaseDef")->property("tag").toInt(), 0);
    QCOMPARE(control<QTabWidget>(form, "pctrlMain")->currentWidget(),
             control<QWidget>(form, "TabSheet1"));
}

void TestPickOptions::methodStates_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("automatic"); // btnAutoCalc and both line-count fields
    QTest::addColumn<bool>("threshold"); // editSelectRange and "反映"
    QTest::addColumn<bool>("panels");    // the lower group is shown
    QTest::addColumn<bool>("editor");    // "予想に反映" and "全てクリア" are shown
    QTest::addColumn<bool>("panelsOn");  // the panels take clicks
    QTest::newRow("manual") << 0 << false << false << false << false << true;
    QTest::newRow("random") << 1 << true << false << false << false << true;
    QTest::newRow("exclusion-based") << 2 << true << false << true << true << true;
    QTest::newRow("count-filtered") << 3 << true << true << true << false << false;
}

void TestPickOptions::methodStates()
{
    QFETCH(int, method);
    QFETCH(bool, automatic);
    QFETCH(bool, threshold);
    QFETCH(bool, panels);
    QFETCH(bool, editor);
    QFETCH(bool, panelsOn);
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    // Start from another method, so that the click is a real change.
    QRadioButton *radios[] = {
        control<QRadioButton>(form, "RadioButton1"), control<QRadioButton>(form, "RadioButton2"),
        control<QRadioButton>(form, "RadioButton3"), control<QRadioButton>(form, "RadioButton4")};
    radios[(method + 1) % 4]->click();
    radios[method]->click();

    QCOMPARE(pageContext(form).pickSettings().optionIndex, method);
    QCOMPARE(control<QPushButton>(form, "btnAutoCalc")->isEnabled(), automatic);
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->isEnabled(), automatic);
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectDefault")->isEnabled(), automatic);
    QCOMPARE(control<SpinEdit>(form, "editSelectRange")->isEnabled(), threshold);
    QCOMPARE(control<QPushButton>(form, "btnAgainUpdate")->isEnabled(), threshold);
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->isVisible(), panels);
    if (panels) {
        QCOMPARE(control<QPushButton>(form, "btnUpdate")->isVisible(), editor);
        QCOMPARE(control<QPushButton>(form, "btnDeleteClear")->isVisible(), editor);
        QCOMPARE(numberPanel(form, 1)->isEnabled(), panelsOn);
        QCOMPARE(control<TabControl>(form, "TabControl1")->count(), editor ? 1 : 6);
        QCOMPARE(
            control<QGroupBox>(form, "groupDeleteNumber")->palette().color(QPalette::WindowText),
            editor ? kFuchsia : kBlue);
    }
    if (method == 2) {
        QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->title(),
                 QString("基本数字から選択数字を除外します。"));
        QCOMPARE(control<TabControl>(form, "TabControl1")->tabBar()->tabText(0),
                 QString("除外数字の設定"));
    }
    // Clicking the selected method again changes nothing.
    radios[method]->click();
    QCOMPARE(pageContext(form).pickSettings().optionIndex, method);
    QVERIFY(boxes.boxes().isEmpty());
}

void TestPickOptions::applyExclusionsAndRestart()
{
    {
        MessageBoxWatcher boxes;
        TMainForm &form = start();
        control<QTabWidget>(form, "pctrlMain")
            ->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
        control<QRadioButton>(form, "RadioButton3")->click();
        for (int n : {25, 3, 17})
            clickPanel(form, n);
        QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 3);
        QCOMPARE(panelsShownMarked(form, kFuchsia), (QList<int>{3, 17, 25}));
        QVERIFY(pageContext(form).pickSettings().deleteNum.isEmpty()); // marks alone change nothing
        QCOMPARE(pageContext(form).exclusionSet()[2], 0);

        control<QPushButton>(form, "btnUpdate")->click();
        QCOMPARE(boxes.texts(), QStringList{"除外数字を全て反映しました。"});
        QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
        QCOMPARE(boxes.boxes().first().icon, QMessageBox::Information);
        QCOMPARE(pageContext(form).pickSettings().deleteNum, QString("03 17 25 "));
        for (int i = 0; i < 43; ++i)
            QCOMPARE(pageContext(form).exclusionSet()[i], (i == 2 || i == 16 || i == 24) ? 1 : 0);
        control<QAction>(form, "menuFileExit")->trigger();
    }
    QCOMPARE(AppSettings(m_iniPath).readPickSettings().deleteNum, QString("03 17 25 "));

    MessageBoxWatcher boxes;
    TMainForm &form = start();
    QVERIFY(control<QRadioButton>(form, "RadioButton3")->isChecked());
    QCOMPARE(panelsShownMarked(form, kFuchsia), (QList<int>{3, 17, 25}));
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 3);
    for (int i = 0; i < 43; ++i) // what the panels show is in force
        QCOMPARE(pageContext(form).exclusionSet()[i], (i == 2 || i == 16 || i == 24) ? 1 : 0);
    QCOMPARE(pageContext(form).pickSettings().deleteNum, QString("03 17 25 "));
}

void TestPickOptions::twentyFirstMarkRefused()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<QRadioButton>(form, "RadioButton3")->click();
    for (int n = 1; n <= 20; ++n)
        clickPanel(form, n * 2);
    QVERIFY(boxes.boxes().isEmpty());
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 20);

    clickPanel(form, 1);
    QCOMPARE(boxes.texts(), QStringList{"これ以上の除外数字は設定できません。（最大２０個まで）"});
    QCOMPARE(panelState(numberPanel(form, 1)), kNormal);
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 20);

    clickPanel(form, 40); // a marked one unmarks
    QCOMPARE(panelState(numberPanel(form, 40)), kNormal);
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 19);
    clickPanel(form, 1);
    QCOMPARE(panelState(numberPanel(form, 1)), markedState(kFuchsia));
    QCOMPARE(boxes.boxes().size(), 1);
}

void TestPickOptions::unappliedMarksAreLostOnSwitch()
{
    storeOptions("2", "05 ");
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    clickPanel(form, 7);
    clickPanel(form, 5); // unmark the stored one
    QCOMPARE(panelsShownMarked(form, kFuchsia), QList<int>{7});
    control<QRadioButton>(form, "RadioButton2")->click();
    control<QRadioButton>(form, "RadioButton3")->click();
    QCOMPARE(panelsShownMarked(form, kFuchsia), QList<int>{5});
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 1);
}

void TestPickOptions::clearAllAsksFirst()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<QRadioButton>(form, "RadioButton3")->click();
    clickPanel(form, 8);
    clickPanel(form, 9);
    control<QPushButton>(form, "btnUpdate")->click();
    boxes.clear();

    boxes.queueAnswer(QMessageBox::No);
    control<QPushButton>(form, "btnDeleteClear")->click();
    QCOMPARE(boxes.texts(), QStringList{"除外数字が全てリセットされます…。本当によろしいですか？"});
    QCOMPARE(boxes.boxes().first().caption, QString("確認メッセージ"));
    QCOMPARE(boxes.boxes().first().defaultButton, QMessageBox::No);
    QCOMPARE(pageContext(form).pickSettings().deleteNum, QString("08 09 "));
    QCOMPARE(pageContext(form).exclusionSet()[7], 1);
    QCOMPARE(panelsShownMarked(form, kFuchsia), (QList<int>{8, 9}));

    boxes.queueAnswer(QMessageBox::Yes);
    control<QPushButton>(form, "btnDeleteClear")->click();
    QCOMPARE(pageContext(form).pickSettings().deleteNum, QString());
    QCOMPARE(pageContext(form).exclusionSet()[7], 0);
    QCOMPARE(pageContext(form).exclusionSet()[8], 0);
    QCOMPARE(panelsShownMarked(form, kFuchsia), QList<int>());
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->property("tag").toInt(), 0);
}

void TestPickOptions::countViewOfThirdPosition()
{
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    QVERIFY(control<QRadioButton>(form, "RadioButton4")->isChecked());
    control<TabControl>(form, "TabControl1")->tabBar()->setCurrentIndex(2);
    QCOMPARE(control<TabControl>(form, "TabControl1")->tabBar()->tabText(2), QString("　③"));
    const QList<int> expected = bundledNumbersReaching(2, 20);
    QVERIFY(!expected.isEmpty() && expected.size() < 43);
    QCOMPARE(panelsShownMarked(form, kBlue), expected);

    // The view follows the threshold as typed, not the stored one.
    control<SpinEdit>(form, "editSelectRange")->setText("100");
    control<TabControl>(form, "TabControl1")->tabBar()->setCurrentIndex(5);
    QCOMPARE(panelsShownMarked(form, kBlue), bundledNumbersReaching(5, 100));
    QCOMPARE(pageContext(form).pickSettings().rangeNum, 20);
}

void TestPickOptions::thresholdRefusals()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<SpinEdit>(form, "editAutoSelectDefault")->setText("5");

    control<SpinEdit>(form, "editSelectRange")->setText("  ");
    control<QPushButton>(form, "btnAgainUpdate")->click();
    QCOMPARE(boxes.texts(), QStringList{"過去の抽選回数が入力されていません。"});
    QCOMPARE(control<SpinEdit>(form, "editSelectRange")->text(), QString("  "));

    // No number was drawn 115 times at ③, though some were at ① and ②.
    QVERIFY(!bundledNumbersReaching(1, 115).isEmpty());
    QVERIFY(bundledNumbersReaching(2, 115).isEmpty());
    boxes.clear();
    control<SpinEdit>(form, "editSelectRange")->setText("115");
    control<QPushButton>(form, "btnAgainUpdate")->click();
    QCOMPARE(boxes.texts(),
             QStringList{"過去の抽選回数の条件を満たしていません。抽選回数を変更してください。"});
    QCOMPARE(control<SpinEdit>(form, "editSelectRange")->text(), QString("20"));
    QVERIFY(form.focusWidget() == control<SpinEdit>(form, "editSelectRange") ||
            form.focusWidget()->parentWidget() == control<SpinEdit>(form, "editSelectRange"));
    QCOMPARE(pageContext(form).pickSettings().autoNum, 10);
    QCOMPARE(pageContext(form).pickSettings().rangeNum, 20);
}

void TestPickOptions::thresholdApplied()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<SpinEdit>(form, "editAutoSelectDefault")->setText("7");
    control<SpinEdit>(form, "editSelectRange")->setText("60");
    control<QPushButton>(form, "btnAgainUpdate")->click();
    QVERIFY(boxes.boxes().isEmpty());
    QCOMPARE(pageContext(form).pickSettings().autoNum, 7);
    QCOMPARE(pageContext(form).pickSettings().rangeNum, 60);
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->text(),
             QString("10")); // reaches the first page later
    QCOMPARE(panelsShownMarked(form, kBlue), bundledNumbersReaching(0, 60));

    control<QAction>(form, "menuFileExit")->trigger();
    const PickSettings stored = AppSettings(m_iniPath).readPickSettings();
    QCOMPARE(stored.autoNum, 7);
    QCOMPARE(stored.rangeNum, 60);
}

void TestPickOptions::resetToDefaults()
{
    storeOptions("2", "01 02 ", "33", "40");
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->text(), QString("33"));
    control<QPushButton>(form, "btnUpdate")->click();
    QCOMPARE(pageContext(form).exclusionSet()[0], 1);

    control<QPushButton>(form, "btnBaseDef")->click();
    QVERIFY(pageContext(form).pickSettings() == PickSettings());
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->text(), QString("10"));
    QCOMPARE(control<SpinEdit>(form, "editAutoSelectDefault")->text(), QString("10"));
    QCOMPARE(control<SpinEdit>(form, "editSelectRange")->text(), QString("20"));
    QVERIFY(control<QRadioButton>(form, "RadioButton4")->isChecked());
    QVERIFY(control<SpinEdit>(form, "editSelectRange")->isEnabled());
    QVERIFY(control<QPushButton>(form, "btnAgainUpdate")->isEnabled());
    QVERIFY(!control<QPushButton>(form, "btnUpdate")->isVisible());
    QCOMPARE(panelsShownMarked(form, kBlue), bundledNumbersReaching(0, 20));
    QCOMPARE(control<QPushButton>(form, "btnBaseDef")->property("tag").toInt(), 0);
}

void TestPickOptions::storedOptionsAreRestored()
{
    storeOptions("1", "", "7", "30");
    {
        TMainForm &form = start();
        QVERIFY(control<QRadioButton>(form, "RadioButton2")->isChecked());
        QCOMPARE(control<SpinEdit>(form, "editAutoSelectMax")->text(), QString("7"));
        QCOMPARE(control<SpinEdit>(form, "editAutoSelectDefault")->text(), QString("7"));
        QCOMPARE(control<SpinEdit>(form, "editSelectRange")->text(), QString("30"));
        QVERIFY(!control<SpinEdit>(form, "editSelectRange")->isEnabled());
        QVERIFY(!control<QPushButton>(form, "btnAgainUpdate")->isEnabled());
        QVERIFY(control<QPushButton>(form, "btnAutoCalc")->isEnabled());
        QVERIFY(!control<QGroupBox>(form, "groupDeleteNumber")->isVisible());
        control<QRadioButton>(form, "RadioButton1")->click();
        QVERIFY(!control<QPushButton>(form, "btnAutoCalc")->isEnabled());
        control<QAction>(form, "menuFileExit")->trigger();
    }
    const PickSettings stored = AppSettings(m_iniPath).readPickSettings();
    QCOMPARE(stored.optionIndex, 0);
    QCOMPARE(stored.autoNum, 7);
    QCOMPARE(stored.rangeNum, 30);

    TMainForm &form = start();
    QVERIFY(control<QRadioButton>(form, "RadioButton1")->isChecked());
    QVERIFY(!control<QPushButton>(form, "btnAutoCalc")->isEnabled());
    QVERIFY(!control<SpinEdit>(form, "editAutoSelectMax")->isEnabled());
}

void TestPickOptions::nonIntegerThresholdStillSwitchesMethod()
{
    MessageBoxWatcher boxes;
    TMainForm &form = start();
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet2"));
    control<SpinEdit>(form, "editSelectRange")
        ->setText(""); // emptied while counting, then another method
    control<QRadioButton>(form, "RadioButton3")->click();
    clickPanel(form, 4);
    QVERIFY(boxes.boxes().isEmpty());

    control<QRadioButton>(form, "RadioButton4")->click();
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().caption, QString("ロト６ヨルネ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.boxes().first().text.contains("整数"), qPrintable(boxes.texts().first()));
    // The switch is complete: what is shown and what is stored agree ...
    QVERIFY(control<QRadioButton>(form, "RadioButton4")->isChecked());
    QCOMPARE(pageContext(form).pickSettings().optionIndex, 3);
    QVERIFY(!control<QPushButton>(form, "btnUpdate")->isVisible());
    QVERIFY(!control<QPushButton>(form, "btnDeleteClear")->isVisible());
    QCOMPARE(control<QGroupBox>(form, "groupDeleteNumber")->title(),
             QString("抽選数字の絞り込み範囲（参照のみ）"));
    QCOMPARE(control<TabControl>(form, "TabControl1")->count(), 6);
    QVERIFY(control<SpinEdit>(form, "editSelectRange")->isEnabled());
    QVERIFY(!numberPanel(form, 4)->isEnabled());
    // ... only the view is left as it was.
    QCOMPARE(panelsShownMarked(form, kFuchsia), QList<int>{4});

    control<SpinEdit>(form, "editSelectRange")->setText("20");
    control<TabControl>(form, "TabControl1")->tabBar()->setCurrentIndex(1);
    QCOMPARE(panelsShownMarked(form, kBlue), bundledNumbersReaching(1, 20));
    QCOMPARE(boxes.boxes().size(), 1);
}

QTEST_MAIN(TestPickOptions)
#include "tst_pickoptions.moc"
