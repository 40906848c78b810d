#include "core/common/FileCommit.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/FileInUse.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace
{

// The journal: a first line naming it, a line with the number of files, a line for each file
// "name<TAB>old hash<TAB>new size<TAB>new hash" ("-" for no old file, and for a file removed),
// then the new contents one after the other.
const QByteArray kJournalMark = "Loto6Yorune commit 1\n";
const QByteArray kNone = "-";
constexpr int kMaxJournalFiles = 1000;
// The part of a damaged journal read for the names of its files.
constexpr qint64 kJournalHeadBytes = 64 * 1024;

QByteArray hashOf(const QByteArray &content)
{
    return content.isNull() ? kNone
                            : QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

struct JournalEntry {
    QString name;
    QByteArray beforeHash; // kNone: there was no file
    QByteArray after;      // null: the file is removed
};

QByteArray journalOf(const QVector<JournalEntry> &entries)
{
    QByteArray journal = kJournalMark + QByteArray::number(entries.size()) + '\n';
    for (const JournalEntry &entry : entries) {
        journal += entry.name.toUtf8() + '\t' + entry.beforeHash + '\t' +
                   (entry.after.isNull() ? kNone : QByteArray::number(entry.after.size())) + '\t' +
                   hashOf(entry.after) + '\n';
    }
    for (const JournalEntry &entry : entries)
        journal += entry.after;
    return journal;
}

bool isHash(const QByteArray &text)
{
    return text == kNone || (text.size() == 64 && QByteArray::fromHex(text).toHex() == text);
}

// The entries of a whole journal whose contents match their hashes; false when it is anything
// else.
bool readJournal(const QByteArray &journal, const CommitFolder &where,
                 QVector<JournalEntry> *entries)
{
    if (!journal.startsWith(kJournalMark))
        return false;
    qsizetype at = kJournalMark.size();
    QByteArray line;
    bool ok = false;
    if (!takeJournalLine(journal, &at, &line))
        return false;
    const int count = line.toInt(&ok);
    if (!ok || count < 1 || count > kMaxJournalFiles)
        return false;
    QVector<qint64> sizes;
    QVector<QByteArray> afterHashes;
    for (int i = 0; i < count; ++i) {
        if (!takeJournalLine(journal, &at, &line))
            return false;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            return false;
        JournalEntry entry;
        entry.name = QString::fromUtf8(fields.at(0));
        entry.beforeHash = fields.at(1);
        const bool removed = fields.at(2) == kNone;
        const qint64 size = removed ? -1 : fields.at(2).toLongLong(&ok);
        if ((!removed && (!ok || size < 0)) || !isHash(entry.beforeHash) || !isHash(fields.at(3)) ||
            (removed != (fields.at(3) == kNone)) || !where.acceptsName(entry.name))
            return false;
        entries->append(entry);
        sizes.append(size);
        afterHashes.append(fields.at(3));
    }
    for (int i = 0; i < count; ++i) {
        if (sizes.at(i) < 0)
            continue;
        if (sizes.at(i) > journal.size() - at)
            return false;
        (*entries)[i].after = journal.mid(at, sizes.at(i));
        if ((*entries)[i].after.isNull())
            (*entries)[i].after = QByteArray("");
        at += sizes.at(i);
        if (hashOf(entries->at(i).after) != afterHashes.at(i))
            return false;
    }
    return at == journal.size();
}

// The names a damaged journal's first lines give, in either form, as far as they read.
QStringList namesOfDamagedJournal(const CommitFolder &where)
{
    QFile file(where.journalPath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.read(kJournalHeadBytes).split('\n');
    QStringList names;
    for (const QByteArray &line : lines.mid(2)) {
        const QString name = QString::fromUtf8(line.split('\t').first().split(' ').first());
        if (!where.acceptsName(name))
            break;
        names.append(name);
    }
    return names;
}

// A hash of what the file holds now: that of no file when there is none; nothing when it is no
// regular file or cannot be read.
std::optional<QByteArray> presentHash(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return kNone;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return hash.result().toHex();
}

QString nativeJournalPath(const CommitFolder &where)
{
    return QDir::toNativeSeparators(where.journalPath());
}

// Puts a file back as it was: its old content, or no file. Best effort: the error that stopped
// the commit is the one to report. True when the file is back.
bool restoreQuietly(const QString &path, const QByteArray &before)
{
    try {
        if (before.isNull()) {
            if (QFileInfo::exists(path))
                removeWholeFile(path, path);
        } else {
            writeWholeFile(path, before, path);
        }
        return true;
    } catch (const DomainError &) {
        return false;
    }
}

// Removes the journal, giving a virus scanner that holds it a moment. False when it stays.
bool removeJournal(const CommitFolder &where)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0)
            QThread::msleep(50);
        QFile::remove(where.journalPath());
        if (!QFileInfo::exists(where.journalPath()) && !QFileInfo(where.journalPath()).isSymLink())
            return true;
    }
    return false;
}

