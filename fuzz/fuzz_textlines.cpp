// Fuzzes the text-line reader: any bytes split into lines without a crash, no line is ever
// empty, starts with a blank or holds a line end, and the lines read up to an empty line are
// the first of those read past empty lines.
#include "results/TextLines.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList upToEmpty = splitTextLines(bytes);
    const QStringList all = splitTextLines(bytes, EmptyLines::Skip);
    if (all.mid(0, upToEmpty.size()) != upToEmpty)
        std::abort();
    for (const QString &line : all) {
        if (line.isEmpty() || line.at(0).unicode() <= 32 || line.contains(QLatin1Char('\n')) ||
            line.contains(QLatin1Char('\r')))
            std::abort();
    }
    return 0;
}
