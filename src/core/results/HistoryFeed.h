#pragma once

#include <QByteArray>
#include <QString>

// The public CSV of the whole draw history, one draw a line, oldest first:
//   開催回,日付,第1数字..第6数字,BONUS数字,1等口数..5等口数,1等賞金..5等賞金,キャリーオーバー
// in Shift-JIS or UTF-8, with CR LF, LF or CR line ends. A first line whose first field is not
// a number is its header; blank lines and a line "EOF" are ignored; every other line must
// read completely.

// The pair of results files: draws and prize data, newest first, CR LF line ends.
struct ResultsBodies {
    QByteArray numbers; // Loto6Number.csv
    QByteArray prizes;  // Loto6Data.csv
};

// Converts the whole feed; a Ctrl+Z ends it. Throws DomainError naming the draw of the first
// line that does not read, with the line beside it ("第1499回（1500 行目）：…"; the line alone
// when its draw number does not read), or telling that the feed holds no draw; nothing is
// converted half.
ResultsBodies convertHistoryFeed(const QByteArray &feed);

// The other way: the feed text of a pair of results files, header included, oldest first,
// lines ended by "\n". Throws DomainError when the two files do not pair line by line.
QString historyFeedText(const QByteArray &numbers, const QByteArray &prizes);
