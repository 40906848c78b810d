#include "core/tickets/TicketFile.h"

#include "core/common/DomainError.h"
#include "core/common/FileCommit.h"
#include "core/common/FileErrors.h"
#include "core/common/FileIdentity.h"
#include "core/common/FileNames.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/tickets/CommaText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <memory>
#include <vector>

namespace
{

constexpr char kCtrlZ = 26;
// A number of a line has at most two digits once its leading zeros are gone.
constexpr int kMaxNumberDigits = 2;

} // namespace

QByteArray readClientFile(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    QFile file(path);
    const auto refused = [&](const QString &why) {
        if (!reason)
            throw DomainError(QStringLiteral("ファイル「%1」を開けません（%2）。")
                                  .arg(QDir::toNativeSeparators(path), why));
        *reason = why;
        return QByteArray();
    };
    const auto failed = [&](const QString &what) {
        if (!reason)
            throw DomainError(fileErrorMessage(what, path, file));
        *reason = fileErrorReason(file);
        return QByteArray();
    };
    // Only a regular file is opened: a FIFO or a device would wait for a writer or never end,
    // and a folder holds no lines.
    if (!info.isFile())
        return refused(QStringLiteral("通常のファイルではありません"));
    if (info.size() > kMaxTicketFileBytes)
        return refused(QStringLiteral("ファイルが大きすぎます。上限は %1 KiB です")
                           .arg(kMaxTicketFileBytes / 1024));
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("を開けません"));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("を読み込めません"));
    if (data.isNull())
        data = QByteArray(""); // exists, but empty
    return data;
}

namespace
{

// How many Ctrl+Z end the data: the end mark some Windows text tools still write.
qsizetype endMarks(const QByteArray &data)
{
    qsizetype n = 0;
    while (n < data.size() && data.at(data.size() - 1 - n) == kCtrlZ)
        ++n;
    return n;
}

bool onlyBlanks(const QByteArray &data)
{
    for (const char c : data) {
        if (static_cast<unsigned char>(c) > 32)
            return false;
    }
    return true;
}

// Whether a line holds nothing but commas and blanks, as the line a cancel leaves behind.
bool namesNothing(const QString &line)
{
    for (const QChar c : line) {
        if (c != QLatin1Char(',') && c.unicode() > 32)
            return false;
    }
    return true;
}

// Whether the line is one of the draw's, by the draw number it starts with.
bool belongsTo(const QString &line, const QString &drawKey)
{
    return !drawKey.isEmpty() && readTicketLine(line).draw == drawKey;
}

QVector<TicketLine> ticketLinesOf(const QByteArray &data)
{
    QVector<TicketLine> lines;
    for (const QString &text : splitTextLines(data, TextRules::TicketFile))
        lines.append(readTicketLine(text));
    return lines;
}

// A journal of a save into several files as older versions wrote it: a first line naming
// it, a line with the number of files, a line "name size" for each, then the contents. False
// when it is not one, whole.
bool readOlderJournal(const QByteArray &journal, QStringList *names, QVector<QByteArray> *contents)
{
    const QByteArray mark = "Loto6Yorune ticket save\n";
    if (!journal.startsWith(mark))
        return false;
    qsizetype at = mark.size();
    const auto nextLine = [&journal, &at](QByteArray *line) {
        const qsizetype end = journal.indexOf('\n', at);
        if (end < 0)
            return false;
        *line = journal.mid(at, end - at);
        at = end + 1;
        return true;
    };
    QByteArray line;
    bool ok = false;
    if (!nextLine(&line))
        return false;
    const int count = line.toInt(&ok);
    if (!ok || count < 1 || count > 1000)
        return false;
    QVector<qint64> sizes;
    for (int i = 0; i < count; ++i) {
        if (!nextLine(&line))
            return false;
        const QList<QByteArray> fields = line.split(' ');
        const qint64 size = fields.value(1).toLongLong(&ok);
        if (fields.size() != 2 || !ok || size < 0)
            return false;
        names->append(QString::fromUtf8(fields.value(0)));
        sizes.append(size);
    }
    for (const qint64 size : sizes) {
        if (size > journal.size() - at)
            return false;
        contents->append(size == 0 ? QByteArray("") : journal.mid(at, size));
        at += size;
    }
    return at == journal.size();
}

} // namespace

bool isPlainDrawNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool isTicketFileName(const QString &name)
{
    if (!name.endsWith(QLatin1String(".csv"), kFileNameCase))
        return false;
    const QString number = name.chopped(4);
    return isPlainDrawNumber(number) && !number.startsWith(QLatin1Char('0'));
}

