#include "core/tickets/TicketWrite.h"

#include "core/common/FileCommit.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace
{

constexpr char kCtrlZ = 26;

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
bool belongsTo(const QString &line, int draw)
{
    return draw != kNoDraw && readTicketLine(line).draw == draw;
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
    QByteArray line;
    bool ok = false;
    if (!takeJournalLine(journal, &at, &line))
        return false;
    const int count = line.toInt(&ok);
    if (!ok || count < 1 || count > 1000)
        return false;
    QVector<qint64> sizes;
    for (int i = 0; i < count; ++i) {
        if (!takeJournalLine(journal, &at, &line))
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

TicketRemoval removeListedTicketLine(const QString &path, int draw,
                                     const QVector<QStringList> &listedRows, int row)
{
    const QByteArray data = readClientFile(path);
    QVector<TextLineSpan> listed;
    QVector<QStringList> rowsNow;
    for (const TextLineSpan &span : splitTextLineSpans(data, TextRules::TicketFile)) {
        if (belongsTo(span.text, draw)) {
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

bool removeDrawTicketLines(const QString &path, int draw)
{
    const QByteArray data = readClientFile(path);
    if (data.isNull())
        return false;
    QByteArray rest;
    qsizetype kept = 0; // bytes before this were looked at
    for (const TextLineSpan &span : splitTextLineSpans(data, TextRules::TicketFile)) {
        if (!belongsTo(span.text, draw))
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

TicketRemoval removeListedDrawTicketLines(const QString &path, int draw,
                                          const QVector<QStringList> &listedRows)
{
    if (!QFileInfo::exists(path))
        return TicketRemoval::Removed;
    if (listTicketFile(path, draw).rows() != listedRows)
        return TicketRemoval::ListOutdated;
    removeDrawTicketLines(path, draw);
    return TicketRemoval::Removed;
}
