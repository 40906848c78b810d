#include "core/results/TypedDraws.h"

#include "core/common/Formats.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <QFile>
#include <algorithm>

QSet<int> readTypedDraws(const QString &downloadFolder)
{
    const QString path = downloadFolder + kTypedDrawsFileName;
    QSet<int> draws;
    if (!QFile::exists(path))
        return draws;
    for (const QString &line : readTextLines(path, TextRules::TicketFile)) {
        const auto number = parseInteger(line.trimmed());
        if (number && *number > 0)
            draws.insert(*number);
    }
    return draws;
}

void writeTypedDraws(const QString &downloadFolder, const QSet<int> &draws)
{
    QList<int> sorted(draws.begin(), draws.end());
    std::sort(sorted.begin(), sorted.end());
    QByteArray content;
    for (const int draw : sorted)
        content += QByteArray::number(draw) + "\r\n";
    writeWholeFile(downloadFolder + kTypedDrawsFileName, content,
                   kDownloadFolder + kTypedDrawsFileName);
}

bool adoptTypedDraws(const QString &downloadFolder, const QSet<int> &fromSettings)
{
    if (fromSettings.isEmpty())
        return false;
    writeTypedDraws(downloadFolder, readTypedDraws(downloadFolder) | fromSettings);
    return true;
}