std::optional<QString> ticketFilePath(const QString &programFolder, const QString &drawText)
{
    if (!isPlainDrawNumber(drawText))
        return std::nullopt;
    return programFolder + kClientFolder + drawText + QStringLiteral(".csv");
}

QString ticketFilePath(const QString &programFolder, int draw)
{
    return programFolder + shownTicketFile(draw);
}

QString shownTicketFile(int draw)
{
    return kClientFolder + QString::number(draw) + QStringLiteral(".csv");
}

std::optional<NumberSet> lineNumbers(const QStringList &fields)
{
    if (fields.size() != kPicksPerLine)
        return std::nullopt;
    NumberSet line = 0;
    for (const QString &field : fields) {
        const QString key = drawNumberKey(field);
        const int n = key.size() <= kMaxNumberDigits ? key.toInt() : 0;
        if (n < kLotoMin || n > kLotoMax || (line & numberBit(n)))
            return std::nullopt;
        line |= numberBit(n);
    }
    return line;
}

QString drawNumberKey(const QString &text)
{
    if (!isPlainDrawNumber(text))
        return QString();
    qsizetype zeros = 0;
    while (zeros < text.size() && text.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return text.mid(zeros);
}

TicketLine readTicketLine(const QString &text)
{
    TicketLine line;
    line.text = text;
    // One cell more than a line has: a filled one is a field too many.
    QStringList fields = readCommaText(text, kTicketColumns + 1);
    const bool tooMany = !fields.last().isEmpty();
    fields.removeLast();
    line.draw = drawNumberKey(fields.first());
    if (!tooMany)
        line.line = LotoLine::fromFields(fields);
    line.cells = std::move(fields);
    return line;
}

bool isInProgramData(const QString &path, const QString &dataFolder, const QString &installFolder)
{
    // Compared as the file system has them, links resolved; a folder not there yet as written.
    const auto real = [](const QString &folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        return QDir::cleanPath(canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath()
                                                   : canonical) +
               QLatin1Char('/');
    };
    // The file the name reaches: a link is followed to its target, also one whose target is
    // not there yet (the write would create it there).
    QFileInfo file(path);
    for (int hops = 0; file.isSymLink() && hops < 40; ++hops)
        file = QFileInfo(QDir(file.absolutePath()).absoluteFilePath(file.symLinkTarget()));
    const QString target = real(file.absolutePath());
    const QStringList folders = {dataFolder + kClientFolder.chopped(1),
                                 dataFolder + kDownloadFolder.chopped(1),
                                 installFolder + kDownloadFolder.chopped(1)};
    for (const QString &folder : folders) {
        if (target.startsWith(real(folder), kFileNameCase))
            return true;
    }
    // The same file or folder reached another way.
    const std::optional<FileIdentity> fileId = fileIdentity(file.absoluteFilePath());
    const std::optional<FileIdentity> folderId = fileIdentity(file.absolutePath());
    for (const QString &folder : folders) {
        const std::optional<FileIdentity> id = fileIdentity(folder);
        if (!id)
            continue;
        if (folderId && *folderId == *id)
            return true;
        if (!fileId)
            continue;
        const QDir dir(folder);
        const QStringList names = dir.entryList(QDir::Files | QDir::System | QDir::Hidden);
        for (const QString &name : names) {
            if (fileIdentity(dir.filePath(name)) == fileId)
                return true;
        }
    }
    return false;
}

QString shownLineNumbers(const QStringList &cells)
{
    QString text;
    for (const QString &cell : cells.mid(1)) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += cell.left(kShownLineLength + 1); // no more than can be shown
        if (text.size() > kShownLineLength)
            return text.left(kShownLineLength - 1) + QStringLiteral("…");
    }
    return text;
}

void appendTicketLines(const QVector<TicketAppend> &appends)
{
    appendTicketLines(appends, commitStaged);
}

void appendTicketLines(const QVector<TicketAppend> &appends, const CommitStep &commit,
                       const ClientFileReader &read)
{
    if (appends.isEmpty())
        return;
    const CommitFolder where = ticketCommitFolder(appends.first().path);
    QVector<FileChange> changes;
    for (const TicketAppend &append : appends) {
        const QByteArray old = read ? read(append.path) : readClientFile(append.path);
        const qsizetype marks = endMarks(old);
        QByteArray content = old.left(old.size() - marks);
        if (!content.isEmpty() && !content.endsWith('\r') && !content.endsWith('\n'))
            content += "\r\n";
        changes.append({QDir(where.folder).relativeFilePath(append.path), old,
                        content + append.lines + old.right(marks)});
    }
    commitFiles(where, changes, commit);
}

