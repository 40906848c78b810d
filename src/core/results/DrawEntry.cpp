#include "core/results/DrawEntry.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"
#include "core/results/HistoryCheck.h"
#include "core/results/ResultsFiles.h"
#include "core/results/ResultsReplace.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

namespace
{

const std::array<QString, kPicksPerLine> kNumberNames = {
    QStringLiteral("本数字①"), QStringLiteral("本数字②"), QStringLiteral("本数字③"),
    QStringLiteral("本数字④"), QStringLiteral("本数字⑤"), QStringLiteral("本数字⑥")};

QString tierField(int tier, const char *what)
{
    return tierName(tier + 1) + QStringLiteral("の") + QString::fromUtf8(what);
}

// What was typed, with full-width digits and signs as their plain forms (as a Japanese input
// method often gives them) and without blanks around.
QString plain(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

int lotteryNumber(const QString &text, const QString &name)
{
    const auto n = parseInteger(plain(text));
    if (!n || *n < kLotoMin || *n > kLotoMax)
        throw DomainError(QStringLiteral("%1には 1～43 の数を入れてください。").arg(name));
    return *n;
}

qint64 wholeNumber(const QString &text, const QString &name, qint64 max, const QString &unit)
{
    // Grouping commas ("600,000,000") are welcome.
    const QString digits = plain(text).remove(QLatin1Char(','));
    if (digits.isEmpty())
        return 0;
    bool ok = true;
    for (const QChar c : digits)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!ok)
        throw DomainError(QStringLiteral("%1には 0 以上の整数を入れてください。").arg(name));
    // Beyond 18 digits the text no longer fits a number, and is over any limit all the same.
    if (digits.size() > 18 || digits.toLongLong() > max)
        throw DomainError(QStringLiteral("%1は %2 %3以下にしてください。")
                              .arg(name, formatGrouped(double(max)), unit));
    return digits.toLongLong();
}

QByteArray readWhole(const QString &path, const QString &shown)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("を開けません"), shown, file));
    return file.readAll();
}

// The file without its first line (and that line's end), every other byte kept.
QByteArray withoutFirstLine(const QByteArray &content)
{
    const QVector<TextLineSpan> lines = splitTextLineSpans(content);
    return lines.isEmpty() ? content : content.mid(lines.first().end);
}

NewestDraw drawOf(const QString &line)
{
    const DrawRecord record = parseDrawLine(line);
    return {record.number, *parseDate(record.date)};
}

// The texts of a draw line and its prize line, as the form shows them.
DrawEntry entryOf(const QString &drawLine, const QString &prizeLine)
{
    const DrawRecord draw = parseDrawLine(drawLine);
    const QStringList prizes = prizeLine.split(QLatin1Char(','));
    DrawEntry entry;
    entry.date = draw.date;
    entry.numbers = draw.main;
    entry.bonus = draw.bonus;
    for (size_t tier = 0; tier < entry.amounts.size(); ++tier) {
        entry.amounts[tier] = prizes.value(int(1 + 2 * tier));
        entry.winners[tier] = prizes.value(int(2 + 2 * tier));
    }
    entry.carryOver = prizes.value(kPrizeFields - 1);
    return entry;
}

} // namespace

NewestDraw newestDrawOf(const QVector<DrawRecord> &history)
{
    NewestDraw newest;
    for (const DrawRecord &draw : history) {
        const int number = draw.number;
        if (number > newest.number)
            newest = {number, parseDate(draw.date).value_or(QDate())};
    }
    return newest;
}

ResultsTop readResultsTop(const QString &downloadFolder)
{
    const QStringList lines = readTextLines(downloadFolder + kNumberFileName);
    if (lines.isEmpty())
        throw DomainError(QStringLiteral("%1 にデータがありません。").arg(kNumberFileName));
    ResultsTop top;
    top.newest = drawOf(lines.first());
    top.previous = {top.newest.number - 1, lines.size() > 1 ? drawOf(lines.at(1)).date : QDate()};
    const QStringList prizeLines = readTextLines(downloadFolder + kDataFileName);
    if (!prizeLines.isEmpty() &&
        parseInteger(prizeLines.first().section(QLatin1Char(','), 0, 0)) == top.newest.number)
        top.newestEntry = entryOf(lines.first(), prizeLines.first());
    return top;
}

