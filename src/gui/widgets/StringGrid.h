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
    // What a screen reader says for a header whose text alone is ambiguous ("口数" of which
    // tier); the shown text where none is given.
    void setSpokenHeaderTexts(const QStringList &texts);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    QStringList rowCells(int row) const;
    // New cells make a new row: its tag goes back to 0.
    void setRowCells(int row, const QStringList &cells);
    void setRowCount(int rows);
    void removeDataRow(int row);
    void replaceRows(QVector<QStringList> rows);

    // A number the owner keeps with each row, as a control keeps its tag: 0 for a new row, and
    // it moves with its row when rows above it are removed.
    int rowTag(int row) const;
    void setRowTag(int row, int tag);

private:
    int m_columns;
    QStringList m_headers;
    QStringList m_spokenHeaders;
    QVector<QStringList> m_rows;
    QVector<int> m_tags; // one a row
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
    int rowTag(int row) const { return m_model->rowTag(row); }
    void setRowTag(int row, int tag) { m_model->setRowTag(row, tag); }

    int currentRow() const;
    void setCurrentRow(int row);

    void setHeaderTexts(const QStringList &texts) { m_model->setHeaderTexts(texts); }
    void setColumnWidths(const QVector<int> &widths);
    void setRowHeight(int height);
    void setCellPainter(CellPainter painter);

    // How a row's text stands out: not at all, in red as a warning, or in grey as done with.
    enum class RowMark { Plain, Warned, Muted };

    // Paints a data cell in the striped scheme of the program's grids: rows alternate white
    // and light green (the first data row white), a highlighted cell is drawn in the system
    // highlight colour with white text; the text is drawn on one line with the alignment.
    // A warned cell is drawn in red and a muted one in grey: the text, or the ground when
    // highlighted.
    void paintStripedCell(QPainter *painter, const QRect &rect, int row, int column,
                          bool highlighted, Qt::Alignment alignment,
                          RowMark mark = RowMark::Plain) const;

    // The mark of each row, asked of the source when first needed after the cells changed or
    // invalidateRowMarks() was called, so at most once a repaint.
    using RowMarkSource = std::function<QVector<RowMark>()>;
    void setRowMarkSource(RowMarkSource source);
    // For changes the grid cannot see (the files the source reads); repaints.
    void invalidateRowMarks();
    RowMark rowMark(int row) const;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    // The keyboard arrives on a shown cell, and the current row shows that it has it.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int firstShownColumn() const;

    StringGridModel *m_model;
    RowMarkSource m_markSource;
    mutable std::optional<QVector<RowMark>> m_rowMarks;
};