CommitFolder ticketCommitFolder(const QString &ticketFile)
{
    CommitFolder where;
    where.folder = QFileInfo(ticketFile).absolutePath() + QLatin1Char('/');
    where.shownFolder = kClientFolder;
    where.journalName = kTicketJournalName;
    where.acceptsName = isTicketFileName;
    where.readOlderJournal = readOlderJournal;
    return where;
}

CommitRecovery finishTicketSave(const QString &clientFolder)
{
    return recoverCommit(ticketCommitFolder(clientFolder + kTicketJournalName));
}

QString ticketRecoveryText(const CommitRecovery &recovery)
{
    return recoveryReport(recovery, QStringLiteral("申込数字の保存"), [](const QString &name) {
        return QStringLiteral("第%1回").arg(name.chopped(4));
    });
}

void writeTicketLines(const QString &path, const QByteArray &lines)
{
    writeWholeFile(path, lines, path);
}

TicketListing listTicketFile(const QString &path, const QString &drawText)
{
    TicketListing listing;
    const QString drawKey = drawNumberKey(drawText);
    const QVector<TicketLine> lines = readAllTicketLines(path);
    listing.hasLines = !lines.isEmpty();
    for (const TicketLine &line : lines) {
        if (drawKey.isEmpty() || line.draw != drawKey)
            continue;
        listing.lines.append(line);
    }
    return listing;
}

QVector<QStringList> TicketListing::rows() const
{
    QVector<QStringList> rows;
    for (const TicketLine &line : lines)
        rows.append(line.cells);
    return rows;
}

QVector<TicketLine> readAllTicketLines(const QString &path)
{
    return ticketLinesOf(readClientFile(path));
}

QVector<TicketLine> readAllTicketLines(const QString &path, QString *reason)
{
    return ticketLinesOf(readClientFile(path, reason));
}

TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row)
{
    const QByteArray data = readClientFile(path);
    const QString drawKey = drawNumberKey(drawText);
    QVector<TextLineSpan> listed;
    QVector<QStringList> rowsNow;
    for (const TextLineSpan &span : splitTextLineSpans(data, TextRules::TicketFile)) {
        if (belongsTo(span.text, drawKey)) {
            listed.append(span);
            rowsNow.append(readTicketLine(span.text).cells);
        }
    }
    if (data.isNull() || rowsNow != listedRows || row < 0 || row >= listed.size())
        return TicketRemoval::ListOutdated;

    const TextLineSpan &gone = listed.at(row);
    QByteArray rest = data.left(gone.start) + data.mid(gone.end);
    if (onlyBlanks(rest))
        rest = kEmptyTicketLine + rest.right(endMarks(rest));
    commitFiles(ticketCommitFolder(path), {{QFileInfo(path).fileName(), data, rest}});
    return TicketRemoval::Removed;
}

bool removeDrawTicketLines(const QString &path, const QString &drawText)
{
    const QByteArray data = readClientFile(path);
    if (data.isNull())
        return false;
    const QString drawKey = drawNumberKey(drawText);
    QByteArray rest;
    qsizetype kept = 0; // bytes before this were looked at
    for (const TextLineSpan &span : splitTextLineSpans(data, TextRules::TicketFile)) {
        if (!belongsTo(span.text, drawKey))
            continue;
        rest += data.mid(kept, span.start - kept);
        kept = span.end;
    }
    rest += data.mid(kept);

    const QStringList remaining = splitTextLines(rest, TextRules::TicketFile);
    if (std::all_of(remaining.begin(), remaining.end(), namesNothing))
        commitFiles(ticketCommitFolder(path), {{QFileInfo(path).fileName(), data, QByteArray()}});
    else if (rest != data)
        commitFiles(ticketCommitFolder(path), {{QFileInfo(path).fileName(), data, rest}});
    return true;
}

TicketRemoval removeListedDrawTicketLines(const QString &path, const QString &drawText,
                                          const QVector<QStringList> &listedRows)
{
    if (!QFileInfo::exists(path))
        return TicketRemoval::Removed;
    if (listTicketFile(path, drawText).rows() != listedRows)
        return TicketRemoval::ListOutdated;
    removeDrawTicketLines(path, drawText);
    return TicketRemoval::Removed;
}
