// Fuzzes the conversion of the public history feed: any input converts or raises DomainError,
// never a crash, and whatever converts reads by the loader's own rules.
#include "core/common/DomainError.h"
#include "core/results/HistoryFeed.h"
#include "core/results/ResultsReplace.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray feed =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ResultsBodies bodies;
    try {
        bodies = convertHistoryFeed(feed);
    } catch (const DomainError &e) {
        if (e.message().isEmpty())
            std::abort();
        return 0;
    }
    try {
        checkResultsBodies(bodies.numbers, bodies.prizes);
    } catch (const DomainError &) {
        std::abort(); // a converted feed the loader would refuse
    }
    return 0;
}
