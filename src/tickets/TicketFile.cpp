#include "TicketFile.h"

#include "app/DomainError.h"
#include "app/FileErrors.h"
#include "results/TextLines.h"
#include "tickets/CommaText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

constexpr char CR = 13;
constexpr char LF = 10;
constexpr char CtrlZ = 26;

// Where one line lies in the file's bytes: its text, and the span from the end of the line
// before it (the blanks the reader skips in front of a line belong to it) through its line end.
struct LineSpan {
    QString text;
    qsizetype start;
    qsizetype end;
};

// The lines of the data by the rule of the text reader (see TextLines.h), with their places.
QVector<LineSpan> lineSpans(const QByteArray &data)
{
    QVector<LineSpan> spans;
    const char *const begin = data.constData();
    const char *p = begin;
    const char *const end = p + data.size();
    for (;;) {
        const char *lead = p;
        while (p < end && static_cast<unsigned char>(*p) <= 32 && *p != CR && *p != CtrlZ)
            ++p;
        if (p == end || *p == CR || *p == CtrlZ)
            break;
        const char *start = p;
        while (p < end && *p != CR && *p != CtrlZ)
            ++p;
        const QString text = QString::fromUtf8(start, static_cast<qsizetype>(p - start));
        if (p < end && *p == CR) {
            ++p;
            if (p < end && *p == LF)
                ++p;
        }
        spans.append({text, lead - begin, p - begin});
    }
    return spans;
}

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
void writeWholeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("に書き込めません"), path, file));
    // The bytes may still sit in the file's buffer: a short write (a full disk) shows only
    // when they are flushed, and commit() would not report it, so flush here and check.
    if (file.write(data) != data.size() || !file.flush()) {
        const QString message = fileErrorMessage(QStringLiteral("に書き込めません"), path, file);
        file.cancelWriting();
        throw DomainError(message);
    }
    if (!file.commit())
        throw DomainError(fileErrorMessage(QStringLiteral("を保存できません"), path, file));
}

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
    if (!content.isEmpty() && !content.endsWith(CR) && !content.endsWith(LF))
        content += "\r\n";
    writeWholeFile(path, content + lines);
}

void writeTicketLines(const QString &path, const QByteArray &lines)
{
    writeWholeFile(path, lines);
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
    QVector<LineSpan> listed;
    QVector<QStringList> rowsNow;
    for (const LineSpan &span : lineSpans(data)) {
        if (drawKeyOf(span.text) == drawText) {
            listed.append(span);
            rowsNow.append(readCommaText(span.text, kTicketColumns));
        }
    }
    if (data.isNull() || rowsNow != listedRows || row < 0 || row >= listed.size())
        return TicketRemoval::ListOutdated;

    const LineSpan &gone = listed.at(row);
    QByteArray rest = data.left(gone.start) + data.mid(gone.end);
    if (onlyBlanks(rest))
        rest = kEmptyTicketLine;
    writeWholeFile(path, rest);
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