QString journalStaysText(const CommitFolder &where)
{
    return QStringLiteral("前回の保存の記録「%1」を削除できません。ロト６ヨルネを終了してから"
                          "このファイルを削除してください。それまで、このフォルダーには保存でき"
                          "ません。")
        .arg(nativeJournalPath(where));
}

// Moves a journal that is not to be replayed out of the way, under a name that says so.
void setAside(const CommitFolder &where, CommitRecovery *recovery)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = where.journalName + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(where.folder + name); ++n)
        name = where.journalName + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') +
               QString::number(n);
    if (QDir(where.folder).rename(where.journalName, name))
        recovery->setAsideAs = where.shownFolder + name;
    else
        recovery->failure = journalStaysText(where);
}

} // namespace

bool takeJournalLine(const QByteArray &journal, qsizetype *at, QByteArray *line)
{
    const qsizetype end = journal.indexOf('\n', *at);
    if (end < 0)
        return false;
    *line = journal.mid(*at, end - *at);
    *at = end + 1;
    return true;
}

void ensureNoPendingCommit(const CommitFolder &where)
{
    const QFileInfo journal(where.journalPath());
    if (journal.exists() || journal.isSymLink())
        throw DomainError(
            QStringLiteral("前回中断された保存の記録「%1」が残っているため、保存できません。"
                           "ロト６ヨルネを再起動すると、その保存の完了を試みます。再起動しても"
                           "残るときは、ロト６ヨルネを終了してからこのファイルを削除してください。")
                .arg(nativeJournalPath(where)));
}

