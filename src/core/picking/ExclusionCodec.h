#pragma once

#include "core/common/ComType.h"

#include <QString>

// The applied exclusion numbers as they are kept in the settings: one entry "%0.2d " (two
// digits and a blank) per excluded number, in ascending order ("03 17 25 ").
namespace exclusion
{

// At most this many numbers can be excluded.
constexpr int kMaxExcluded = 20;

// The three-character entry of number n: 3 -> "03 ".
QString entryText(int n);

// Whether n is listed. Only whole entries count: the text is read three characters at a
// time, so "10 30 " lists neither 3 nor 1.
bool contains(const QString &deleteNum, int n);

// The text of the numbers flagged 1, ascending.
QString encode(const ExclusionSet &flags);

// The flags of the numbers the text lists (by contains()).
ExclusionSet decode(const QString &deleteNum);

} // namespace exclusion
