#include "core/results/ResultsFiles.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/TextLines.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

// Splits a line into exactly n fields: each field but the last is the text before the next
// comma; the last is everything that remains. A missing comma yields an empty field, so a
// short line fails its conversion and a long one leaves commas in the last field.
class FieldReader
{
public:
    explicit FieldReader(const QString &line) : m_line(line) {}

    QStringView next()
    {
        const qsizetype comma = m_line.indexOf(QLatin1Char(','), m_pos);
        if (comma < 0)
            return QStringView();
        const QStringView field = QStringView(m_line).mid(m_pos, comma - m_pos);
        m_pos = comma + 1;
        return field;
    }
    QStringView rest() const { return QStringView(m_line).mid(m_pos); }

private:
    const QString &m_line;
    qsizetype m_pos = 0;
};

int toInteger(QStringView text)
{
    const auto value = parseInteger(text);
    if (!value)
        throw DomainError(notAnIntegerMessage(text.toString()));
    return *value;
}

double toDecimal(QStringView text)
{
    const auto value = parseDecimal(text);
    if (!value)
        throw DomainError(notADecimalMessage(text.toString()));
    return *value;
}

QString mainNumber(QStringView text)
{
    const int n = toInteger(text);
    if (n < kLotoMin || n > kLotoMax)
        throw DomainError(QStringLiteral("本数字 %1 が 1～43 の範囲にありません")
                              .arg(quotedText(text.toString())));
    return twoDigits(n);
}

// Names the draw of the line when its first field reads as one, with the line beside it.
QString locatedMessage(const QString &fileName, const QString &line, int lineIndex,
                       const QString &what)
{
    const auto draw = parseInteger(line.section(QLatin1Char(','), 0, 0).trimmed());
    const QString row = QStringLiteral("%1 行目").arg(lineIndex + 1);
    const QString place = draw && *draw > 0 ? QStringLiteral("第%1回（%2）").arg(*draw).arg(row)
                                            : QStringLiteral(" %1").arg(row);
    return QStringLiteral("%1 の%2を読み込めません：%3。").arg(fileName, place, what);
}

template <typename Record, typename Parse>
QVector<Record> parseLines(const QStringList &lines, const QString &fileName, Parse parse)
{
    QVector<Record> records;
    records.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        try {
            records.append(parse(lines.at(i)));
        } catch (const DomainError &e) {
            throw DomainError(locatedMessage(fileName, lines.at(i), i, e.message()));
        }
    }
    return records;
}

// One line of Loto6Data.csv read once: as the prize table shows it, and in figures.
struct PrizeRow {
    PrizeRecord record;
    PrizeAmounts amounts;
};

PrizeRow parsePrizeRow(const QString &line)
{
    FieldReader fields(line);
    PrizeRow row;
    row.amounts.draw = toInteger(fields.next());
    row.record.draw = row.amounts.draw;
    for (int column = 1; column < kPrizeFields; ++column) {
        const QStringView text = column == kPrizeFields - 1 ? fields.rest() : fields.next();
        const double value = toDecimal(text);
        row.record.figures[static_cast<size_t>(column - 1)] = value;
        if (column % 2 == 1 && column / 2 < kPrizeTiers)
            row.amounts.amount[static_cast<size_t>(column / 2)] =
                std::llround(std::max(0.0, value));
    }
    return row;
}

} // namespace

QString PrizeRecord::operator[](int k) const
{
    if (k == 0)
        return QString::number(draw);
    if (k < 0 || k >= kPrizeFields)
        return QString();
    const double value = figures[static_cast<size_t>(k - 1)];
    return k % 2 == 1 ? formatYen(value) : formatGrouped(value);
}

QStringList PrizeRecord::texts() const
{
    QStringList fields;
    fields.reserve(kPrizeFields);
    for (int k = 0; k < kPrizeFields; ++k)
        fields.append((*this)[k]);
    return fields;
}

QString DrawRecord::column(int c) const
{
    if (c == 0)
        return caption;
    if (c == 1)
        return date;
    if (c >= 2 && c < 2 + kPicksPerLine)
        return main[static_cast<size_t>(c - 2)];
    if (c == 2 + kPicksPerLine)
        return bonus;
    return QString();
}

DrawRecord parseDrawLine(const QString &line)
{
    FieldReader fields(line);
    DrawRecord record;
    record.number = toInteger(fields.next());
    record.caption = formatDrawCaption(record.number);
    const QStringView dateText = fields.next();
    const auto date = parseDate(dateText);
    if (!date)
        throw DomainError(notADateMessage(dateText.toString()));
    record.date = formatDate(*date);
    for (auto &number : record.main)
        number = mainNumber(fields.next());
    record.bonus = twoDigits(toInteger(fields.rest()));
    return record;
}