void commitFiles(const CommitFolder &where, const QVector<FileChange> &changes,
                 const CommitStep &step)
{
    ensureNoPendingCommit(where);
    // A file that another program holds open would stop the set halfway: none is touched.
    for (const FileChange &change : changes)
        ensureNotHeldOpen(where.folder + change.name, where.shownFolder + change.name);

    // Every new content is on disk before the first file is replaced, so that only the
    // replacements themselves remain that can fail.
    std::vector<StagedFile> staged;
    QVector<JournalEntry> entries;
    for (const FileChange &change : changes) {
        const QString path = where.folder + change.name, shown = where.shownFolder + change.name;
        if (!change.after.isNull()) {
            staged.push_back(stageWholeFile(path, change.after, shown));
        } else {
            QFile existing(path);
            if (!existing.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
                throw DomainError(
                    fileErrorMessage(QStringLiteral("を削除できません"), shown, existing));
            staged.emplace_back();
        }
        entries.append({change.name, hashOf(change.before), change.after});
    }

    // From here on a set cut short by the end of the program is completed at the next start.
    const bool journalled = changes.size() > 1;
    if (journalled) {
        const QByteArray journal = journalOf(entries);
        if (journal.size() > kMaxJournalBytes)
            throw DomainError(QStringLiteral("保存する内容が大きすぎます（一度に %1 MiB まで）。")
                                  .arg(kMaxJournalBytes / (1024 * 1024)));
        writeWholeFile(where.journalPath(), journal, where.shownJournal());
    }
    for (int i = 0; i < changes.size(); ++i) {
        const FileChange &change = changes.at(i);
        try {
            if (change.after.isNull())
                removeWholeFile(where.folder + change.name, where.shownFolder + change.name);
            else
                step(staged[static_cast<size_t>(i)]);
        } catch (const DomainError &) {
            // The old files back, and no commit left to complete. Should one not go back, the
            // journal stays: the next start completes the set instead.
            bool restored = true;
            for (int done = 0; done < i; ++done)
                restored =
                    restoreQuietly(where.folder + changes.at(done).name, changes.at(done).before) &&
                    restored;
            if (restored && journalled)
                removeJournal(where);
            throw;
        }
    }
    // A journal that cannot go stops the next commit, which says what to do; every file holds
    // its new content, so that the recovery at start writes nothing.
    if (journalled)
        removeJournal(where);
}

CommitRecovery recoverCommit(const CommitFolder &where, const CommitContentCheck &check,
                             bool allOrNone)
{
    CommitRecovery recovery;
    const QFileInfo info(where.journalPath());
    if (!info.exists() && !info.isSymLink()) {
        removeStagedLeftovers(where.folder);
        return recovery;
    }
    // A folder, a FIFO or a journal of any size the program never writes is not read.
    QVector<JournalEntry> entries;
    QByteArray bytes;
    bool whole = false;
    if (info.isFile() && info.size() <= kMaxJournalBytes) {
        QFile file(where.journalPath());
        if (!file.open(QIODevice::ReadOnly)) {
            recovery.failure =
                fileErrorMessage(QStringLiteral("を開けません"), where.shownJournal(), file);
            return recovery;
        }
        bytes = file.read(kMaxJournalBytes + 1);
        whole = file.error() == QFileDevice::NoError && readJournal(bytes, where, &entries);
    }
    QStringList olderNames;
    QVector<QByteArray> olderContents;
    const bool older = !whole && !bytes.isEmpty() && where.readOlderJournal &&
                       where.readOlderJournal(bytes, &olderNames, &olderContents) &&
                       std::all_of(olderNames.begin(), olderNames.end(), where.acceptsName);
    if (!whole && !older) {
        recovery.unsure = namesOfDamagedJournal(where);
        setAside(where, &recovery);
        return recovery;
    }
    QStringList names = olderNames;
    QVector<QByteArray> contents = olderContents;
    if (!older) {
        names.clear();
        contents.clear();
        for (const JournalEntry &entry : entries) {
            names.append(entry.name);
            contents.append(entry.after);
        }
    }
    if (check) {
        try {
            check(names, contents);
        } catch (const DomainError &e) {
            recovery.refusal = e.message();
            recovery.unsure = names;
            setAside(where, &recovery);
            return recovery;
        }
    }
    if (older) {
        // Completed once, over what the files hold now: it is rewritten in the present form
        // first, so that a start that cannot remove it does not replay it again.
        for (int i = 0; i < names.size(); ++i) {
            const std::optional<QByteArray> now = presentHash(where.folder + names.at(i));
            entries.append({names.at(i), now.value_or(kNone), contents.at(i)});
        }
        try {
            writeWholeFile(where.journalPath(), journalOf(entries), where.shownJournal());
        } catch (const DomainError &e) {
            recovery.failure = e.message() + QLatin1Char('\n') + journalStaysText(where);
            return recovery;
        }
    }

    // Each file is completed only while it holds what the commit replaced.
    QVector<const JournalEntry *> done, pending;
    for (const JournalEntry &entry : entries) {
        const std::optional<QByteArray> now = presentHash(where.folder + entry.name);
        if (now == hashOf(entry.after))
            done.append(&entry); // replaced before the end
        else if (now == entry.beforeHash)
            pending.append(&entry);
        else
            recovery.changedSince.append(entry.name);
    }
    if (allOrNone && !recovery.changedSince.isEmpty()) {
        recovery.changedSince.clear();
        for (const JournalEntry &entry : entries)
            recovery.changedSince.append(entry.name);
        done.clear();
        pending.clear();
    }
    for (const JournalEntry *entry : pending) {
        const QString path = where.folder + entry->name, shown = where.shownFolder + entry->name;
        try {
            if (entry->after.isNull())
                removeWholeFile(path, shown);
            else
                writeWholeFile(path, entry->after, shown);
        } catch (const DomainError &e) {
            recovery.failure = e.message();
            return recovery;
        }
        done.append(entry);
    }
    for (const JournalEntry &entry : entries) {
        if (done.contains(&entry))
            recovery.completed.append(entry.name);
    }
    if (!removeJournal(where)) {
        recovery.failure = journalStaysText(where);
        return recovery;
    }
    removeStagedLeftovers(where.folder);
    return recovery;
}

QString recoveryReport(const CommitRecovery &recovery, const QString &subject,
                       const std::function<QString(const QString &name)> &shownName)
{
    const auto listed = [&shownName](const QStringList &names) {
        QStringList shown;
        for (const QString &name : names)
            shown.append(shownName(name));
        return shown.join(QStringLiteral("、"));
    };
    QStringList lines;
    if (!recovery.completed.isEmpty())
        lines.append(QStringLiteral("前回終了時に中断された%1を完了しました（%2）。")
                         .arg(subject, listed(recovery.completed)));
    if (!recovery.changedSince.isEmpty())
        lines.append(QStringLiteral("前回終了時に中断された%1のうち、その後に変更されたファイルは"
                                    "そのままにしました（%2）。内容を確かめてください。")
                         .arg(subject, listed(recovery.changedSince)));
    if (!recovery.setAsideAs.isEmpty()) {
        QString line =
            recovery.refusal.isEmpty()
                ? QStringLiteral("前回終了時に中断された%1の記録が壊れていたため、完了できません"
                                 "でした。")
                      .arg(subject)
                : QStringLiteral("前回終了時に中断された%1の記録は、内容が正しくないため使いません"
                                 "でした（%2）。")
                      .arg(subject, recovery.refusal);
        line += QStringLiteral("記録は「%1」として残してあります。")
                    .arg(QDir::toNativeSeparators(recovery.setAsideAs));
        line += recovery.unsure.isEmpty()
                    ? QStringLiteral("どのファイルが途中のままか分かりません。")
                    : QStringLiteral("途中のままの可能性があります（%1）。")
                          .arg(listed(recovery.unsure));
        lines.append(line);
    }
    if (!recovery.failure.isEmpty())
        lines.append(QStringLiteral("前回終了時に中断された%1を完了できませんでした。%2")
                         .arg(subject, recovery.failure));
    return lines.join(QLatin1Char('\n'));
}
