// The main window by the keyboard alone: changing pages from anywhere, the grids and buttons
// showing the focus, the option radios and the exclusion panels as one stop each.

#include "TestSupport.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

class TestKeyboard : public WindowTest
{
    Q_OBJECT
private slots:
    void keysDoTheirCommand_data();
    void keysDoTheirCommand();
    void slateTakesTheKeyboardOnAShownCell();
    void focusIsPlainlyVisible_data();
    void focusIsPlainlyVisible();
    void optionRadiosAreOneStop();
    void exclusionPanelsByKeyboard();

private:
    void prepare() override;
    QWidget *focused() const { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
    }
};

void TestKeyboard::prepare()
{
    startWindow();
    m_form->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
}

void TestKeyboard::keysDoTheirCommand_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("focus"); // for Ctrl+Tab; or focus, keys, then focus or message
    QTest::newRow("main") << "TabSheet1"
                          << "editAutoSelectMax";
    QTest::newRow("options") << "TabSheet2"
                             << "editSelectRange";
    QTest::newRow("check: spin box") << "TabSheet5"
                                     << "editSelectNum";
    QTest::newRow("check: grid") << "TabSheet5"
                                 << "gridHitSel";
    QTest::newRow("charts: combo box") << "TabSheet3"
                                       << "cmbChartKind";
    QTest::newRow("tickets: spin box") << "TabSheet4"
                                       << "editLoto6Num";
    QTest::newRow("history") << "TabSheet6"
                             << "viewHistory";
    QTest::newRow("prizes, the last") << "TabSheet7"
                                      << "gridMoney";
    QTest::newRow("list before buttons") << "TabSheet4"
                                         << "gridLoto6 Tab btnOneDelete";
    QTest::newRow("access key") << "TabSheet4"
                                << "editLoto6Num Alt+A 『第2038回』全ての申込数字";
    QTest::newRow("Ctrl+S anywhere") << "TabSheet4"
                                     << "gridLoto6 Ctrl+S 保存する対象のデータがありません。";
    QTest::newRow("F1") << "TabSheet6"
                        << "viewHistory F1 操作手順書を開けませんでした。";
}

void TestKeyboard::keysDoTheirCommand()
{
    QFETCH(QString, page);
    QFETCH(QString, focus);
    const QStringList then = focus.split(' ');
    MessageBoxWatcher boxes;
    m_folder->write("client/2038.csv", "2038,01,02,03,04,05,07\r\n"); // a line to list
    auto *pages = control<QTabWidget>(*m_form, "pctrlMain");
    pages->setCurrentWidget(control<QWidget>(*m_form, page));
    const int at = pages->currentIndex();
    control<QWidget>(*m_form, then[0])->setFocus();
    QCOMPARE(focused()->objectName(), then[0]);
    if (then.size() > 1) {
        const QKeyCombination key = QKeySequence(then[1])[0];
        press(key.key(), key.keyboardModifiers()); // an access key's press shows a moment first
        QTRY_VERIFY2(boxes.texts().value(0).startsWith(then[2]) ||
                         (focused() && focused()->objectName() == then[2]),
                     qPrintable(boxes.texts().join('|')));
        return;
    }

    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), (at + 1) % pages->count());
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pages->currentIndex(), at);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pages->currentIndex(), (at + pages->count() - 1) % pages->count());
}

// Entered by Tab, the slate's current cell lies in a shown column, where Up and Down move it.
void TestKeyboard::slateTakesTheKeyboardOnAShownCell()
{
    decide(*m_form, {1, 2, 3, 4, 5, 6});
    decide(*m_form, {1, 2, 3, 4, 5, 7});
    auto *slate = control<StringGrid>(*m_form, "gridSelectItem");
    slate->setCurrentIndex(slate->model()->index(1, 0)); // the hidden draw column
    control<QPushButton>(*m_form, "btnSave")->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(focused(), slate);
    QVERIFY(!slate->isColumnHidden(slate->currentIndex().column()));
    press(Qt::Key_Up);
    QCOMPARE(slate->currentRow(), 0);
    press(Qt::Key_Down);
    QCOMPARE(slate->currentRow(), 1);
}

