#pragma once

#include "core/results/DrawCalendar.h"
#include "core/tickets/TicketWrite.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A continued purchase (継続購入): the same lines bought for several consecutive draws at once.
// The slate's lines are saved to the ticket file of each of those draws, each line carrying
// that draw's number.

struct ContinuedSave {
    QVector<TicketAppend> appends; // one per draw, in draw order
    QString report; // "第2039回～第2043回の5回分、各12口を保存しました（計60口 ¥12,000）。"
};

// What saving the slate's lines for the draws appends to which file of programFolder's
// "client/", each line carrying the draw of its file, and the report of it. Raises DomainError
// when there is no line or no draw. Write it with appendTicketLines(), which writes every file
// or none.
ContinuedSave continuedSave(const QString &programFolder, const QVector<ExpectedDraw> &draws,
                            const QVector<LotoLine> &lines);