namespace
{

DrawFigures figuresOf(const DrawEntry &entry, const NewestDraw &previous, const QDate &today)
{
    const auto date = parseDate(plain(entry.date));
    if (!date)
        throw DomainError(QStringLiteral("日付は 2025/09/29 のように入れてください。"));
    if (previous.date.isValid() && *date <= previous.date)
        throw DomainError(QStringLiteral("日付は前回（第%1回）の %2 より後にしてください。")
                              .arg(previous.number)
                              .arg(formatDate(previous.date)));
    if (*date > today)
        throw DomainError(
            QStringLiteral("日付は今日（%1）より後にはできません。").arg(formatDate(today)));

    DrawFigures draw;
    draw.number = qint64(previous.number) + 1;
    draw.date = *date;
    std::array<int, kPicksPerLine> &numbers = draw.main;
    for (size_t i = 0; i < numbers.size(); ++i) {
        numbers[i] = lotteryNumber(entry.numbers[i], kNumberNames[i]);
        for (size_t j = 0; j < i; ++j)
            if (numbers[j] == numbers[i])
                throw DomainError(
                    QStringLiteral("%1が%2と同じです。本数字は 6 つとも違う数にしてください。")
                        .arg(kNumberNames[i], kNumberNames[j]));
    }
    draw.bonus = lotteryNumber(entry.bonus, QStringLiteral("ボーナス数字"));
    if (std::find(numbers.begin(), numbers.end(), draw.bonus) != numbers.end())
        throw DomainError(QStringLiteral("ボーナス数字には本数字と違う数を入れてください。"));
    // The official results list the main numbers in ascending order.
    std::sort(numbers.begin(), numbers.end());

    const QString yen = QStringLiteral("円");
    for (size_t tier = 0; tier < draw.amounts.size(); ++tier) {
        draw.amounts[tier] =
            wholeNumber(entry.amounts[tier], tierField(int(tier), "金額"), kMaxEntryAmountYen, yen);
        draw.winners[tier] = wholeNumber(entry.winners[tier], tierField(int(tier), "口数"),
                                         kMaxEntryWinners, QString());
    }
    draw.carryOver = wholeNumber(entry.carryOver, QStringLiteral("キャリーオーバー"),
                                 kMaxEntryCarryOverYen, yen);
    return draw;
}

} // namespace

EntryLines entryLines(const DrawEntry &entry, const NewestDraw &previous, const QDate &today)
{
    const DrawFigures draw = figuresOf(entry, previous, today);
    return {drawLineOf(draw), prizeLineOf(draw)};
}

std::optional<QString> implausibleEntry(const DrawEntry &entry, const NewestDraw &previous,
                                        const QDate &today)
{
    return implausibleFigures(figuresOf(entry, previous, today));
}

bool hasEmptyPrizeField(const DrawEntry &entry)
{
    const auto empty = [](const QString &text) { return plain(text).isEmpty(); };
    return std::any_of(entry.amounts.begin(), entry.amounts.end(), empty) ||
           std::any_of(entry.winners.begin(), entry.winners.end(), empty);
}

ResultsData storeEnteredDraw(const QString &downloadFolder, const DrawEntry &entry,
                             EntryPlace place, const QDate &today)
{
    const ResultsTop top = readResultsTop(downloadFolder);
    const bool replacing = place == EntryPlace::ReplacingNewest;
    if (replacing && !top.newestEntry)
        throw DomainError(
            QStringLiteral("%1 の先頭の行が第%2回のものではないため、修正できません。")
                .arg(kDataFileName)
                .arg(top.newest.number));
    const EntryLines lines = entryLines(entry, replacing ? top.previous : top.newest, today);
    QByteArray numbers =
        readWhole(downloadFolder + kNumberFileName, kDownloadFolder + kNumberFileName);
    QByteArray prizes = readWhole(downloadFolder + kDataFileName, kDownloadFolder + kDataFileName);
    if (replacing) {
        numbers = withoutFirstLine(numbers);
        prizes = withoutFirstLine(prizes);
    }
    numbers.prepend(lines.numberLine + "\r\n");
    prizes.prepend(lines.prizeLine + "\r\n");
    ResultsData stored;
    if (parseResults(splitTextLines(numbers), splitTextLines(prizes), &stored) !=
        ResultsStatus::Loaded)
        checkResultsBodies(numbers, prizes); // names the file without data
    replaceResultsFiles(downloadFolder, numbers, prizes);
    return stored;
}
