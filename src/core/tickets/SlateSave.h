#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// What a save of the slate is about to do and what it did, in the player's words: the lines
// left over for a draw that has been drawn meanwhile, and the summary of a save.

// The draws, ascending and each once, of the rows (draw number first) decided for a draw
// before the coming one: a draw that has its results. Rows whose draw is not a number are
// passed over.
QVector<int> drawnDrawsOf(const QVector<QStringList> &rows, int comingDraw);

// The question before such rows are saved, naming the draws and the coming one:
// "第2038回は抽選が終わっていて、抽選結果があります（保存していない申込み数字 2口）。…"
QString drawnDrawsQuestion(const QVector<int> &drawn, int lines, int comingDraw);

// The rows with every drawn draw's number replaced by the coming draw's.
QVector<QStringList> movedToComingDraw(QVector<QStringList> rows, const QVector<int> &drawn,
                                       int comingDraw);

// "計6口 ¥1,200": lines at 200 yen each.
QString purchaseText(int lines);

// What a save stored, for the status line: "第2038回に2口を保存しました（計2口 ¥400）。", or
// per draw, "第2037回に1口、第2038回に2口を保存しました（計3口 ¥600）。"
QString saveSummary(const QVector<QPair<QString, int>> &linesPerDraw);
