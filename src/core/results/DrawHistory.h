#pragma once

#include "core/results/DrawEntry.h"
#include "core/results/PastDraws.h"
#include "core/results/ResultsFiles.h"

#include <QObject>

// The history the program has loaded: both results files as read, in file order (newest
// first), and the same draws in numbers with their prizes. There is one, held for the window;
// the results service alone sets it, after a load, a download or a typed-in draw, and whoever
// shows or uses the history reads it here and follows `changed`.
class DrawHistory : public QObject
{
    Q_OBJECT
public:
    explicit DrawHistory(QObject *parent = nullptr);

    // The lines of both files as the lists show them, newest draw first.
    const QVector<DrawRecord> &records() const { return m_results.draws; }
    const QVector<PrizeRecord> &prizes() const { return m_results.prizes; }
    // How often each number was drawn.
    const BaseCountTable &counts() const { return m_results.counts; }
    // The draws in numbers with the amount paid at each tier.
    const PastDraws &draws() const { return m_draws; }
    // The newest draw with results (the first row's), and the draw after it.
    int newestDraw() const { return m_results.newestDraw; }
    int comingDraw() const { return m_results.comingDraw; }
    // The draw of the highest number with its date, whatever order the rows are in.
    const NewestDraw &highestDraw() const { return m_highest; }

    // Takes a pair as read and checked; `changed` follows, and what its receivers throw
    // passes to the caller with the new history in place.
    void set(ResultsData results);

signals:
    void changed();

private:
    ResultsData m_results;
    PastDraws m_draws;
    NewestDraw m_highest;
};
