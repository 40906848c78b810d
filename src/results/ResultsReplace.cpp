#include "ResultsReplace.h"

#include "ResultsFiles.h"
#include "TextLines.h"
#include "app/DomainError.h"
#include "app/FileErrors.h"

#include <QFile>
#include <QSaveFile>

namespace
{

QString shownPath(const QString &fileName)
{
    return kDownloadFolder + fileName;
}

// Opens a save file and writes the whole content into its temporary copy.
void stage(QSaveFile &file, const QString &fileName, const QByteArray &content)
{
    if (!file.open(QIODevice::WriteOnly))
        throw DomainError(
            fileErrorMessage(QStringLiteral("を作成できません"), shownPath(fileName), file));
    if (file.write(content) != content.size())
        throw DomainError(
            fileErrorMessage(QStringLiteral("に書き込めません"), shownPath(fileName), file));
}

void commit(QSaveFile &file, const QString &fileName)
{
    if (!file.commit())
        throw DomainError(
            fileErrorMessage(QStringLiteral("を置き換えられません"), shownPath(fileName), file));
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
    stage(number, kNumberFileName, numberBody);
    stage(data, kDataFileName, dataBody);

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

    commit(number, kNumberFileName);
    try {
        commit(data, kDataFileName);
    } catch (const DomainError &) {
        if (hadNumberFile) {
            QSaveFile restore(numberPath);
            if (restore.open(QIODevice::WriteOnly) && restore.write(previousNumber) >= 0)
                restore.commit();
        } else {
            QFile::remove(numberPath);
        }
        throw;
    }
}
