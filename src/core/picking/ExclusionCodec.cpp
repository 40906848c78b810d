#include "core/picking/ExclusionCodec.h"

namespace exclusion
{

namespace
{
constexpr int kEntryLength = 3;
}

QString entryText(int n)
{
    return twoDigits(n) + QLatin1Char(' ');
}

bool contains(const QString &deleteNum, int n)
{
    const QString entry = entryText(n);
    for (qsizetype at = 0; at + kEntryLength <= deleteNum.size(); at += kEntryLength) {
        if (QStringView(deleteNum).mid(at, kEntryLength) == entry)
            return true;
    }
    return false;
}

QString encode(const ExclusionSet &flags)
{
    QString text;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        if (flags[n - 1] == 1)
            text += entryText(n);
    }
    return text;
}

ExclusionSet decode(const QString &deleteNum)
{
    ExclusionSet flags{};
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        flags[n - 1] = contains(deleteNum, n) ? 1 : 0;
    return flags;
}

} // namespace exclusion
