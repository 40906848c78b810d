#include "TestSupport.h"
#include "gui/widgets/SpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

class TestSpinEdit : public QObject
{
    Q_OBJECT
private slots:
    void typingKeepsOnlyNumberCharacters();
    void keyFilterNarrowsSilently();
    void stepsStayWithinBounds();
    void leavingClampsNumbersButKeepsOtherText();
    void valueOfNonNumberIsMinimum();
    void sameTextRaisesNoChange();
};

namespace
{

struct Fixture {
    QWidget window;
    SpinEdit *edit;
    QLineEdit *other;
    Fixture(int min, int max, int maxLength)
    {
        edit = new SpinEdit(&window);
        edit->setRange(min, max);
        edit->setMaxLength(maxLength);
        edit->setValue(min);
        other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
        edit->setFocus();
        edit->selectAll();
    }
};

} // namespace

void TestSpinEdit::typingKeepsOnlyNumberCharacters()
{
    Fixture f(1, 9999, 4);
    QTest::keyClicks(f.edit, "7a b-");
    QCOMPARE(f.edit->text(), QString("7-"));
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    QTest::keyClicks(f.edit, "123456");
    QCOMPARE(f.edit->text(), QString("7123")); // at most four characters
    QTest::keyClick(f.edit, Qt::Key_Return);
    QCOMPARE(f.edit->text(), QString("7123"));
}

void TestSpinEdit::keyFilterNarrowsSilently()
{
    Fixture f(1, 9999, 4);
    f.edit->setKeyFilter([](QChar c) { return c.isDigit() || c == QChar(8); });
    QTest::keyClicks(f.edit, "1+2-x3");
    QCOMPARE(f.edit->text(), QString("123"));
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    QCOMPARE(f.edit->text(), QString("12"));
}

void TestSpinEdit::stepsStayWithinBounds()
{
    Fixture f(1, 100, 3);
    f.edit->setText("99");
    QTest::keyClick(f.edit, Qt::Key_Up);
    QCOMPARE(f.edit->text(), QString("100"));
    QTest::keyClick(f.edit, Qt::Key_Up);
    QCOMPARE(f.edit->text(), QString("100"));
    f.edit->setText("1");
    QTest::keyClick(f.edit, Qt::Key_Down);
    QCOMPARE(f.edit->text(), QString("1"));
    f.edit->setText("");
    f.edit->stepBy(1); // an empty field steps from the minimum
    QCOMPARE(f.edit->text(), QString("2"));
}

void TestSpinEdit::leavingClampsNumbersButKeepsOtherText()
{
    Fixture f(1, 100, 3);
    const QList<QPair<QString, QString>> typedAndLeft = {
        {"0", "1"}, {"500", "100"}, {"", ""}, {"-", "-"}};
    for (const auto &[typed, left] : typedAndLeft) {
        f.edit->setFocus();
        f.edit->setText(typed);
        f.other->setFocus();
        QCOMPARE(f.edit->text(), left);
    }
}

void TestSpinEdit::valueOfNonNumberIsMinimum()
{
    Fixture f(5, 100, 3);
    f.edit->setText("");
    QCOMPARE(f.edit->value(), 5);
    f.edit->setText("+");
    QCOMPARE(f.edit->value(), 5);
    f.edit->setText("42");
    QCOMPARE(f.edit->value(), 42);
}

void TestSpinEdit::sameTextRaisesNoChange()
{
    Fixture f(1, 9999, 4);
    f.edit->setText("700");
    int changes = 0;
    QObject::connect(f.edit, &SpinEdit::textChanged, [&changes] { ++changes; });
    f.edit->setText("700");
    QCOMPARE(changes, 0);
    f.edit->setText("701");
    QCOMPARE(changes, 1);
}

QTEST_MAIN(TestSpinEdit)
#include "tst_spinedit.moc"
