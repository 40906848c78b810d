#pragma once

#include "core/picking/PickRules.h"

#include <QTime>
#include <cstdint>
#include <optional>

// The random numbers of automatic generation: a 32-bit linear congruential generator,
// seed := seed * 134775813 + 1 (mod 2^32), whose draw is the high half of seed * 43.
class LotoRandom
{
public:
    explicit LotoRandom(uint32_t seed) : m_seed(seed) {}

    // The seed of a run: the milliseconds since midnight of the given (UTC) time of day.
    static uint32_t seedFromTimeOfDay(const QTime &time);

    // Advances the seed and returns a number 1..43.
    int nextNumber();
    uint32_t seed() const { return m_seed; }

private:
    uint32_t m_seed;
};

// Draws candidates until the rule admits one at the position and returns it; returns
// nothing, without drawing, when no number is admissible there (the line cannot be
// completed).
std::optional<int> drawAdmissible(LotoRandom &random, const AdmissionRule &rule, int position,
                                  const PickedNumbers &picked);
