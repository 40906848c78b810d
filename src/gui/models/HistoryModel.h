#pragma once

#include "core/results/ResultsFiles.h"

#include <QAbstractTableModel>
#include <QVector>
#include <algorithm>
#include <numeric>
#include <vector>

class DrawHistory;

// The rows of the history list: one draw of the loaded history per row, in the order shown.
// Column 0 is the draw number caption, column 1 the date, columns 2..7 the main numbers
// ①..⑥, column 8 the bonus. The order is the list's own: a new history comes in file order,
// and sorting moves no one else's data.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumns = 9;

    explicit HistoryModel(const DrawHistory &history, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The draw shown at the row, and all of them in the order shown.
    const DrawRecord &record(int row) const;
    QVector<DrawRecord> shownRecords() const;
    QVector<int> shownDrawNumbers() const;

    // Re-orders the rows: before(a, b) tells whether the row now at a goes before the row now
    // at b. Rows that neither goes before keep their order. The views keep their current and
    // selected draws, wherever those move.
    template <typename Before> void sortRows(Before before)
    {
        std::vector<int> order(m_order.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), before);
        applyOrder(order);
    }

private:
    void historyChanged();
    // order[r] is the row that comes to stand at r.
    void applyOrder(const std::vector<int> &order);

    const DrawHistory &m_history;
    std::vector<int> m_order; // row shown -> index in the history's file order
};
