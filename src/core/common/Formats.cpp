#include "core/common/Formats.h"

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

// A rounded amount grouped in threes behind a sign text, e.g. "¥1,234" or "-¥1,234". The
// digits are written straight into place; every prize cell passes through here.
QString groupedAmount(double value, QStringView positiveSign, QStringView negativeSign)
{
    const double rounded = std::round(value);
    const QStringView sign = rounded < 0 ? negativeSign : positiveSign;
    const double magnitude = std::fabs(rounded);
    if (magnitude >= 1e18)
        return sign.toString() + groupDigits(QString::number(magnitude, 'f', 0));
    quint64 whole = static_cast<quint64>(magnitude);
    char16_t buffer[40];
    int pos = 40;
    int count = 0;
    do {
        if (count > 0 && count % 3 == 0)
            buffer[--pos] = u',';
        buffer[--pos] = static_cast<char16_t>(u'0' + whole % 10);
        whole /= 10;
        ++count;
    } while (whole > 0);
    for (qsizetype k = sign.size() - 1; k >= 0; --k)
        buffer[--pos] = sign.at(k).unicode();
    return QString(reinterpret_cast<const QChar *>(buffer + pos), 40 - pos);
}

} // namespace

std::optional<int> parseInteger(QStringView text)
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

std::optional<double> parseDecimal(QStringView text)
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
    // Plain whole numbers (nearly every field) are converted here exactly.
    const bool signedNumber =
        text.at(start) == QLatin1Char('+') || text.at(start) == QLatin1Char('-');
    const qsizetype first = start + (signedNumber ? 1 : 0);
    if (end - first == digits && digits <= 15) {
        qint64 whole = 0;
        for (qsizetype k = first; k < end; ++k)
            whole = whole * 10 + (text.at(k).unicode() - '0');
        return text.at(start) == QLatin1Char('-') ? -double(whole) : double(whole);
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QDate> parseDate(QStringView text)
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
    QString digits = QString::number(drawNumber);
    if (digits.size() < 5)
        digits.prepend(QString(5 - digits.size(), QLatin1Char(' ')));
    return digits;
}

QString formatDate(const QDate &date)
{
    const int y = date.year();
    if (y < 1000 || y > 9999)
        return QStringLiteral("%1/%2/%3")
            .arg(y, 4, 10, QLatin1Char('0'))
            .arg(date.month(), 2, 10, QLatin1Char('0'))
            .arg(date.day(), 2, 10, QLatin1Char('0'));
    const QChar text[10] = {QChar(u'0' + y / 1000),
                            QChar(u'0' + y / 100 % 10),
                            QChar(u'0' + y / 10 % 10),
                            QChar(u'0' + y % 10),
                            QLatin1Char('/'),
                            QChar(u'0' + date.month() / 10),
                            QChar(u'0' + date.month() % 10),
                            QLatin1Char('/'),
                            QChar(u'0' + date.day() / 10),
                            QChar(u'0' + date.day() % 10)};
    return QString(text, 10);
}

QString formatYen(double amount)
{
    return groupedAmount(amount, u"¥", u"-¥");
}

QString formatGrouped(double value)
{
    return groupedAmount(value, u"", u"-");
}

QString fullWidthNumber(int n)
{
    QString text = QString::number(n);
    for (QChar &c : text)
        c = c == u'-' ? QChar(u'－') : QChar(u'０' + (c.unicode() - u'0'));
    return text;
}

QString tierName(int tier)
{
    return fullWidthNumber(tier) + QStringLiteral("等");
}

QString formatPercent(double percent)
{
    const qint64 tenths = qRound64(percent * 10);
    const qint64 magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? QStringLiteral("-") : QString()) +
           groupedAmount(double(magnitude / 10), u"", u"") + QLatin1Char('.') +
           QString::number(magnitude % 10) + QLatin1Char('%');
}

QString quotedText(const QString &text)
{
    constexpr qsizetype kMaxShown = 40;
    if (text.size() <= kMaxShown)
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    qsizetype cut = kMaxShown;
    if (text.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return QLatin1Char('\'') + text.left(cut) + QStringLiteral("…'");
}

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("%1 は正しい整数値ではありません").arg(quotedText(text));
}

QString notADecimalMessage(const QString &text)
{
    return QStringLiteral("%1 は正しい数値ではありません").arg(quotedText(text));
}

QString notADateMessage(const QString &text)
{
    return QStringLiteral("%1 は正しい日付ではありません").arg(quotedText(text));
}
