#include "core/picking/LineGenerator.h"

uint32_t LotoRandom::seedFromTimeOfDay(const QTime &time)
{
    return static_cast<uint32_t>(((time.hour() * 60 + time.minute()) * 60 + time.second()) * 1000 +
                                 time.msec());
}

int LotoRandom::nextNumber()
{
    m_seed = m_seed * 134775813u + 1u; // unsigned arithmetic wraps modulo 2^32
    const uint64_t scaled = uint64_t(m_seed) * uint64_t(kLotoCount);
    return static_cast<int>(scaled >> 32) + 1;
}

std::optional<int> drawAdmissible(LotoRandom &random, const AdmissionRule &rule, int position,
                                  const PickedNumbers &picked)
{
    if (!rule.anyAdmissible(position, picked))
        return std::nullopt;
    // At least one of the 43 values is admitted, and the generator has the full period 2^32
    // (odd increment, multiplier one more than a multiple of four), so it reaches every value
    // from any seed: this ends. A rejected candidate simply leads to the next draw.
    for (;;) {
        const int n = random.nextNumber();
        if (rule.admits(n, position, picked))
            return n;
    }
}
