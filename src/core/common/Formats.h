#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Conversions and Japanese display formats shared by the whole program.
// The parsers return nothing for text that is not a valid value; callers turn that into a
// DomainError naming where the text came from.

// Decimal integer (32 bit): optional leading blanks, optional sign, digits, nothing behind.
std::optional<int> parseInteger(QStringView text);
inline std::optional<int> parseInteger(const QString &text)
{
    return parseInteger(QStringView(text));
}

// Decimal number: optional blanks around, optional sign, digits with an optional decimal point
// and exponent. No grouping commas, no "inf" or "nan".
std::optional<double> parseDecimal(QStringView text);
inline std::optional<double> parseDecimal(const QString &text)
{
    return parseDecimal(QStringView(text));
}

// Date written year/month/day with "/" between (e.g. 2025/09/25 or 2025/9/25).
std::optional<QDate> parseDate(QStringView text);
inline std::optional<QDate> parseDate(const QString &text)
{
    return parseDate(QStringView(text));
}

// "%5d": right-aligned in at least five characters.
QString formatDrawCaption(int drawNumber);
// "YYYY/MM/DD".
QString formatDate(const QDate &date);
// Money in the Japanese currency format: "¥" and the amount rounded, grouped in threes.
QString formatYen(double amount);
// A number rounded to whole units and grouped in threes ("%.0n").
QString formatGrouped(double value);
// A whole number in full-width digits, as a sentence of the window writes it: 30 -> "３０".
QString fullWidthNumber(int n);
// A prize tier as the program writes it everywhere, with a full-width digit: "１等".."５等".
QString tierName(int tier);
// A percentage with one decimal, its whole part grouped in threes: "252,890.7%".
QString formatPercent(double percent);

// Bad text as a message quotes it: in single quotes, cut to its first 40 characters and "…"
// when longer, so that a run-on line cannot blow a message up.
QString quotedText(const QString &text);

// The messages of a failed conversion, in the words the player sees.
QString notAnIntegerMessage(const QString &text);
QString notADecimalMessage(const QString &text);
QString notADateMessage(const QString &text);
