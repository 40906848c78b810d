#pragma once

#include <QAbstractSpinBox>
#include <functional>

// A one-line numeric edit with up and down arrows, as the player knows it from Windows:
// - typing accepts only the digits, "+", "-", the decimal point and control characters other
//   than Enter; any other character beeps and is dropped;
// - the arrows and the Up/Down keys step the value by one within the bounds;
// - leaving the field turns a number outside the bounds into the nearest bound; other text
//   (an emptied field, a lone sign) stays as it is;
// - value() of a text that is not a number is the minimum.
// A key filter can narrow the accepted characters further, silently.
// A screen reader reads value, minimum and maximum through these properties, as it reads a
// QSpinBox, and is told of every change of the number.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum)
    Q_PROPERTY(int maximum READ maximum)
    Q_PROPERTY(int singleStep READ singleStep)
public:
    explicit SpinEdit(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int singleStep() const { return 1; }
    void setMaxLength(int length);

    QString text() const;
    void setText(const QString &text);
    int value() const;
    void setValue(int value);

    // Called for every typed character that passed the field's own check; false drops it.
    using KeyFilter = std::function<bool(QChar)>;
    void setKeyFilter(KeyFilter filter) { m_keyFilter = std::move(filter); }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

signals:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void announceValue();

    int m_min = 0;
    int m_max = 100;
    KeyFilter m_keyFilter;
};

// The key filter of the draw-number and line-count fields: a typed character passes only when
// it is a digit or Backspace.
bool editSelectNumKeyPress(QChar key);
