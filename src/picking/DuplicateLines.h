#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Lines of the slate that repeat a line: another line of the slate, or a line already saved
// in the ticket file of the same draw. A slate row is the draw number and six numbers; two
// lines are the same when they name the same draw and the same numbers, in any order.

// Whether slate row `row` repeats another row or a saved line. programFolder has a trailing
// "/"; the saved lines are those of "client/<draw>.csv" that name the draw.
bool isDuplicateLine(const QVector<QStringList> &slateRows, int row, const QString &programFolder);

// For each slate row, whether it repeats another row or a saved line; each draw's ticket
// file is read once. A ticket file that cannot be read counts as holding no lines, and the
// player's words for it ("client/2039.csv を読めません：…") go to *unreadable when given. Nothing
// is raised: the slate asks while it is drawn.
QVector<bool> duplicateRows(const QVector<QStringList> &slateRows, const QString &programFolder,
                            QStringList *unreadable = nullptr);

// The status text after a decide that made row `row` a repeat, empty otherwise:
// "同じ組合せが既にあります（n口目）。" with n the line's number on the slate. Unreadable files as
// for duplicateRows.
QString duplicateNotice(const QVector<QStringList> &slateRows, int row,
                        const QString &programFolder, QStringList *unreadable = nullptr);