PrizeRecord parsePrizeLine(const QString &line)
{
    return parsePrizeRow(line).record;
}

QByteArray drawLineOf(const DrawFigures &draw)
{
    QStringList fields{QString::number(draw.number), formatDate(draw.date)};
    for (const int n : draw.main)
        fields << QString::number(n);
    fields << QString::number(draw.bonus);
    return fields.join(QLatin1Char(',')).toLatin1();
}

QByteArray prizeLineOf(const DrawFigures &draw)
{
    QStringList fields{QString::number(draw.number)};
    for (size_t tier = 0; tier < draw.amounts.size(); ++tier)
        fields << QString::number(draw.amounts[tier]) << QString::number(draw.winners[tier]);
    fields << QString::number(draw.carryOver);
    return fields.join(QLatin1Char(',')).toLatin1();
}

PrizeAmounts parsePrizeAmounts(const QString &line)
{
    return parsePrizeRow(line).amounts;
}

QVector<PrizeAmounts> parsePrizeAmountLines(const QStringList &lines)
{
    return parseLines<PrizeAmounts>(lines, kDataFileName, parsePrizeAmounts);
}

BaseCountTable countBaseNumbers(const QVector<DrawRecord> &draws)
{
    BaseCountTable table{};
    for (const DrawRecord &draw : draws) {
        for (size_t p = 0; p < draw.main.size(); ++p) {
            const auto n = parseInteger(draw.main[p]);
            if (!n || *n < kLotoMin || *n > kLotoMax)
                throw DomainError(QStringLiteral("本数字 %1 が 1～43 の範囲にありません。")
                                      .arg(quotedText(draw.main[p])));
            ++table[p][static_cast<size_t>(*n - 1)];
        }
    }
    return table;
}

ResultsStatus parseResults(const QStringList &numberLines, const QStringList &dataLines,
                           ResultsData *out)
{
    if (numberLines.isEmpty())
        return ResultsStatus::NumberFileMissing;
    ResultsData data;
    data.draws = parseLines<DrawRecord>(numberLines, kNumberFileName, parseDrawLine);
    if (dataLines.isEmpty())
        return ResultsStatus::DataFileMissing;
    const QVector<PrizeRow> rows = parseLines<PrizeRow>(dataLines, kDataFileName, parsePrizeRow);
    data.prizes.reserve(rows.size());
    data.amounts.reserve(rows.size());
    for (const PrizeRow &row : rows) {
        data.prizes.append(row.record);
        data.amounts.append(row.amounts);
    }
    data.counts = countBaseNumbers(data.draws);
    const int newest = data.draws.first().number;
    data.newestDraw = newest;
    data.comingDraw = newest < std::numeric_limits<int>::max() ? newest + 1 : 0;
    *out = std::move(data);
    return ResultsStatus::Loaded;
}

QString pairMismatch(const ResultsData &data)
{
    QString difference;
    const qsizetype common = std::min(data.draws.size(), data.prizes.size());
    for (qsizetype i = 0; i < common && difference.isEmpty(); ++i) {
        const int draw = data.draws.at(i).number;
        const int prize = data.prizes.at(i).draw;
        if (draw != prize)
            difference = QStringLiteral("%1 行目：%2 は第%3回、%4 は第%5回")
                             .arg(i + 1)
                             .arg(kNumberFileName, QString::number(draw), kDataFileName,
                                  QString::number(prize));
    }
    if (difference.isEmpty() && data.draws.size() != data.prizes.size())
        difference = QStringLiteral("%1 は %2 回分、%3 は %4 回分")
                         .arg(kNumberFileName)
                         .arg(data.draws.size())
                         .arg(kDataFileName)
                         .arg(data.prizes.size());
    if (difference.isEmpty())
        return QString();
    return QStringLiteral("抽選結果の 2 つのファイルが対応していません（%1）。"
                          "最新の抽選結果をダウンロードしてください。")
        .arg(difference);
}

ResultsStatus readResultsFolder(const QString &downloadFolder, ResultsData *out)
{
    for (const QString &name : {kNumberFileName, kDataFileName}) {
        if (QFileInfo(downloadFolder + name).size() > kMaxResultsFileBytes)
            throw DomainError(QStringLiteral("%1%2 は 16 MiB を超えているため、抽選結果の"
                                             "ファイルとして読み込めません。")
                                  .arg(kDownloadFolder, name));
    }
    const QStringList numberLines = readTextLines(downloadFolder + kNumberFileName);
    if (numberLines.isEmpty())
        return ResultsStatus::NumberFileMissing;
    return parseResults(numberLines, readTextLines(downloadFolder + kDataFileName), out);
}
