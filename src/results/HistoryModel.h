#pragma once

#include "ResultsFiles.h"

#include <QAbstractTableModel>
#include <QVector>

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

private:
    QVector<DrawRecord> m_rows;
};
