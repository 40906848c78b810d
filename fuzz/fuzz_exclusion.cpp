// Fuzzes the exclusion-number text: whatever a stored text holds, encoding the numbers it
// lists gives a text that lists exactly those numbers.
#include "core/picking/ExclusionCodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ExclusionSet flags = exclusion::decode(text);
    const QString encoded = exclusion::encode(flags);
    for (int n = 1; n <= kLotoCount; ++n)
        if (exclusion::contains(encoded, n) != (flags[static_cast<size_t>(n - 1)] == 1))
            std::abort();
    return 0;
}
