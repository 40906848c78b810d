#pragma once

#include <cstdint>

// The numbers of a line or a draw as a set of bits: bit n (1..43) set for each number.
using NumberSet = std::uint64_t;

inline NumberSet numberBit(int n)
{
    return NumberSet(1) << n;
}
