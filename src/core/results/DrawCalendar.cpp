#include "DrawCalendar.h"

#include "core/common/Formats.h"

#include <QStringList>

QDate japanDate(const QDateTime &instant)
{
    constexpr int kJapanOffsetSeconds = 9 * 3600;
    return instant.toUTC().addSecs(kJapanOffsetSeconds).date();
}

QDate japanToday()
{
    return japanDate(QDateTime::currentDateTimeUtc());
}

bool isDrawDay(const QDate &day)
{
    const int weekday = day.dayOfWeek();
    if (weekday != Qt::Monday && weekday != Qt::Thursday)
        return false;
    const bool yearEnd = day.month() == 12 && day.day() == 31;
    const bool newYear = day.month() == 1 && day.day() <= 3;
    return !yearEnd && !newYear;
}

QDate nextDrawDay(const QDate &after)
{
    if (!after.isValid())
        return QDate();
    QDate day = after.addDays(1);
    while (!isDrawDay(day))
        day = day.addDays(1);
    return day;
}

QVector<ExpectedDraw> expectedDraws(int newestNumber, const QDate &newestDate, int count)
{
    QVector<ExpectedDraw> draws;
    QDate day = newestDate;
    for (int k = 1; k <= count; ++k) {
        day = nextDrawDay(day);
        draws.append({newestNumber + k, day});
    }
    return draws;
}

QString expectedDrawText(const ExpectedDraw &draw)
{
    const QString weekdays = QStringLiteral("月火水木金土日");
    const int weekday = draw.date.dayOfWeek(); // 1 (Monday) .. 7
    return QStringLiteral("第%1回（%2 %3）")
        .arg(draw.number)
        .arg(formatDate(draw.date))
        .arg(weekday >= 1 ? weekdays.at(weekday - 1) : QChar(u'？'));
}

int missingDraws(const QDate &newestDate, const QDate &today)
{
    int missing = 0;
    for (QDate day = nextDrawDay(newestDate); day.isValid() && day < today; day = nextDrawDay(day))
        ++missing;
    return missing;
}

HistoryLag historyLag(int newestNumber, const QDate &newestDate, const QDate &today)
{
    HistoryLag lag;
    lag.newestNumber = newestNumber;
    lag.newestDate = newestDate;
    lag.missing = missingDraws(newestDate, today);
    if (newestDate.isValid())
        lag.next = expectedDraws(newestNumber, newestDate, lag.missing + 1).last();
    return lag;
}

bool isPastByCalendar(int draw, const HistoryLag &lag)
{
    return draw > lag.newestNumber && draw - lag.newestNumber <= lag.missing;
}

QString staleHistoryBanner(const HistoryLag &lag)
{
    if (!lag.behind())
        return QString();
    return QStringLiteral("抽選結果は第%1回（%2）までで、そのあと暦では%3回の抽選がありました。"
                          "暦での次の抽選は%4です。")
        .arg(lag.newestNumber)
        .arg(formatDate(lag.newestDate))
        .arg(lag.missing)
        .arg(expectedDrawText(lag.next));
}

QString pastDrawQuestion(const QVector<int> &draws, const HistoryLag &lag, bool saving)
{
    QStringList named;
    for (const int draw : draws)
        named.append(QStringLiteral("第%1回").arg(draw));
    const QVector<ExpectedDraw> held =
        expectedDraws(lag.newestNumber, lag.newestDate, draws.value(0) - lag.newestNumber);
    return QStringLiteral("%1は、暦では抽選が終わっています（%2）。読み込んだ抽選結果は第%3回"
                          "（%4）までです。\n\n最新の抽選結果をダウンロードすると、開催回が"
                          "暦での次の抽選（%5）になります。このまま%1の申込み数字として%6"
                          "こともできます。")
        .arg(named.join(QStringLiteral("、")),
             held.isEmpty() ? QString() : formatDate(held.last().date),
             QString::number(lag.newestNumber), formatDate(lag.newestDate),
             expectedDrawText(lag.next),
             saving ? QStringLiteral("保存する") : QStringLiteral("決定する"));
}

QString staleHistoryText(int newestNumber, const QDate &newestDate, int missing)
{
    if (missing <= 0)
        return QString();
    return QStringLiteral("読み込んだ抽選結果は第%1回（%2）までで、そのあとの%3回分がありません。"
                          "下の開催回はそこから数えたものです。メニューの「コマンド」→"
                          "「最新の抽選結果をダウンロード」で取り込んでから保存してください。")
        .arg(newestNumber)
        .arg(formatDate(newestDate))
        .arg(missing);
}
