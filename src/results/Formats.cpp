#include "Formats.h"

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
    // Checked by hand (this runs for eleven fields of every prize line): optional blanks,
    // sign, digits with an optional point, an optional exponent, optional blanks.
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto digitAt = [&text](qsizetype k) {
        return text.at(k) >= QLatin1Char('0') && text.at(k) <= QLatin1Char('9');
    };
    while (i < n && isBlank(text.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && digitAt(i))
        ++i, ++digits;
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && digitAt(i))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && digitAt(i))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    const qsizetype end = i;
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = QStringView(text).mid(start, end - start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QDate> parseDate(const QString &text)
{
    // year/month/day: 1-4, 1-2 and 1-2 digits, blanks allowed around.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    int parts[3] = {0, 0, 0};
    const int maxDigits[3] = {4, 2, 2};
    int yearDigits = 0;
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            if (i >= n || text.at(i) != QLatin1Char('/'))
                return std::nullopt;
            ++i;
        }
        int count = 0;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            if (++count > maxDigits[p])
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text.at(i).unicode() - '0');
            ++i;
        }
        if (count == 0)
            return std::nullopt;
        if (p == 0)
            yearDigits = count;
    }
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i != n)
        return std::nullopt;
    if (yearDigits <= 2)
        parts[0] += 2000; // two-digit years belong to this century
    const QDate date(parts[0], parts[1], parts[2]);
    if (!date.isValid() || parts[0] < 1)
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
