#include "gui/widgets/SpinEdit.h"

#include "core/common/Formats.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace
{

bool acceptedBySpinEdit(QChar c)
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.'))
        return true;
    return c.unicode() < 32 && c.unicode() != 13;
}

} // namespace

SpinEdit::SpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textChanged);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::announceValue);
}

void SpinEdit::announceValue()
{
    QAccessibleValueChangeEvent changed(this, value());
    QAccessible::updateAccessibility(&changed);
}

void SpinEdit::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
}

void SpinEdit::setMaxLength(int length)
{
    lineEdit()->setMaxLength(length);
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString &text)
{
    lineEdit()->setText(text);
}

int SpinEdit::value() const
{
    return parseInteger(text()).value_or(m_min);
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(value));
}

void SpinEdit::stepBy(int steps)
{
    const qint64 next = qint64(value()) + steps;
    setValue(static_cast<int>(qBound(qint64(m_min), next, qint64(m_max))));
    lineEdit()->selectAll();
}

QValidator::State SpinEdit::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString &) const {}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

void SpinEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && event->key() != Qt::Key_Up &&
                             event->key() != Qt::Key_Down && event->key() != Qt::Key_Delete;
    if (isCharacter) {
        const QChar c = typed.at(0);
        if (!acceptedBySpinEdit(c)) {
            QApplication::beep();
            event->accept();
            return;
        }
        if (m_keyFilter && !m_keyFilter(c)) {
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    if (const auto number = parseInteger(text())) {
        if (*number < m_min)
            setValue(m_min);
        else if (*number > m_max)
            setValue(m_max);
    }
    QAbstractSpinBox::focusOutEvent(event);
}

bool editSelectNumKeyPress(QChar key)
{
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key.unicode() == 8;
}
