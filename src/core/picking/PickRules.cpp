#include "core/picking/PickRules.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"

PickMethod pickMethodFromIndex(int optionIndex)
{
    switch (optionIndex) {
    case 0:
        return PickMethod::Manual;
    case 1:
        return PickMethod::Random;
    case 2:
        return PickMethod::ExclusionBased;
    default:
        return PickMethod::CountFiltered;
    }
}

int parseThreshold(const QString &text)
{
    const auto value = parseInteger(text);
    if (!value)
        throw DomainError(QStringLiteral("過去の抽選回数：") + notAnIntegerMessage(text));
    return *value;
}

bool reachesThreshold(const BaseCountTable &counts, int position, int n, int threshold)
{
    return counts[position][n - 1] >= threshold;
}

bool everyPositionReaches(const BaseCountTable &counts, int threshold, int positions)
{
    for (int p = 0; p < positions; ++p) {
        bool found = false;
        for (int n = kLotoMin; n <= kLotoMax && !found; ++n)
            found = reachesThreshold(counts, p, n, threshold);
        if (!found)
            return false;
    }
    return true;
}

AdmissionRule AdmissionRule::random()
{
    return AdmissionRule(PickMethod::Random);
}

AdmissionRule AdmissionRule::excluding(const ExclusionSet &excluded)
{
    AdmissionRule rule(PickMethod::ExclusionBased);
    rule.m_excluded = excluded;
    return rule;
}

AdmissionRule AdmissionRule::countFiltered(const BaseCountTable &counts, int threshold)
{
    AdmissionRule rule(PickMethod::CountFiltered);
    rule.m_counts = counts;
    rule.m_threshold = threshold;
    return rule;
}

bool AdmissionRule::admits(int n, int position, const PickedNumbers &picked) const
{
    if (n < kLotoMin || n > kLotoMax || position < 0 || position >= kPicksPerLine)
        return false;
    if (m_method == PickMethod::CountFiltered &&
        !reachesThreshold(m_counts, position, n, m_threshold))
        return false;
    if (m_method == PickMethod::ExclusionBased && m_excluded[n - 1] == 1)
        return false;
    return !picked[n - 1];
}

bool AdmissionRule::anyAdmissible(int position, const PickedNumbers &picked) const
{
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        if (admits(n, position, picked))
            return true;
    }
    return false;
}