void TestKeyboard::focusIsPlainlyVisible_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("grid") << "gridSelectItem";
    QTest::newRow("button") << "btnSave";
    QTest::newRow("panel") << "Panel12";
}

// The control looks different with the keyboard on it, by more than a 1-pixel line.
void TestKeyboard::focusIsPlainlyVisible()
{
    QFETCH(QString, name);
    control<QRadioButton>(*m_form, "RadioButton3")->click(); // the panels take the keyboard
    auto *pages = control<QTabWidget>(*m_form, "pctrlMain");
    auto *widget = control<QWidget>(*m_form, name);
    pages->setCurrentWidget(widget->parentWidget()->objectName() == "TabControl1"
                                ? control<QWidget>(*m_form, "TabSheet2")
                                : control<QWidget>(*m_form, "TabSheet1"));
    decide(*m_form, {1, 2, 3, 4, 5, 6});
    widget->setFocus();
    QCOMPARE(focused(), widget);
    const QImage with = widget->grab().toImage();
    control<QPushButton>(*m_form, "btnRiset")->setFocus();
    const QImage without = widget->grab().toImage();
    QCOMPARE(with.size(), without.size());
    int changed = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            changed += with.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
    // A frame two pixels wide round the row or the button changes at least twice its length.
    QVERIFY2(changed >= 2 * (with.width() / 2 + with.height() / 2) ||
                 (name == "gridSelectItem" && changed >= 2 * 300),
             qPrintable(QString::number(changed)));
}

// Tab lands on the checked method, and the arrow keys choose.
void TestKeyboard::optionRadiosAreOneStop()
{
    control<QTabWidget>(*m_form, "pctrlMain")
        ->setCurrentWidget(control<QWidget>(*m_form, "TabSheet2"));
    QVERIFY(control<QRadioButton>(*m_form, "RadioButton4")->isChecked());
    // From the page's tab, and back from the line count (the next stop after the radios),
    // to the one that is checked.
    control<QWidget>(*m_form, "pctrlMainTabs")->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QString("RadioButton4"));
    control<QWidget>(*m_form, "editAutoSelectDefault")->setFocus();
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), QString("RadioButton4"));
    press(Qt::Key_Up);
    QCOMPARE(focused()->objectName(), QString("RadioButton3"));
    QVERIFY(control<QRadioButton>(*m_form, "RadioButton3")->isChecked());
    QCOMPARE(pageContext(*m_form).pickSettings().optionIndex, 2);
    // Leaving and coming back lands on the new choice again.
    press(Qt::Key_Tab);
    QVERIFY(!qobject_cast<QRadioButton *>(focused()));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), QString("RadioButton3"));
}

// The method "除外数字を元に" by the keyboard: Tab to the panels, the arrows, Space to mark,
// Tab on to "予想に反映", Enter.
void TestKeyboard::exclusionPanelsByKeyboard()
{
    MessageBoxWatcher boxes;
    control<QTabWidget>(*m_form, "pctrlMain")
        ->setCurrentWidget(control<QWidget>(*m_form, "TabSheet2"));
    control<QRadioButton>(*m_form, "RadioButton3")->setFocus();
    press(Qt::Key_Space);
    QVERIFY(control<QRadioButton>(*m_form, "RadioButton3")->isChecked());
    for (int stops = 0; stops < 20 && !qobject_cast<PanelLabel *>(focused()); ++stops)
        press(Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QString("Panel1"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down,
                        Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Space})
        press(key);
    QCOMPARE(focused()->objectName(), QString("Panel43")); // Down stops at the last row (42)
    press(Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QString("btnUpdate"));
    press(Qt::Key_Return);
    QCOMPARE(boxes.texts(), QStringList{"除外数字を全て反映しました。"});
    ExclusionSet expected{};
    for (int n : {1, 12, 43})
        expected[n - 1] = 1;
    QCOMPARE(pageContext(*m_form).exclusionSet(), expected);
    // Back by Shift+Tab to the panel the keyboard was last on.
    m_form->activateWindow(); // after the message, as the window manager does
    QTRY_COMPARE(focused(), control<QWidget>(*m_form, "btnUpdate"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), QString("Panel43"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
