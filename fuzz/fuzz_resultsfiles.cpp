// Fuzzes both results-file parsers: the first half of the input is the draws file, the rest
// the prize file. Malformed content must raise DomainError, never crash; what parses must
// keep its invariants.
#include "core/common/DomainError.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <cstdlib>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *text = reinterpret_cast<const char *>(data);
    const qsizetype half = static_cast<qsizetype>(size / 2);
    const QStringList draws = splitTextLines(QByteArray::fromRawData(text, half));
    const QStringList prizes =
        splitTextLines(QByteArray::fromRawData(text + half, static_cast<qsizetype>(size) - half));
    try {
        ResultsData results;
        if (parseResults(draws, prizes, &results) != ResultsStatus::Loaded)
            return 0;
        if (results.draws.size() != draws.size() || results.prizes.size() != prizes.size())
            std::abort();
        for (const auto &position : results.counts)
            if (std::accumulate(position.begin(), position.end(), 0) != results.draws.size())
                std::abort();
    } catch (const DomainError &e) {
        if (e.message().isEmpty())
            std::abort();
    }
    return 0;
}
