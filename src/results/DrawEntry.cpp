#include "DrawEntry.h"

#include "Formats.h"
#include "ResultsFiles.h"
#include "ResultsReplace.h"
#include "TextLines.h"
#include "app/DomainError.h"
#include "app/FileErrors.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

namespace
{

const std::array<QString, kPicksPerLine> kNumberNames = {
    QStringLiteral("本数字①"), QStringLiteral("本数字②"), QStringLiteral("本数字③"),
    QStringLiteral("本数字④"), QStringLiteral("本数字⑤"), QStringLiteral("本数字⑥")};

QString tierName(int tier, const char *what)
{
    return QStringLiteral("%1等の%2").arg(tier + 1).arg(QString::fromUtf8(what));
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

qint64 wholeNumber(const QString &text, const QString &name)
{
    // Grouping commas ("600,000,000") are welcome.
    const QString digits = plain(text).remove(QLatin1Char(','));
    if (digits.isEmpty())
        return 0;
    bool ok = digits.size() <= 15;
    for (const QChar c : digits)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!ok)
        throw DomainError(QStringLiteral("%1には 0 以上の整数を入れてください。").arg(name));
    return digits.toLongLong();
}

QByteArray readWhole(const QString &path, const QString &shown)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("を開けません"), shown, file));
    return file.readAll();
}

} // namespace

NewestDraw readNewestDraw(const QString &downloadFolder)
{
    const QStringList lines = readTextLines(downloadFolder + kNumberFileName);
    if (lines.isEmpty())
        throw DomainError(QStringLiteral("%1 にデータがありません。").arg(kNumberFileName));
    const DrawRecord newest = parseDrawLine(lines.first());
    return {*parseInteger(newest.caption), *parseDate(newest.date)};
}

EntryLines entryLines(const DrawEntry &entry, const NewestDraw &newest)
{
    const auto date = parseDate(plain(entry.date));
    if (!date)
        throw DomainError(QStringLiteral("日付は 2025/09/29 のように入れてください。"));
    if (*date <= newest.date)
        throw DomainError(QStringLiteral("日付は前回（第%1回）の %2 より後にしてください。")
                              .arg(newest.number)
                              .arg(formatDate(newest.date)));

    DrawFigures draw;
    draw.number = qint64(newest.number) + 1;
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

    for (size_t tier = 0; tier < draw.amounts.size(); ++tier) {
        draw.amounts[tier] = wholeNumber(entry.amounts[tier], tierName(int(tier), "金額"));
        draw.winners[tier] = wholeNumber(entry.winners[tier], tierName(int(tier), "口数"));
    }
    draw.carryOver = wholeNumber(entry.carryOver, QStringLiteral("キャリーオーバー"));
    return {drawLineOf(draw), prizeLineOf(draw)};
}

void addEnteredDraw(const QString &downloadFolder, const DrawEntry &entry)
{
    const EntryLines lines = entryLines(entry, readNewestDraw(downloadFolder));
    const QByteArray numbers =
        lines.numberLine + "\r\n" +
        readWhole(downloadFolder + kNumberFileName, kDownloadFolder + kNumberFileName);
    const QByteArray prizes =
        lines.prizeLine + "\r\n" +
        readWhole(downloadFolder + kDataFileName, kDownloadFolder + kDataFileName);
    checkResultsBodies(numbers, prizes);
    replaceResultsFiles(downloadFolder, numbers, prizes);
}
