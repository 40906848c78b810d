#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <functional>
#include <optional>

// The cells of a string grid: data rows of text below one header row.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit StringGridModel(int columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeaderTexts(const QStringList &texts);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    QStringList rowCells(int row) const;
    void setRowCells(int row, const QStringList &cells);
    void setRowCount(int rows);
    void removeDataRow(int row);
    void replaceRows(QVector<QStringList> rows);

private:
    int m_columns;
    QStringList m_headers;
    QVector<QStringList> m_rows;
};

// A grid of text cells with a fixed header row and whole-row selection. Rows are counted
// from 0 below the header. The window paints every data cell through a cell painter.
class StringGrid : public QTableView
{
    Q_OBJECT
public:
    // Paints one data cell; current tells whether the row is the grid's current row.
    using CellPainter =
        std::function<void(QPainter *painter, const QRect &rect, int row, int column)>;

    StringGrid(int columns, QWidget *parent = nullptr);

    StringGridModel *cells() const { return m_model; }
    int columnCount() const { return m_model->columnCount(); }
    int rowCount() const { return m_model->rowCount(); }
    void setRowCount(int rows) { m_model->setRowCount(rows); }
    QString cell(int row, int column) const { return m_model->cell(row, column); }
    void setCell(int row, int column, const QString &text) { m_model->setCell(row, column, text); }
    QStringList rowCells(int row) const { return m_model->rowCells(row); }
    void setRowCells(int row, const QStringList &cells) { m_model->setRowCells(row, cells); }

    int currentRow() const;
    void setCurrentRow(int row);

    void setHeaderTexts(const QStringList &texts) { m_model->setHeaderTexts(texts); }
    void setColumnWidths(const QVector<int> &widths);
    void setRowHeight(int height);
    void setCellPainter(CellPainter painter);

    // Paints a data cell in the striped scheme of the program's grids: rows alternate white
    // and light green (the first data row white), a highlighted cell is drawn in the system
    // highlight colour with white text; the text is drawn on one line with the alignment.
    // A warned cell is drawn in red: red text, or a red ground when highlighted.
    void paintStripedCell(QPainter *painter, const QRect &rect, int row, int column,
                          bool highlighted, Qt::Alignment alignment, bool warned = false) const;

    // Rows to be drawn as warned, one flag a row, asked of the source when first needed after
    // the cells changed or invalidateRowWarnings() was called, so at most once a repaint.
    using RowWarningSource = std::function<QVector<bool>()>;
    void setRowWarningSource(RowWarningSource source);
    // For changes the grid cannot see (the files the source reads); repaints.
    void invalidateRowWarnings();
    bool rowWarned(int row) const;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    StringGridModel *m_model;
    RowWarningSource m_warningSource;
    mutable std::optional<QVector<bool>> m_rowWarnings;
};
