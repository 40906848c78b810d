#pragma once

#include "core/results/ResultsFiles.h"

#include <QAbstractTableModel>
#include <QVector>
#include <algorithm>
#include <numeric>
#include <vector>

// The rows of the history list: one draw per row, in the order shown. Column 0 is the draw
// number caption, column 1 the date, columns 2..7 the main numbers ①..⑥, column 8 the bonus.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumns = 9;

    explicit HistoryModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const DrawRecord &record(int row) const { return m_rows.at(row); }
    const QVector<DrawRecord> &records() const { return m_rows; }
    void setRecords(QVector<DrawRecord> rows);

    // Re-orders the rows themselves: before(a, b) tells whether the row now at a goes before
    // the row now at b. Rows that neither goes before keep their order. The views keep their
    // current and selected draws, wherever those move.
    template <typename Before> void sortRows(Before before)
    {
        std::vector<int> order(static_cast<size_t>(m_rows.size()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), before);
        applyOrder(order);
    }

private:
    // order[r] is the row that comes to stand at r.
    void applyOrder(const std::vector<int> &order);

    QVector<DrawRecord> m_rows;
};
