#include "core/tickets/TicketFile.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
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

// The whole file, or a null array when there is none. A file that exists but cannot be read
// raises DomainError or, when reason is given, gives a null array and says why in *reason.
QByteArray readWholeFile(const QString &path, QString *reason = nullptr)
{
    if (!QFileInfo::exists(path))
        return QByteArray();
    QFile file(path);
    const auto failed = [&](const QString &what) {
        if (!reason)
            throw DomainError(fileErrorMessage(what, path, file));
        *reason = fileErrorReason(file);
        return QByteArray();
    };
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("を開けません"));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("を読み込めません"));
    if (data.isNull())
        data = QByteArray(""); // exists, but empty
    return data;
}

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
    return programFolder + QStringLiteral("client/") + drawText + QStringLiteral(".csv");
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
    const qsizetype count = std::find(fields.begin(), fields.end(), QString()) - fields.begin();
    if (!tooMany && count == kTicketColumns)
        line.numbers = lineNumbers(fields.mid(1)).value_or(0);
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
    const QString target = real(QFileInfo(path).absolutePath());
    for (const QString &folder :
         {dataFolder + QStringLiteral("client"), dataFolder + QStringLiteral("download"),
          installFolder + QStringLiteral("download")}) {
        if (target.startsWith(real(folder), kFileNameCase))
            return true;
    }
    return false;
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
    appendTicketLines(appends, commitStaged);
}

void appendTicketLines(const QVector<TicketAppend> &appends, const CommitStep &commit)
{
    // Every new content is on disk before the first file is replaced, so that only the
    // replacements themselves remain that can fail.
    QVector<QByteArray> before;
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const TicketAppend &append : appends) {
        const QByteArray old = readWholeFile(append.path);
        const qsizetype marks = endMarks(old);
        QByteArray content = old.left(old.size() - marks);
        if (!content.isEmpty() && !content.endsWith('\r') && !content.endsWith('\n'))
            content += "\r\n";
        staged.push_back(std::make_unique<QSaveFile>(append.path));
        stageWholeFile(*staged.back(), content + append.lines + old.right(marks), append.path);
        before.append(old);
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        const int at = static_cast<int>(i);
        try {
            commit(*staged[i], appends.at(at).path);
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
    const QString drawKey = drawNumberKey(drawText);
    const QVector<TicketLine> lines = readAllTicketLines(path);
    listing.hasLines = !lines.isEmpty();
    for (const TicketLine &line : lines) {
        if (drawKey.isEmpty() || line.draw != drawKey)
            continue;
        listing.rows.append(line.cells);
        listing.invalid.append(!line.valid());
    }
    return listing;
}

QVector<TicketLine> readAllTicketLines(const QString &path)
{
    return ticketLinesOf(readWholeFile(path));
}

QVector<TicketLine> readAllTicketLines(const QString &path, QString *reason)
{
    return ticketLinesOf(readWholeFile(path, reason));
}

TicketRemoval removeListedTicketLine(const QString &path, const QString &drawText,
                                     const QVector<QStringList> &listedRows, int row)
{
    const QByteArray data = readWholeFile(path);
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
    writeWholeFile(path, rest, path);
    return TicketRemoval::Removed;
}

bool removeDrawTicketLines(const QString &path, const QString &drawText)
{
    const QByteArray data = readWholeFile(path);
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
        deleteFile(path);
    else if (rest != data)
        writeWholeFile(path, rest, path);
    return true;
}
