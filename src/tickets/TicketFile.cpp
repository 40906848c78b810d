#include "TicketFile.h"

#include "app/DomainError.h"
#include "app/FileErrors.h"
#include "app/SafeWrite.h"
#include "results/TextLines.h"
#include "tickets/CommaText.h"

#include <QFile>
#include <QFileInfo>

namespace
{

QString drawKeyOf(const QString &line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    return comma < 0 ? QString() : line.left(comma);
}

// The whole file, or a null array when there is none.
QByteArray readWholeFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("を開けません"), path, file));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DomainError(fileErrorMessage(QStringLiteral("を読み込めません"), path, file));
    if (data.isNull())
        data = QByteArray(""); // exists, but empty
    return data;
}

// Replaces the file's content whole: the old content stays until the new one is complete.
bool onlyBlanks(const QByteArray &data)
{
    for (const char c : data) {
        if (static_cast<unsigned char>(c) > 32)
            return false;
    }
    return true;
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

std::optional<QString> ticketFilePath(const QString &programFolder, const QString &drawText)
{
    if (!isPlainDrawNumber(drawText))
        return std::nullopt;
    return programFolder + QStringLiteral("client/") + drawText + QStringLiteral(".csv");
}

QString ticketLineOf(const QStringList &cells)
{
    return writeCommaText(cells);
}

QByteArray slateLinesText(const QVector<QStringList> &rows)
{
    QByteArray text;
    for (const QStringList &row : rows)
        text += ticketLineOf(row).toUtf8() + "\r\n";
    return text;
}

void appendTicketLines(const QString &path, const QByteArray &lines)
{
    QByteArray content = readWholeFile(path);
    if (!content.isEmpty() && !content.endsWith('\r') && !content.endsWith('\n'))
        content += "\r\n";
    writeWholeFile(path, content + lines, path);
}

void writeTicketLines(const QString &path, const QByteArray &lines)
{
    writeWholeFile(path, lines, path);
}

TicketListing listTicketFile(const QString &path, const QString &drawText)
{
    TicketListing listing;
    const QStringList lines = readTextLines(path);
    listing.hasLines = !lines.isEmpty();
    for (const QString &line : lines) {
        if (drawKeyOf(line) == drawText)
            listing.rows.append(readCommaText(line, kTicketColumns));
    }
    return listing;
}

QVector<QStringList> readAllTicketLines(const QString &path)
{
    QVector<QStringList> rows;
    for (const QString &line : readTextLines(path))
        rows.append(readCommaText(line, kTicketColumns));
    return rows;
}

TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row)
{
    const QByteArray data = readWholeFile(path);
    QVector<TextLineSpan> listed;
    QVector<QStringList> rowsNow;
    for (const TextLineSpan &span : splitTextLineSpans(data)) {
        if (drawKeyOf(span.text) == drawText) {
            listed.append(span);
            rowsNow.append(readCommaText(span.text, kTicketColumns));
        }
    }
    if (data.isNull() || rowsNow != listedRows || row < 0 || row >= listed.size())
        return TicketRemoval::ListOutdated;

    const TextLineSpan &gone = listed.at(row);
    QByteArray rest = data.left(gone.start) + data.mid(gone.end);
    if (onlyBlanks(rest))
        rest = kEmptyTicketLine;
    writeWholeFile(path, rest, path);
    return TicketRemoval::Removed;
}

bool deleteTicketFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.remove())
        throw DomainError(fileErrorMessage(QStringLiteral("を削除できません"), path, file));
    return true;
}
