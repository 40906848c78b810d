#include "gui/widgets/StringGrid.h"

#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Widgets.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace
{

class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(StringGrid::CellPainter painter, QObject *parent)
        : QStyledItemDelegate(parent), m_painter(std::move(painter))
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->save();
        painter->setFont(option.font);
        m_painter(painter, option.rect, index.row(), index.column());
        painter->restore();
    }

private:
    StringGrid::CellPainter m_painter;
};

} // namespace

StringGridModel::StringGridModel(int columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_rows(1, QStringList()), m_tags(1, 0)
{
}

int StringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int StringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid())
        return cell(index.row(), index.column());
    return {};
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    if (orientation == Qt::Horizontal && role == Qt::AccessibleTextRole)
        return m_spokenHeaders.value(section, m_headers.value(section));
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void StringGridModel::setHeaderTexts(const QStringList &texts)
{
    m_headers = texts;
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void StringGridModel::setSpokenHeaderTexts(const QStringList &texts)
{
    m_spokenHeaders = texts;
}

QString StringGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    return m_rows.at(row).value(column);
}

void StringGridModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    QStringList &cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

QStringList StringGridModel::rowCells(int row) const
{
    QStringList cells;
    for (int c = 0; c < m_columns; ++c)
        cells.append(cell(row, c));
    return cells;
}

void StringGridModel::setRowCells(int row, const QStringList &cells)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row] = cells.mid(0, m_columns);
    m_tags[row] = 0;
    emit dataChanged(index(row, 0), index(row, m_columns - 1), {Qt::DisplayRole});
}

void StringGridModel::setRowCount(int rows)
{
    rows = qMax(rows, 1); // a grid always keeps one data row
    const int now = static_cast<int>(m_rows.size());
    if (rows > now) {
        beginInsertRows(QModelIndex(), now, rows - 1);
        m_rows.resize(rows);
        m_tags.resize(rows);
        endInsertRows();
    } else if (rows < now) {
        beginRemoveRows(QModelIndex(), rows, now - 1);
        m_rows.resize(rows);
        m_tags.resize(rows);
        endRemoveRows();
    }
}

void StringGridModel::removeDataRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.size() == 1) {
        setRowCells(0, QStringList());
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    m_tags.removeAt(row);
    endRemoveRows();
}

void StringGridModel::replaceRows(QVector<QStringList> rows)
{
    if (rows.isEmpty())
        rows.append(QStringList());
    beginResetModel();
    m_rows = std::move(rows);
    m_tags = QVector<int>(m_rows.size(), 0);
    endResetModel();
}

int StringGridModel::rowTag(int row) const
{
    return m_tags.value(row, 0);
}

void StringGridModel::setRowTag(int row, int tag)
{
    if (row < 0 || row >= m_tags.size() || m_tags.at(row) == tag)
        return;
    m_tags[row] = tag;
    emit dataChanged(index(row, 0), index(row, m_columns - 1), {Qt::UserRole});
}

StringGrid::StringGrid(int columns, QWidget *parent)
    : QTableView(parent), m_model(new StringGridModel(columns, this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout::applyGridHabits(this);
    setCurrentRow(0);
}

int StringGrid::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : 0;
}

int StringGrid::firstShownColumn() const
{
    int shown = 0;
    while (shown < columnCount() - 1 && isColumnHidden(shown))
        ++shown;
    return shown;
}

void StringGrid::setCurrentRow(int row)
{
    // The current cell stays in a shown column, where the arrow keys move it.
    const int shown = firstShownColumn();
    const QModelIndex at =
        m_model->index(row, currentIndex().isValid() && !isColumnHidden(currentIndex().column())
                                ? currentIndex().column()
                                : shown);
    setCurrentIndex(at);
    // The view scrolls only to a shown cell, and only as far as its scroll range of the last
    // layout: lay out the new rows first, then bring the row's first shown cell into view.
    updateGeometries();
    scrollTo(m_model->index(row, shown));
    viewport()->update();
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // The whole current row is painted highlighted, so the row left must be repainted too.
    viewport()->update();
}

void StringGrid::focusInEvent(QFocusEvent *event)
{
    if (rowCount() > 0 && (!currentIndex().isValid() || isColumnHidden(currentIndex().column())))
        setCurrentRow(currentRow());
    QTableView::focusInEvent(event);
    viewport()->update();
}

void StringGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void StringGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (!hasFocus() || rowCount() == 0)
        return;
    // The grid that has the keyboard frames its current row, as plainly as a focused button.
    QRect row;
    for (int c = 0; c < columnCount(); ++c) {
        if (!isColumnHidden(c))
            row |= visualRect(m_model->index(currentRow(), c));
    }
    if (row.isEmpty())
        return;
    QPainter painter(viewport());
    drawFocusFrame(&painter, row, layout::colour::black);
}

void StringGrid::setColumnWidths(const QVector<int> &widths)
{
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths.at(c));
}

void StringGrid::setRowHeight(int height)
{
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(height);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setFixedHeight(height);
}

void StringGrid::setCellPainter(CellPainter painter)
{
    setItemDelegate(new CellDelegate(std::move(painter), this));
}

void StringGrid::setRowMarkSource(RowMarkSource source)
{
    m_markSource = std::move(source);
    const auto changed = [this] { m_rowMarks.reset(); };
    connect(m_model, &QAbstractItemModel::dataChanged, this, changed);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_model, &QAbstractItemModel::modelReset, this, changed);
    invalidateRowMarks();
}

void StringGrid::invalidateRowMarks()
{
    m_rowMarks.reset();
    viewport()->update();
}

StringGrid::RowMark StringGrid::rowMark(int row) const
{
    if (!m_markSource)
        return RowMark::Plain;
    if (!m_rowMarks)
        m_rowMarks = m_markSource();
    return m_rowMarks->value(row, RowMark::Plain);
}

void StringGrid::paintStripedCell(QPainter *painter, const QRect &rect, int row, int column,
                                  bool highlighted, Qt::Alignment alignment, RowMark mark) const
{
    const QColor marked = mark == RowMark::Warned  ? layout::colour::red
                          : mark == RowMark::Muted ? layout::colour::gray
                                                   : QColor();
    QColor back = row % 2 == 0 ? layout::colour::white : layout::colour::stripe;
    QColor text = marked.isValid() ? marked : layout::colour::black;
    if (highlighted) {
        back = marked.isValid() ? marked : palette().color(QPalette::Highlight);
        text = layout::colour::white;
    }
    painter->fillRect(rect, back);
    painter->setPen(text);
    painter->drawText(rect, alignment | Qt::TextSingleLine, cell(row, column));
}
