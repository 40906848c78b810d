#include "core/tickets/Slate.h"

LotoLine Slate::line(int index) const
{
    return index >= 0 && index < size() ? m_entries.at(index).line : LotoLine();
}

QVector<LotoLine> Slate::lines() const
{
    QVector<LotoLine> lines;
    for (const Entry &entry : m_entries)
        lines.append(entry.line);
    return lines;
}

QVector<LotoLine> Slate::linesAt(const QVector<int> &places) const
{
    QVector<LotoLine> lines;
    for (const int place : places)
        lines.append(line(place));
    return lines;
}

void Slate::append(const LotoLine &line)
{
    if (!line.isNull())
        m_entries.append({line, QSet<int>()});
}

void Slate::remove(int index)
{
    if (index >= 0 && index < size())
        m_entries.removeAt(index);
}

QVector<int> Slate::moveToComingDraw(const QVector<int> &drawn, int comingDraw)
{
    QVector<int> places;
    for (int i = 0; i < size(); ++i) {
        Entry &entry = m_entries[i];
        if (!entry.savedFor.isEmpty() || !drawn.contains(entry.line.draw()))
            continue;
        if (const std::optional<LotoLine> moved = entry.line.forDraw(comingDraw)) {
            entry.line = *moved;
            places.append(i);
        }
    }
    return places;
}

void Slate::markSaved(int index, const QVector<int> &draws)
{
    if (index < 0 || index >= size())
        return;
    for (const int draw : draws)
        m_entries[index].savedFor.insert(draw);
}

QSet<int> Slate::savedFor(int index) const
{
    return index >= 0 && index < size() ? m_entries.at(index).savedFor : QSet<int>();
}

QVector<bool> Slate::savedLines() const
{
    QVector<bool> saved;
    for (const Entry &entry : m_entries)
        saved.append(!entry.savedFor.isEmpty());
    return saved;
}

QVector<int> Slate::unsaved() const
{
    QVector<int> places;
    for (int i = 0; i < size(); ++i) {
        if (!isSaved(i))
            places.append(i);
    }
    return places;
}
