#include "core/tickets/TicketFile.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/FileNames.h"
#include "core/common/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

QVector<TicketLine> ticketLinesOf(const QByteArray &data)
{
    QVector<TicketLine> lines;
    for (const QString &text : splitTextLines(data, TextRules::TicketFile))
        lines.append(readTicketLine(text));
    return lines;
}

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

bool isTicketFileName(const QString &name)
{
    if (!name.endsWith(QLatin1String(".csv"), kFileNameCase))
        return false;
    return ticketFileDraw(name.chopped(4)) != kNoDraw;
}

int ticketFileDraw(const QString &text)
{
    return text.startsWith(QLatin1Char('0')) ? kNoDraw : readDrawNumber(text).value_or(kNoDraw);
}

QString ticketFilePath(const QString &programFolder, int draw)
{
    return programFolder + shownTicketFile(draw);
}

QString shownTicketFile(int draw)
{
    return kClientFolder + QString::number(draw) + QStringLiteral(".csv");
}

TicketListing listTicketFile(const QString &path, int draw)
{
    TicketListing listing;
    const QVector<TicketLine> lines = readAllTicketLines(path);
    listing.hasLines = !lines.isEmpty();
    for (const TicketLine &line : lines) {
        if (draw == kNoDraw || line.draw != draw)
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

ClientFolderListing listClientFolder(const QString &clientFolder, int fromDraw)
{
    ClientFolderListing listing;
    const QDir folder(clientFolder);
    // Anything named like a ticket file is listed, so that one that is not a regular file (a
    // FIFO, a folder) is named to the player rather than passed over.
    const QStringList names = folder.entryList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        if (name.compare(kClaimedFileName, kFileNameCase) == 0) // the program's own, no stray
            continue;
        if (!isTicketFileName(name)) {
            if (QFileInfo(path).isFile())
                ++listing.skippedFiles;
            continue;
        }
        // A name beyond the last draw is listed as of no draw: only a reader of all the files
        // reads it.
        const int number = readDrawNumber(name.chopped(4)).value_or(kNoDraw);
        const int draw = number <= kMaxDrawNumber ? number : kNoDraw;
        if (draw < fromDraw)
            continue;
        listing.ticketFiles.append({draw, name, path, QFileInfo(path).isFile()});
    }
    return listing;
}

ClientLines readClientLines(const QString &clientFolder, int fromDraw)
{
    ClientLines read;
    const ClientFolderListing listing = listClientFolder(clientFolder, fromDraw);
    read.skippedFiles = listing.skippedFiles;
    for (const ClientFolderListing::TicketFile &file : listing.ticketFiles) {
        QString reason;
        read.lines += readAllTicketLines(file.path, &reason);
        if (!reason.isEmpty())
            read.unreadable.append(unreadableFileText(file.name, reason));
    }
    return read;
}

QString unreadableFileText(const QString &name, const QString &reason)
{
    return QStringLiteral("%1%2 を読めません：%3").arg(kClientFolder, name, reason);
}
