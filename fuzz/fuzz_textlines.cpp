// Fuzzes the text-line reader: any bytes split into lines without a crash, and no line is
// ever empty or starts with a blank.
#include "results/TextLines.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QString &line : splitTextLines(bytes)) {
        if (line.isEmpty() || line.at(0).unicode() <= 32)
            std::abort();
    }
    return 0;
}
