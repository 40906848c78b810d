#pragma once

#include "core/tickets/Slate.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Lines of the slate that were saved from it, and lines that repeat a line: another line of
// the slate, or a line already saved in the ticket file of the same draw. Two lines are the
// same when they name the same draw and the same numbers, in any order.

// What a slate line is against the other lines of the slate and the lines saved for its draw.
struct SlateLineCheck {
    enum class State {
        New,       // not saved, and no other line like it
        Saved,     // saved from the slate, and its file still holds it
        Cancelled, // saved from the slate, and cancelled since from every file it went to
        Repeat,    // not saved, and like another unsaved slate line or a saved line
    };
    State state = State::New;
    // For a repeat: the first other unsaved slate row like it, or -1 for a saved line.
    int sameAs = -1;
};

// Checks every slate line. A line saved from the slate is never saved again; it counts as
// saved while a file it went to holds it (or cannot be read), else as cancelled. Unsaved lines are
// compared with the other unsaved lines and with the saved lines. programFolder has a trailing "/";
// the saved lines are those of "client/<draw>.csv" that name the draw, each draw's file read once.
// A ticket file that cannot be read counts as holding no lines, and the player's words for it
// ("client/2039.csv を読めません：…") go to *unreadable when given. Nothing is raised: the slate
// asks while it is drawn.
QVector<SlateLineCheck> checkSlateLines(const Slate &slate, const QString &programFolder,
                                        QStringList *unreadable = nullptr);

// The slate as its files find it, worked out once after each change of either: the check of
// every line, what could not be read, and the count the page shows.
struct SlateReview {
    QVector<SlateLineCheck> lines;
    QStringList unreadable; // the player's words for each ticket file that cannot be read
    // "n口", followed by "（保存済みm口、取消済みk口）" for what is not zero.
    QString countText() const;
};
SlateReview reviewSlate(const Slate &slate, const QString &programFolder);

// The status text for a repeat, empty for any other line: "同じ組合せが既にあります（n口目と
// 同じ）。" with n the slate line it repeats, or "同じ組合せが既にあります（保存済みの申込み数字
// と同じ）。".
QString repeatNotice(const SlateLineCheck &check);
