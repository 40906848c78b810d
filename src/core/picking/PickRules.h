#pragma once

#include "core/common/ComType.h"

#include <QString>
#include <array>

// The pick methods and which numbers each one admits into a line.

// The selected pick method; the values are those kept as OptionIndex.
enum class PickMethod { Manual = 0, Random = 1, ExclusionBased = 2, CountFiltered = 3 };

// The pick method the options page shows and the threshold typed there, as they are now: the
// rule of the main page's line generator. The threshold is read when a run starts.
struct PickChoice {
    PickMethod method = PickMethod::CountFiltered;
    QString thresholdText;
};

// The method of a stored OptionIndex: 0, 1 and 2 as they are, anything else count-filtered.
PickMethod pickMethodFromIndex(int optionIndex);

// The past-draw threshold typed by the player. Throws DomainError when the text is not an
// integer (an emptied field, a lone sign).
int parseThreshold(const QString &text);

// Whether number n has been drawn at least c times at position p (0..5, i.e. ①..⑥).
bool reachesThreshold(const BaseCountTable &counts, int position, int n, int threshold);

// Whether each of the positions 0..positions-1 has at least one number reaching c.
bool everyPositionReaches(const BaseCountTable &counts, int threshold,
                          int positions = kPicksPerLine);

// Numbers already in the line being built: [n - 1] is true when n is picked.
using PickedNumbers = std::array<bool, kLotoCount>;

// Which candidates a method admits at a position of the line. Holds its own copies of the
// tables, so a run keeps to the tables it started with.
class AdmissionRule
{
public:
    // Random: any number not yet picked.
    static AdmissionRule random();
    // Exclusion-based: neither picked nor flagged in the set.
    static AdmissionRule excluding(const ExclusionSet &excluded);
    // Count-filtered: not picked, and drawn at least c times at the position of acceptance.
    static AdmissionRule countFiltered(const BaseCountTable &counts, int threshold);

    PickMethod method() const { return m_method; }

    // Whether n (1..43) may be the number accepted at position (0..5, order of acceptance).
    bool admits(int n, int position, const PickedNumbers &picked) const;
    // Whether any number at all may be accepted at the position; false means a line cannot
    // be completed and drawing further would never end.
    bool anyAdmissible(int position, const PickedNumbers &picked) const;

private:
    explicit AdmissionRule(PickMethod method) : m_method(method) {}

    PickMethod m_method;
    ExclusionSet m_excluded{};
    BaseCountTable m_counts{};
    int m_threshold = 0;
};
