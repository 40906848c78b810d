// Handlers of the history list and the prize table: sorting by header click, striped rows,
// and the painting of the prize table's cells.

#include "gui/Main.h"
#include "gui/pages/HistoryModel.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/StringGrid.h"

#include <QCollator>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

namespace
{

// Gives each row of a list the background its owner chooses; the row is then drawn as usual.
class RowColourDelegate : public QStyledItemDelegate
{
public:
    RowColourDelegate(std::function<QColor(int row)> colour, QObject *parent)
        : QStyledItemDelegate(parent), m_colour(std::move(colour))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = m_colour(index.row());
    }

private:
    std::function<QColor(int row)> m_colour;
};

// A grid header whose sections are painted completely by their owner.
class PaintedHeader : public QHeaderView
{
public:
    using Painter = std::function<void(QPainter *, const QRect &, int section)>;

    PaintedHeader(QWidget *parent, Painter painter)
        : QHeaderView(Qt::Horizontal, parent), m_painter(std::move(painter))
    {
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        painter->setFont(font());
        m_painter(painter, rect, section);
        painter->restore();
    }

private:
    Painter m_painter;
};

// Replaces the header of a grid by one painted through painter, keeping its sizes and the
// user's freedom to resize the columns.
void paintHeaderThrough(StringGrid *grid, PaintedHeader::Painter painter)
{
    QHeaderView *old = grid->horizontalHeader();
    auto *header = new PaintedHeader(grid, std::move(painter));
    header->setFont(old->font());
    header->setFixedHeight(old->height());
    header->setMinimumSectionSize(old->minimumSectionSize());
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    std::vector<int> widths;
    for (int c = 0; c < grid->columnCount(); ++c)
        widths.push_back(old->sectionSize(c));
    grid->setHorizontalHeader(header);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < grid->columnCount(); ++c)
        header->resizeSection(c, widths[static_cast<size_t>(c)]);
}

} // namespace

void TMainForm::connectResultsViews()
{
    connect(viewHistory->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TMainForm::viewHistoryColumnClick);
    viewHistory->setAlternatingRowColors(false);
    viewHistory->setItemDelegate(new RowColourDelegate(
        [this](int row) { return viewHistoryCustomDrawItem(row); }, viewHistory));

    gridMoney->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridMoneyDrawCell(painter, rect, row + 1, column); // row 0 is the header
    });
    paintHeaderThrough(gridMoney, [this](QPainter *painter, const QRect &rect, int column) {
        gridMoneyDrawCell(painter, rect, 0, column);
    });
}

// A header click sorts by that column; the same column again reverses the direction, a new
// column starts ascending. The state outlives reloads, which bring back file order.
void TMainForm::viewHistoryColumnClick(int column)
{
    const int k = column + 1;
    if (k == qAbs(m_historySortState))
        m_historySortState = -m_historySortState;
    else
        m_historySortState = k;
    sortHistory();
}

void TMainForm::sortHistory()
{
    const int column = qAbs(m_historySortState) - 1;
    if (column < 0 || column >= HistoryModel::kColumns)
        return;
    // The texts are compared as the user's locale orders them, case-sensitive. Each row's
    // collation key is made once, so a sort costs one key comparison per step.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    const QVector<DrawRecord> &rows = m_history->records();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(rows.size()));
    for (const DrawRecord &row : rows)
        keys.push_back(collator.sortKey(row.column(column)));
    m_history->sortRows([this, &keys](int a, int b) {
        return viewHistoryCompare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]) < 0;
    });
}

// Negative, zero or positive as row a goes before, together with or after row b in the
// current sort state; a and b are the rows' keys of the sorted column.
int TMainForm::viewHistoryCompare(const QCollatorSortKey &a, const QCollatorSortKey &b) const
{
    const int r = a.compare(b);
    return m_historySortState < 0 ? -r : r;
}

// Rows are striped by their position in the order shown: odd positions green.
QColor TMainForm::viewHistoryCustomDrawItem(int row) const
{
    return row % 2 == 1 ? layout::colour::stripe : layout::colour::white;
}

// Paints one cell of the prize table; row 0 is the header, data rows count from 1.
void TMainForm::gridMoneyDrawCell(QPainter *painter, const QRect &rect, int row, int column) const
{
    const QPalette &palette = gridMoney->palette();
    const bool fixed = row == 0;
    QColor background = fixed          ? palette.color(QPalette::Button)
                        : row % 2 == 1 ? layout::colour::white
                                       : layout::colour::stripe;
    QColor text = layout::colour::black;
    if (!fixed && row - 1 == gridMoney->currentRow()) {
        background = palette.color(QPalette::Active, QPalette::Highlight);
        text = layout::colour::white;
    }
    painter->fillRect(rect, background);
    if (fixed) {
        // The bevel of a fixed cell.
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(rect.topLeft(), rect.topRight());
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }
    painter->setPen(text);
    const QString content =
        fixed ? gridMoney->cells()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()
              : gridMoney->cell(row - 1, column);
    painter->drawText(rect, Qt::AlignTop | (fixed ? Qt::AlignHCenter : Qt::AlignRight), content);
}
