// The main window by the keyboard alone: changing pages from anywhere, the grids and buttons
// showing the focus, the board by typed numbers and wrapping arrows, the option radios and the
// exclusion panels as one stop each.

#include "TestSupport.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class TestKeyboard : public WindowTest
{
    Q_OBJECT
private slots:
    void ctrlTabChangesPagesFromAnywhere_data();
    void ctrlTabChangesPagesFromAnywhere();
    void slateTakesTheKeyboardOnAShownCell();
    void focusIsPlainlyVisible_data();
    void focusIsPlainlyVisible();
    void boardByKeys_data();
    void boardByKeys();
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

void TestKeyboard::ctrlTabChangesPagesFromAnywhere_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("focus"); // the control that has the keyboard on that page
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
}

void TestKeyboard::ctrlTabChangesPagesFromAnywhere()
{
    QFETCH(QString, page);
    QFETCH(QString, focus);
    auto *pages = control<QTabWidget>(*m_form, "pctrlMain");
    pages->setCurrentWidget(control<QWidget>(*m_form, page));
    const int at = pages->currentIndex();
    control<QWidget>(*m_form, focus)->setFocus();
    QCOMPARE(focused()->objectName(), focus);

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

void TestKeyboard::boardByKeys_data()
{
    // Keys pressed from the board's first stop (01); "pause" waits past the typing pause.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<int>>("picked");
    QTest::addColumn<int>("focus"); // the number the keyboard is on at the end
    QTest::newRow("4 then 1: 41") << "4 1" << QList<int>{41} << 41;
    QTest::newRow("4, pause: 4") << "4 pause" << QList<int>{4} << 4;
    QTest::newRow("4, Enter: 4 once") << "4 Enter" << QList<int>{4} << 4;
    QTest::newRow("4, Right: 4, then on") << "4 Right" << QList<int>{4} << 14;
    QTest::newRow("4 then 5: both") << "4 5" << QList<int>{4, 5} << 5;
    QTest::newRow("0 then 7: 7") << "0 7" << QList<int>{7} << 7;
    QTest::newRow("4, Escape: none") << "4 Escape pause" << QList<int>{} << 4;
    QTest::newRow("33 twice: released") << "3 3 3 3" << QList<int>{} << 33;
    QTest::newRow("Left from the first: 40") << "Left Space" << QList<int>{40} << 40;
    QTest::newRow("Up from the first: 43") << "Up Space" << QList<int>{43} << 43;
    QTest::newRow("Right from 40: 1") << "4 0 Right Space" << QList<int>{1, 40} << 1;
    QTest::newRow("Right from 41: 2") << "4 1 Right Space" << QList<int>{2, 41} << 2;
    QTest::newRow("Left from 4: 43") << "4 pause Left Space" << QList<int>{4, 43} << 43;
    QTest::newRow("Down from 43: 1") << "4 3 Down Space" << QList<int>{1, 43} << 1;
    QTest::newRow("Down from 10: 11") << "1 0 Down Space" << QList<int>{10, 11} << 11;
}

// Numbers typed on the board pick them, the arrows wrap from row to row, and a screen reader
// hears each number and whether it is picked, and the picked numbers by their places.
void TestKeyboard::boardByKeys()
{
    QFETCH(QString, keys);
    QFETCH(QList<int>, picked);
    QFETCH(int, focus);
    control<QPushButton>(*m_form, "btnAutoCalc")->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(focused(), speedButton(*m_form, 1));
    const QHash<QString, Qt::Key> named = {{"Enter", Qt::Key_Return}, {"Escape", Qt::Key_Escape},
                                           {"Space", Qt::Key_Space},  {"Left", Qt::Key_Left},
                                           {"Right", Qt::Key_Right},  {"Up", Qt::Key_Up},
                                           {"Down", Qt::Key_Down}};
    for (const QString &key : keys.split(' ')) {
        if (key == "pause")
            QTest::qWait(1300);
        else
            press(named.value(key, Qt::Key(Qt::Key_0 + key.toInt())));
    }
    QList<int> down;
    for (int n = 1; n <= kLotoCount; ++n) {
        QAccessibleInterface *number =
            QAccessible::queryAccessibleInterface(speedButton(*m_form, n));
        QCOMPARE(number->text(QAccessible::Name), QString::asprintf("%02d", n));
        QVERIFY(number->state().checkable);
        if (number->state().checked)
            down << n;
    }
    QCOMPARE(down, picked);
    QCOMPARE(focused(), speedButton(*m_form, focus));
    for (int k = 1; k <= kPicksPerLine; ++k) {
        const QString shown =
            k <= picked.size() ? QString::asprintf("%02d", picked[k - 1]) : QString("未選択");
        QCOMPARE(
            QAccessible::queryAccessibleInterface(pickedImage(*m_form, k))->text(QAccessible::Name),
            QString("%1番目：%2").arg(k).arg(shown));
    }
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
    for (int n : {11, 12}) { // a screen reader hears a marked panel checked
        QAccessibleInterface *panel =
            QAccessible::queryAccessibleInterface(numberPanel(*m_form, n));
        QCOMPARE(panel->role(), QAccessible::CheckBox);
        QCOMPARE(panel->text(QAccessible::Name), QString::number(n));
        QCOMPARE(panel->state().checked, n == 12);
    }
    // Back by Shift+Tab to the panel the keyboard was last on.
    m_form->activateWindow(); // after the message, as the window manager does
    QTRY_COMPARE(focused(), control<QWidget>(*m_form, "btnUpdate"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), QString("Panel43"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
