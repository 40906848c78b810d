#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

// When ロト６ is drawn: every Monday and Thursday, except from 31 December to 3 January, when no
// draw is held and none is made up for.

// The date in Japan at that instant: Japan keeps UTC+9 all year, with no summer time.
QDate japanDate(const QDateTime &instant);

// Today's date in Japan, where the draws are held and dated and prizes are claimed: the one
// "today" of the program (the latest date a draw may have, the days left to a deadline),
// wherever the player's computer is.
QDate japanToday();

// Whether a draw is held on that day.
bool isDrawDay(const QDate &day);

// The first draw day after the given day; an invalid date gives an invalid date.
QDate nextDrawDay(const QDate &after);

// A draw expected after the newest one of the history: its number and the day it is held.
struct ExpectedDraw {
    int number = 0;
    QDate date;
};

// The `count` draws after the newest one: numbers newestNumber + 1, + 2, ... on the draw days
// that follow newestDate.
QVector<ExpectedDraw> expectedDraws(int newestNumber, const QDate &newestDate, int count);

// "第2039回（2026/12/10 木）".
QString expectedDrawText(const ExpectedDraw &draw);

// How many draws the calendar holds after the day of the history's newest draw and before
// today: the results a history that ends on newestDate lacks. A draw held today is not counted
// (its results come in the evening). 0 for an invalid date.
int missingDraws(const QDate &newestDate, const QDate &today);

// Where a history that ends with draw newestNumber on newestDate stands against the calendar
// today.
struct HistoryLag {
    int newestNumber = 0;
    QDate newestDate;
    int missing = 0;   // draws held since by the calendar (see missingDraws)
    ExpectedDraw next; // the next draw by the calendar, after the missing ones
    bool behind() const { return missing > 0; }
};
HistoryLag historyLag(int newestNumber, const QDate &newestDate, const QDate &today);

// The one rule of a draw the calendar says is over: a draw after the newest one with results
// that is among the missing ones (held before today). A draw held today is not over: its lines
// are bought until the evening.
bool isPastByCalendar(int draw, const HistoryLag &lag);

// The notice beside 開催回 while the history is behind the calendar: "抽選結果は第2037回
// （2025/09/25）までで、そのあと暦では124回の抽選がありました。暦での次の抽選は第2162回
// （2026/12/14 月）です。"; empty when it is current.
QString staleHistoryBanner(const HistoryLag &lag);

// The question before lines are decided (saving false) or saved for draws past by the calendar,
// naming them, the day the first was held and the newest draw held.
QString pastDrawQuestion(const QVector<int> &draws, const HistoryLag &lag, bool saving);

// For a window that counts on the history being current: the newest draw, how many are
// missing, and where to fetch them; empty when none is missing.
QString staleHistoryText(int newestNumber, const QDate &newestDate, int missing);
