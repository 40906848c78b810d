#pragma once

#include "core/tickets/Slate.h"
#include "core/tickets/TicketWrite.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// A save of the slate: its lines appended to the ticket files, and what it is about to do and
// what it did, in the player's words: the lines left over for a draw that has been drawn
// meanwhile, and the summary of a save.

// The draws, ascending and each once, of the lines decided for a draw before the coming one:
// a draw that has its results.
QVector<int> drawnDrawsOf(const QVector<LotoLine> &lines, int comingDraw);

// The question before such rows are saved, naming the draws and the coming one:
// "第2038回は抽選が終わっていて、抽選結果があります（保存していない申込み数字 2口）。…"
QString drawnDrawsQuestion(const QVector<int> &drawn, int lines, int comingDraw);

// What a save stored: the files it wrote ("client/2039.csv") and the lines per draw, both in
// the order of the draws' first lines on the slate.
struct SlateSaveDone {
    QStringList files;
    QVector<QPair<QString, int>> linesPerDraw;
};

// Appends the slate's unsaved lines to the ticket file of each line's draw below programFolder
// (with trailing "/"), in slate order, and marks them saved for their draws; lines saved before
// are not written again. Every file gets its lines or, on failure (DomainError), none does and
// no line is marked. Each file is read once, through read (readClientFile when none is given).
SlateSaveDone saveSlate(Slate &slate, const QString &programFolder,
                        const ClientFileReader &read = {});

// "計6口 ¥1,200": lines at 200 yen each.
QString purchaseText(int lines);

// What a save stored, for the status line: "第2038回に2口を保存しました（計2口 ¥400）。", or
// per draw, "第2037回に1口、第2038回に2口を保存しました（計3口 ¥600）。"
QString saveSummary(const QVector<QPair<QString, int>> &linesPerDraw);
