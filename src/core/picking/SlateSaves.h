#pragma once

#include <QSet>
#include <QVector>

// What the slate saved: for each of its lines, in slate order, the draws it was saved for. A
// line saved once is never written again from the slate, whatever its file holds since (the
// player may have cancelled it); deciding the same numbers again makes a new line.
class SlateSaves
{
public:
    int size() const { return static_cast<int>(m_draws.size()); }
    // A line decided, at the end of the slate.
    void append() { m_draws.append(QSet<int>()); }
    // A line taken off the slate.
    void remove(int line);
    // The slate emptied.
    void clear() { m_draws.clear(); }
    // The line was saved for these draws.
    void markSaved(int line, const QVector<int> &draws);
    bool isSaved(int line) const { return !m_draws.value(line).isEmpty(); }
    QSet<int> savedFor(int line) const { return m_draws.value(line); }
    // For each line, whether it was saved.
    QVector<bool> savedLines() const;

private:
    QVector<QSet<int>> m_draws;
};
