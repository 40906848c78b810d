#include "ResultsReplace.h"

#include "Formats.h"
#include "ResultsFiles.h"
#include "TextLines.h"
#include "app/DomainError.h"
#include "app/FileErrors.h"
#include "app/SafeWrite.h"

#include <QFile>
#include <QSaveFile>

namespace
{

QString shownPath(const QString &fileName)
{
    return kDownloadFolder + fileName;
}

void restoreQuietly(const QString &path, const QByteArray &content)
{
    try {
        writeWholeFile(path, content, path);
    } catch (const DomainError &) {
    }
}

} // namespace

void checkResultsBodies(const QByteArray &numberBody, const QByteArray &dataBody)
{
    ResultsData unused;
    switch (parseResults(splitTextLines(numberBody), splitTextLines(dataBody), &unused)) {
    case ResultsStatus::Loaded:
        return;
    case ResultsStatus::NumberFileMissing:
        throw DomainError(QStringLiteral("%1 にデータがありません。").arg(kNumberFileName));
    case ResultsStatus::DataFileMissing:
        throw DomainError(QStringLiteral("%1 にデータがありません。").arg(kDataFileName));
    }
}

void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody)
{
    const QString numberPath = downloadFolder + kNumberFileName;
    const QString dataPath = downloadFolder + kDataFileName;

    // Both new files are written out before either replaces its target, so that only the
    // two renames remain that can fail.
    QSaveFile number(numberPath);
    QSaveFile data(dataPath);
    stageWholeFile(number, numberBody, shownPath(kNumberFileName));
    stageWholeFile(data, dataBody, shownPath(kDataFileName));

    // The draw list is put back if the prize table cannot follow it: a new draw list beside
    // an old prize table would be a pair that never existed on the server.
    QFile previous(numberPath);
    const bool hadNumberFile = previous.exists();
    QByteArray previousNumber;
    if (hadNumberFile) {
        if (!previous.open(QIODevice::ReadOnly))
            throw DomainError(fileErrorMessage(QStringLiteral("を開けません"),
                                               shownPath(kNumberFileName), previous));
        previousNumber = previous.readAll();
        previous.close();
    }

    commitStaged(number, shownPath(kNumberFileName));
    try {
        commitStaged(data, shownPath(kDataFileName));
    } catch (const DomainError &) {
        if (hadNumberFile) {
            // Best effort: the error that stopped the replacement is the one to report.
            restoreQuietly(numberPath, previousNumber);
        } else {
            QFile::remove(numberPath);
        }
        throw;
    }
}
