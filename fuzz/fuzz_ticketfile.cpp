// Fuzzes the ticket file's listing, one-line removal and cancel-all on arbitrary file content:
// removing a listed line leaves exactly the other listed lines, in order, or the line of six
// commas; cancelling all leaves the lines of other draws as they were.
#include "app/DomainError.h"
#include "results/TextLines.h"
#include "tickets/CommaText.h"
#include "tickets/TicketFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("700.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    try {
        const QString draw = QStringLiteral("700");
        const TicketListing before = listTicketFile(path, draw);
        if (before.rows.isEmpty())
            return 0;
        const int row = size > 0 ? data[0] % before.rows.size() : 0;
        if (removeListedTicketLine(path, draw, before.rows, row) != TicketRemoval::Removed)
            std::abort(); // nothing changed the file in between
        QVector<QStringList> expected = before.rows;
        expected.removeAt(row);
        const TicketListing after = listTicketFile(path, draw);
        if (after.rows != expected)
            std::abort();

        // The lines of other draws: those whose text in front of the first comma is not 700.
        QVector<QStringList> others;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        for (const QString &line : splitTextLines(file.readAll(), EmptyLines::Skip)) {
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            if ((comma < 0 ? QString() : line.left(comma)) != draw)
                others.append(readCommaText(line, kTicketColumns));
        }
        file.close();
        if (!removeDrawTicketLines(path, draw))
            std::abort();
        if (QFile::exists(path)) {
            if (readAllTicketLines(path) != others)
                std::abort();
        } else {
            for (const QStringList &row : others) // deleted: only lines naming nothing were left
                for (const QString &cell : row)
                    if (!cell.trimmed().isEmpty())
                        std::abort();
        }
    } catch (const DomainError &) {
        // A file the reader cannot take is reported, not a crash.
    }
    return 0;
}
