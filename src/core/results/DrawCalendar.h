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

// For the status line at start-up: "抽選結果が125回分不足しています（コマンド→最新の抽選結果を
// ダウンロード）。"; empty when none is missing.
QString staleHistoryNotice(int missing);

// For a window that counts on the history being current: the newest draw, how many are
// missing, and where to fetch them; empty when none is missing.
QString staleHistoryText(int newestNumber, const QDate &newestDate, int missing);
