#pragma once

#include "core/tickets/LotoLine.h"

#include <QSet>
#include <QVector>

// The slate of the main page: the lines decided for the coming draws, in the order they were
// decided, and for each the draws it was saved for. A line saved once is never written again
// from the slate, whatever its file holds since (the player may have cancelled it); deciding
// the same numbers again makes a new line. The grid that shows the slate only shows these.
class Slate
{
public:
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The line at that place; no line (isNull) outside the slate.
    LotoLine line(int index) const;
    QVector<LotoLine> lines() const;
    // The lines at those places, in that order (no line for a place outside the slate).
    QVector<LotoLine> linesAt(const QVector<int> &places) const;

    // A line decided, at the end of the slate.
    void append(const LotoLine &line);
    // A line taken off the slate.
    void remove(int index);
    // The slate emptied.
    void clear() { m_entries.clear(); }
    // Every unsaved line of the drawn draws moved to the coming draw (lines left over for a draw
    // that has its results by now); the places of the lines moved.
    QVector<int> moveToComingDraw(const QVector<int> &drawn, int comingDraw);

    // The line was saved for these draws.
    void markSaved(int index, const QVector<int> &draws);
    bool isSaved(int index) const { return !savedFor(index).isEmpty(); }
    QSet<int> savedFor(int index) const;
    // For each line, whether it was saved.
    QVector<bool> savedLines() const;
    // The places of the lines not saved yet, in slate order.
    QVector<int> unsaved() const;

private:
    struct Entry {
        LotoLine line;
        QSet<int> savedFor;
    };
    QVector<Entry> m_entries;
};
