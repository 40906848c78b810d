#include "core/results/HistoryFeed.h"

#include "core/common/ComType.h"
#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/common/ShiftJis.h"
#include "core/common/TextLines.h"
#include "core/results/ResultsFiles.h"

#include <QStringDecoder>
#include <QStringList>
#include <QVector>
#include <array>

namespace
{

constexpr int kFeedFields = 20;
constexpr int kFirstWinners = 9; // 1等口数
constexpr int kFirstAmount = 14; // 1等賞金
constexpr int kCarryOver = 19;

const std::array<const char *, kFeedFields> kFieldNames = {
    "開催回",  "日付",      "第1数字", "第2数字", "第3数字", "第4数字",         "第5数字",
    "第6数字", "BONUS数字", "1等口数", "2等口数", "3等口数", "4等口数",         "5等口数",
    "1等賞金", "2等賞金",   "3等賞金", "4等賞金", "5等賞金", "キャリーオーバー"};

QString fieldName(int field)
{
    return QString::fromUtf8(kFieldNames[static_cast<size_t>(field)]);
}

// UTF-8 when the bytes are valid UTF-8 (a byte order mark is dropped), else Shift-JIS.
QString decodeFeed(const QByteArray &feed)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(feed);
    if (utf8.hasError()) {
        text = decodeShiftJis(feed);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// A whole number of plain digits, at most 18 of them.
qint64 wholeNumber(const QString &text, int field)
{
    const QString digits = text.trimmed();
    bool ok = !digits.isEmpty() && digits.size() <= 18;
    for (const QChar c : digits)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!ok)
        throw DomainError(
            QStringLiteral("%1 '%2' は 0 以上の整数ではありません。").arg(fieldName(field), text));
    return digits.toLongLong();
}

int lotteryNumber(const QString &text, int field)
{
    const qint64 n = wholeNumber(text, field);
    if (n < kLotoMin || n > kLotoMax)
        throw DomainError(
            QStringLiteral("%1 '%2' が 1～43 の範囲にありません。").arg(fieldName(field), text));
    return static_cast<int>(n);
}

struct FeedDraw {
    qint64 number;
    QByteArray numberLine;
    QByteArray prizeLine;
};

FeedDraw convertLine(const QString &line)
{
    const QStringList f = line.split(QLatin1Char(','));
    if (f.size() != kFeedFields)
        throw DomainError(QStringLiteral("項目が %1 個あります（%2 個のはずです）。")
                              .arg(f.size())
                              .arg(kFeedFields));
    FeedDraw draw;
    draw.number = wholeNumber(f[0], 0);
    if (draw.number < 1 || draw.number > 2147483647)
        throw DomainError(QStringLiteral("開催回 '%1' が正しくありません。").arg(f[0]));
    const auto date = parseDate(f[1]);
    if (!date)
        throw DomainError(QStringLiteral("日付 '%1' が正しくありません。").arg(f[1]));

    DrawFigures figures;
    figures.number = draw.number;
    figures.date = *date;
    for (int k = 0; k < kPicksPerLine; ++k)
        figures.main[static_cast<size_t>(k)] = lotteryNumber(f[2 + k], 2 + k);
    figures.bonus = lotteryNumber(f[8], 8);
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const auto t = static_cast<size_t>(tier);
        figures.amounts[t] = wholeNumber(f[kFirstAmount + tier], kFirstAmount + tier);
        figures.winners[t] = wholeNumber(f[kFirstWinners + tier], kFirstWinners + tier);
    }
    figures.carryOver = wholeNumber(f[kCarryOver], kCarryOver);
    draw.numberLine = drawLineOf(figures);
    draw.prizeLine = prizeLineOf(figures);
    return draw;
}

// Where a line of the feed is, for a message: its draw when its first field reads as one, with
// the line beside it ("第2038回（2039 行目）"), else the line alone ("2039 行目").
QString placeOf(const QString &line, int index)
{
    const auto draw = parseInteger(line.section(QLatin1Char(','), 0, 0).trimmed());
    const QString row = QStringLiteral("%1 行目").arg(index + 1);
    if (!draw || *draw < 1)
        return row;
    return QStringLiteral("第%1回（%2）").arg(*draw).arg(row);
}

bool isHeader(const QString &line)
{
    return !parseInteger(line.section(QLatin1Char(','), 0, 0)).has_value();
}

} // namespace

ResultsBodies convertHistoryFeed(const QByteArray &feed)
{
    // A Ctrl+Z ends the feed, as it ends a results file. No byte of a Shift-JIS or UTF-8
    // character is one.
    const qsizetype end = feed.indexOf('\x1A');
    // CR LF, LF and a bare CR all end a line.
    QString text = decodeFeed(end < 0 ? feed : feed.left(end));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QVector<FeedDraw> draws;
    bool first = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.trimmed().isEmpty() || line.trimmed() == QLatin1String("EOF"))
            continue;
        const bool header = first && isHeader(line);
        first = false;
        if (header)
            continue;
        try {
            FeedDraw draw = convertLine(line);
            if (!draws.isEmpty() && draw.number <= draws.last().number)
                throw DomainError(QStringLiteral("開催回 %1 が前の行の第%2回より後ではありません。")
                                      .arg(draw.number)
                                      .arg(draws.last().number));
            draws.append(std::move(draw));
        } catch (const DomainError &e) {
            throw DomainError(QStringLiteral("%1：%2").arg(placeOf(line, i), e.message()));
        }
    }
    if (draws.isEmpty())
        throw DomainError(QStringLiteral("抽選結果が 1 件もありません。"));

    ResultsBodies bodies;
    for (auto draw = draws.crbegin(); draw != draws.crend(); ++draw) {
        bodies.numbers += draw->numberLine + "\r\n";
        bodies.prizes += draw->prizeLine + "\r\n";
    }
    return bodies;
}

QString historyFeedText(const QByteArray &numbers, const QByteArray &prizes)
{
    const QStringList numberLines = splitTextLines(numbers);
    const QStringList prizeLines = splitTextLines(prizes);
    if (numberLines.size() != prizeLines.size())
        throw DomainError(QStringLiteral("抽選数字と当選金額の行数が合いません。"));
    QStringList header;
    for (int field = 0; field < kFeedFields; ++field)
        header << fieldName(field);
    QStringList out{header.join(QLatin1Char(','))};
    for (qsizetype i = numberLines.size() - 1; i >= 0; --i) {
        const QStringList n = numberLines.at(i).split(QLatin1Char(','));
        const QStringList p = prizeLines.at(i).split(QLatin1Char(','));
        const auto date = n.size() == 9 ? parseDate(n[1]) : std::nullopt;
        if (!date || p.size() != 12 || p[0] != n[0])
            throw DomainError(
                QStringLiteral("%1 行目の抽選数字と当選金額が合いません。").arg(i + 1));
        QStringList fields{
            n[0], QStringLiteral("%1/%2/%3").arg(date->year()).arg(date->month()).arg(date->day())};
        fields << n.mid(2);
        for (int tier = 0; tier < kPrizeTiers; ++tier)
            fields << p[2 + 2 * tier];
        for (int tier = 0; tier < kPrizeTiers; ++tier)
            fields << p[1 + 2 * tier];
        fields << p[11];
        out << fields.join(QLatin1Char(','));
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
