// Fuzzes the text-line reader: any bytes split into lines without a crash, no line is ever
// empty, starts with a blank or holds a line end or Ctrl+Z, and the lines a results file reads
// (up to an empty line or a Ctrl+Z) are the first of those a ticket file reads.
#include "core/common/TextLines.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList upToEmpty = splitTextLines(bytes);
    const QStringList all = splitTextLines(bytes, TextRules::TicketFile);
    if (all.mid(0, upToEmpty.size()) != upToEmpty)
        std::abort();
    for (const QString &line : all) {
        if (line.isEmpty() || line.at(0).unicode() <= 32 || line.contains(QLatin1Char('\n')) ||
            line.contains(QLatin1Char('\r')) || line.contains(QChar(0x1a)))
            std::abort();
    }
    return 0;
}
