#include "core/results/ResultsReplace.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/FileInUse.h"
#include "core/common/Formats.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <QFile>
#include <QSaveFile>

namespace
{

QString shownPath(const QString &fileName)
{
    return kDownloadFolder + fileName;
}

// Best effort: the error that stopped the replacement is the one to report. True when the
// file is back.
bool restoreQuietly(const QString &path, const QByteArray &content)
{
    try {
        writeWholeFile(path, content, path);
        return true;
    } catch (const DomainError &) {
        return false;
    }
}

// The journal: a first line naming it, a second with the sizes of the two bodies, then the
// bodies.
const QByteArray kJournalMark = "Loto6Yorune pair replacement\n";

QByteArray journalOf(const QByteArray &numberBody, const QByteArray &dataBody)
{
    return kJournalMark + QByteArray::number(numberBody.size()) + ' ' +
           QByteArray::number(dataBody.size()) + '\n' + numberBody + dataBody;
}

// The two bodies of a journal; false when it is not one, whole.
bool readJournal(const QByteArray &journal, QByteArray *numberBody, QByteArray *dataBody)
{
    if (!journal.startsWith(kJournalMark))
        return false;
    const qsizetype sizesEnd = journal.indexOf('\n', kJournalMark.size());
    if (sizesEnd < 0)
        return false;
    const QList<QByteArray> sizes =
        journal.mid(kJournalMark.size(), sizesEnd - kJournalMark.size()).split(' ');
    bool numberOk = false, dataOk = false;
    const qint64 numberSize = sizes.value(0).toLongLong(&numberOk);
    const qint64 dataSize = sizes.value(1).toLongLong(&dataOk);
    const qint64 bodies = journal.size() - sizesEnd - 1;
    if (sizes.size() != 2 || !numberOk || !dataOk || numberSize < 0 || dataSize < 0 ||
        numberSize + dataSize != bodies)
        return false;
    *numberBody = journal.mid(sizesEnd + 1, numberSize);
    *dataBody = journal.mid(sizesEnd + 1 + numberSize);
    return true;
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

void checkResultsPair(const QByteArray &numberBody, const QByteArray &dataBody)
{
    ResultsData data;
    if (parseResults(splitTextLines(numberBody), splitTextLines(dataBody), &data) !=
        ResultsStatus::Loaded)
        return checkResultsBodies(numberBody, dataBody);
    if (const QString mismatch = pairMismatch(data); !mismatch.isEmpty())
        throw DomainError(mismatch);
}

void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody)
{
    replaceResultsFiles(downloadFolder, numberBody, dataBody, commitStaged);
}

void replaceResultsFiles(const QString &downloadFolder, const QByteArray &numberBody,
                         const QByteArray &dataBody, const CommitStep &commit)
{
    const QString numberPath = downloadFolder + kNumberFileName;
    const QString dataPath = downloadFolder + kDataFileName;
    const QString journalPath = downloadFolder + kPairJournalName;

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

    // A file that another program holds open would stop the pair halfway: none is touched.
    ensureNotHeldOpen(numberPath, shownPath(kNumberFileName));
    ensureNotHeldOpen(dataPath, shownPath(kDataFileName));

    // From here on a pair cut short by the end of the program is completed at the next start.
    writeWholeFile(journalPath, journalOf(numberBody, dataBody), shownPath(kPairJournalName));
    try {
        commit(number, shownPath(kNumberFileName));
    } catch (const DomainError &) {
        QFile::remove(journalPath);
        throw;
    }
    try {
        commit(data, shownPath(kDataFileName));
    } catch (const DomainError &) {
        // The old pair back, and no replacement left to complete. Should the draw list not go
        // back, the journal stays: the next start completes the new pair instead.
        const bool restored =
            hadNumberFile ? restoreQuietly(numberPath, previousNumber) : QFile::remove(numberPath);
        if (restored)
            QFile::remove(journalPath);
        throw;
    }
    QFile::remove(journalPath);
}

bool finishPairReplacement(const QString &downloadFolder)
{
    const QString journalPath = downloadFolder + kPairJournalName;
    QFile journal(journalPath);
    if (!journal.exists())
        return false;
    if (!journal.open(QIODevice::ReadOnly))
        throw DomainError(
            fileErrorMessage(QStringLiteral("を開けません"), shownPath(kPairJournalName), journal));
    QByteArray numberBody, dataBody;
    const bool whole = readJournal(journal.readAll(), &numberBody, &dataBody);
    journal.close();
    if (whole) {
        writeWholeFile(downloadFolder + kNumberFileName, numberBody, shownPath(kNumberFileName));
        writeWholeFile(downloadFolder + kDataFileName, dataBody, shownPath(kDataFileName));
    }
    QFile::remove(journalPath);
    return whole;
}
