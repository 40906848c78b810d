#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Shared value types of the program.

constexpr int kLotoMin = 1;
constexpr int kLotoMax = 43;
constexpr int kLotoCount = 43;
constexpr int kPicksPerLine = 6;
constexpr int kLinePriceYen = 200;
constexpr int kPrizeTiers = 5; // 1等..5等

// [p][n - 1]: how many draws had number n at main-number position p + 1 (①..⑥).
using BaseCountTable = std::array<std::array<int32_t, kLotoCount>, kPicksPerLine>;

// [n - 1] == 1: number n is excluded by the exclusion-based pick method.
using ExclusionSet = std::array<int32_t, kLotoCount>;

// The pick options kept in the settings between runs.
struct PickSettings {
    int32_t autoNum = 10;    // lines of one automatic run
    int32_t rangeNum = 20;   // minimum past-draw count of the count-filtered method
    int32_t optionIndex = 3; // 0 manual, 1 random, 2 exclusion-based, 3 count-filtered
    QString deleteNum;       // applied exclusion numbers, "%0.2d " each

    bool operator==(const PickSettings &o) const
    {
        return autoNum == o.autoNum && rangeNum == o.rangeNum && optionIndex == o.optionIndex &&
               deleteNum == o.deleteNum;
    }
};

// Two-digit text of a number ("%0.2d"): 3 -> "03", 43 -> "43", 123 -> "123". The texts of
// 0..99 are made once and shared, since every history cell holds one.
inline QString twoDigits(int n)
{
    static const std::array<QString, 100> table = [] {
        std::array<QString, 100> texts;
        for (int i = 0; i < 100; ++i) {
            const QChar pair[2] = {QChar(u'0' + i / 10), QChar(u'0' + i % 10)};
            texts[static_cast<size_t>(i)] = QString(pair, 2);
        }
        return texts;
    }();
    if (n >= 0 && n < 100)
        return table[static_cast<size_t>(n)];
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
