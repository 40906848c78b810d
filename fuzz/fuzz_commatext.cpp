// Fuzzes the comma-text reader: any line reads into exactly the asked number of cells, and
// writing a row and reading it back settles after one pass (an empty field reads as a blank,
// so the first pass may change empty cells; the second must change nothing).
#include "core/tickets/CommaText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList cells = readCommaText(line, 7);
    if (cells.size() != 7)
        std::abort();
    const QStringList once = readCommaText(writeCommaText(cells), 7);
    if (readCommaText(writeCommaText(once), 7) != once)
        std::abort();
    return 0;
}
