#include "TicketFile.h"

#include "app/DomainError.h"
#include "app/FileErrors.h"
#include "app/SafeWrite.h"
#include "results/TextLines.h"
#include "tickets/CommaText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <memory>
#include <vector>

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

void deleteFile(const QString &path)
{
    QFile file(path);
    if (!file.remove())
        throw DomainError(fileErrorMessage(QStringLiteral("を削除できません"), path, file));
}

// Puts a file back as it was before a save that could not be completed: its old content, or
// no file. Best effort: the error that stopped the save is the one to report.
void restoreQuietly(const QString &path, const QByteArray &before)
{
    try {
        if (before.isNull())
            deleteFile(path);
        else
            writeWholeFile(path, before, path);
    } catch (const DomainError &) {
    }
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

QVector<DrawLines> groupByDraw(const QVector<QStringList> &rows)
{
    QVector<DrawLines> groups;
    for (const QStringList &row : rows) {
        const QString draw = row.value(0);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&draw](const DrawLines &g) { return g.draw == draw; });
        if (group == groups.end())
            group = groups.insert(groups.end(), DrawLines{draw, QByteArray()});
        group->text += slateLinesText({row});
    }
    return groups;
}

void appendTicketLines(const QVector<TicketAppend> &appends)
{
    // Every new content is on disk before the first file is replaced, so that only the
    // replacements themselves remain that can fail.
    QVector<QByteArray> before;
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const TicketAppend &append : appends) {
        const QByteArray old = readWholeFile(append.path);
        QByteArray content = old;
        if (!content.isEmpty() && !content.endsWith('\r') && !content.endsWith('\n'))
            content += "\r\n";
        staged.push_back(std::make_unique<QSaveFile>(append.path));
        stageWholeFile(*staged.back(), content + append.lines, append.path);
        before.append(old);
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        const int at = static_cast<int>(i);
        try {
            commitStaged(*staged[i], appends.at(at).path);
        } catch (const DomainError &) {
            for (int done = 0; done < at; ++done)
                restoreQuietly(appends.at(done).path, before.at(done));
            throw;
        }
    }
}

void writeTicketLines(const QString &path, const QByteArray &lines)
{
    writeWholeFile(path, lines, path);
}

TicketListing listTicketFile(const QString &path, const QString &drawText)
{
    TicketListing listing;
    const QStringList lines = readTextLines(path, EmptyLines::Skip);
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
    for (const QString &line : readTextLines(path, EmptyLines::Skip))
        rows.append(readCommaText(line, kTicketColumns));
    return rows;
}

TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row)
{
    const QByteArray data = readWholeFile(path);
    QVector<TextLineSpan> listed;
    QVector<QStringList> rowsNow;
    for (const TextLineSpan &span : splitTextLineSpans(data, EmptyLines::Skip)) {
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

bool removeDrawTicketLines(const QString &path, const QString &drawText)
{
    const QByteArray data = readWholeFile(path);
    if (data.isNull())
        return false;
    QByteArray rest;
    qsizetype kept = 0; // bytes before this were looked at
    for (const TextLineSpan &span : splitTextLineSpans(data, EmptyLines::Skip)) {
        if (drawKeyOf(span.text) != drawText)
            continue;
        rest += data.mid(kept, span.start - kept);
        kept = span.end;
    }
    rest += data.mid(kept);

    const QStringList remaining = splitTextLines(rest, EmptyLines::Skip);
    if (std::all_of(remaining.begin(), remaining.end(), namesNothing))
        deleteFile(path);
    else if (rest != data)
        writeWholeFile(path, rest, path);
    return true;
}
