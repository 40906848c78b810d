#include "DrawCalendar.h"

#include "core/common/Formats.h"

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
