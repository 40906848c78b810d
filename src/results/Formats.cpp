#include "Formats.h"

#include <QRegularExpression>
#include <cmath>

namespace
{

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Inserts "," every three digits of a plain digit string.
QString groupDigits(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

// Rounds half away from zero and returns sign and grouped magnitude.
QString roundedGrouped(double value, bool *negative)
{
    const double rounded = std::round(value);
    *negative = rounded < 0;
    return groupDigits(QString::number(std::fabs(rounded), 'f', 0));
}

} // namespace

std::optional<int> parseInteger(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return std::nullopt;
    qint64 value = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(2147483648LL))
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> parseDecimal(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[ \\t]*[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[ \\t]*([0-9]{1,4})/([0-9]{1,2})/([0-9]{1,2})[ \\t]*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(1).toInt();
    if (m.capturedLength(1) <= 2)
        year += 2000; // two-digit years belong to this century
    const QDate date(year, m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid() || year < 1)
        return std::nullopt;
    return date;
}

QString formatDrawCaption(int drawNumber)
{
    return QStringLiteral("%1").arg(drawNumber, 5);
}

QString formatDate(const QDate &date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString formatYen(double amount)
{
    bool negative = false;
    const QString grouped = roundedGrouped(amount, &negative);
    return (negative ? QStringLiteral("-¥") : QStringLiteral("¥")) + grouped;
}

QString formatGrouped(double value)
{
    bool negative = false;
    const QString grouped = roundedGrouped(value, &negative);
    return negative ? QLatin1Char('-') + grouped : grouped;
}

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' は正しい整数値ではありません").arg(text);
}

QString notADecimalMessage(const QString &text)
{
    return QStringLiteral("'%1' は正しい数値ではありません").arg(text);
}

QString notADateMessage(const QString &text)
{
    return QStringLiteral("'%1' は正しい日付ではありません").arg(text);
}
