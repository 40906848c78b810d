#include "DrawCalendar.h"

#include "core/common/Formats.h"

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

QString staleHistoryNotice(int missing)
{
    if (missing <= 0)
        return QString();
    return QStringLiteral(
               "抽選結果が%1回分不足しています（コマンド→最新の抽選結果をダウンロード）。")
        .arg(missing);
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
