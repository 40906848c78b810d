#include "core/results/ResultsReplace.h"

#include "core/common/DomainError.h"
#include "core/common/FileCommit.h"
#include "core/common/FileErrors.h"
#include "core/common/Formats.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

// A journal of a pair replacement as older versions wrote it: a first line naming it, a second
// with the sizes of the two bodies, then the bodies. False when it is not one, whole.
bool readOlderJournal(const QByteArray &journal, QStringList *names, QVector<QByteArray> *bodies)
{
    const QByteArray mark = "Loto6Yorune pair replacement\n";
    if (!journal.startsWith(mark))
        return false;
    const qsizetype sizesEnd = journal.indexOf('\n', mark.size());
    if (sizesEnd < 0)
        return false;
    const QList<QByteArray> sizes = journal.mid(mark.size(), sizesEnd - mark.size()).split(' ');
    bool numberOk = false, dataOk = false;
    const qint64 numberSize = sizes.value(0).toLongLong(&numberOk);
    const qint64 dataSize = sizes.value(1).toLongLong(&dataOk);
    const qint64 rest = journal.size() - sizesEnd - 1;
    if (sizes.size() != 2 || !numberOk || !dataOk || numberSize < 0 || dataSize < 0 ||
        numberSize + dataSize != rest)
        return false;
    *names = {kNumberFileName, kDataFileName};
    *bodies = {journal.mid(sizesEnd + 1, numberSize), journal.mid(sizesEnd + 1 + numberSize)};
    return true;
}

// What a results file holds now; null when there is none.
QByteArray presentContent(const QString &folder, const QString &name)
{
    QFile file(folder + name);
    if (!file.exists())
        return QByteArray();
    if (QFileInfo(file).size() > kMaxResultsFileBytes)
        throw DomainError(QStringLiteral("ファイル「%1」が大きすぎます。")
                              .arg(QDir::toNativeSeparators(kDownloadFolder + name)));
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(
            fileErrorMessage(QStringLiteral("を開けません"), kDownloadFolder + name, file));
    QByteArray content = file.readAll();
    return content.isNull() ? QByteArray("") : content;
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
    // The draw list is put back if the prize table cannot follow it: a new draw list beside an
    // old prize table would be a pair that never existed on the server.
    commitFiles(resultsCommitFolder(downloadFolder),
                {{kNumberFileName, presentContent(downloadFolder, kNumberFileName), numberBody},
                 {kDataFileName, presentContent(downloadFolder, kDataFileName), dataBody}},
                commit);
}

CommitFolder resultsCommitFolder(const QString &downloadFolder)
{
    CommitFolder where;
    where.folder = downloadFolder;
    where.shownFolder = kDownloadFolder;
    where.journalName = kPairJournalName;
    where.acceptsName = [](const QString &name) {
        return name == kNumberFileName || name == kDataFileName;
    };
    where.readOlderJournal = readOlderJournal;
    return where;
}

CommitRecovery finishPairReplacement(const QString &downloadFolder)
{
    // A pair is taken only whole and as the loader would read it: anything else would be
    // written over both files.
    const auto check = [](const QStringList &names, const QVector<QByteArray> &bodies) {
        if (names != QStringList{kNumberFileName, kDataFileName})
            throw DomainError(QStringLiteral("抽選結果ファイルが二つそろっていません"));
        checkResultsPair(bodies.at(0), bodies.at(1));
    };
    return recoverCommit(resultsCommitFolder(downloadFolder), check, true);
}

QString pairRecoveryText(const CommitRecovery &recovery)
{
    return recoveryReport(recovery, QStringLiteral("抽選結果ファイルの更新"),
                          [](const QString &name) { return name; });
}
