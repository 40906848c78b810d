#include "core/picking/SlateSaves.h"

void SlateSaves::remove(int line)
{
    if (line >= 0 && line < size())
        m_draws.removeAt(line);
}

void SlateSaves::markSaved(int line, const QVector<int> &draws)
{
    if (line < 0 || line >= size())
        return;
    for (const int draw : draws)
        m_draws[line].insert(draw);
}

QVector<bool> SlateSaves::savedLines() const
{
    QVector<bool> saved;
    for (const QSet<int> &draws : m_draws)
        saved.append(!draws.isEmpty());
    return saved;
}
