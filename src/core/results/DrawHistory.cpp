#include "core/results/DrawHistory.h"

DrawHistory::DrawHistory(QObject *parent) : QObject(parent) {}

void DrawHistory::set(ResultsData results)
{
    m_draws = PastDraws(results);
    m_highest = newestDrawOf(results.draws);
    m_results = std::move(results);
    emit changed();
}
