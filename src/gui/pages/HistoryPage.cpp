// The page "抽選数字照会": the history list, sorted by a header click, with striped rows.

#include "gui/pages/HistoryPage.h"

#include "gui/PageContext.h"
#include "gui/models/HistoryModel.h"
#include "gui/widgets/LayoutKit.h"

#include <QCollator>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

using namespace layout;

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

} // namespace

HistoryPage::HistoryPage(PageContext &context, QWidget *parent)
    : Page(parent, Build::WhenFirstShown), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet6"));
}

void HistoryPage::buildControls()
{
    viewHistory = new QTableView(this);
    viewHistory->setObjectName(QStringLiteral("viewHistory"));
    viewHistory->setGeometry(6, 8, 620, 449);
    viewHistory->setModel(m_context.historyList());
    applyStyle(viewHistory, 19, false, colour::black);
    viewHistory->setShowGrid(true);
    viewHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
    viewHistory->setSelectionMode(QAbstractItemView::SingleSelection);
    viewHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    viewHistory->setWordWrap(false);
    applyGridHabits(viewHistory);
    viewHistory->verticalHeader()->hide();
    viewHistory->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    viewHistory->verticalHeader()->setDefaultSectionSize(24);
    viewHistory->horizontalHeader()->setSectionsClickable(true);
    viewHistory->horizontalHeader()->setHighlightSections(false);
    viewHistory->horizontalHeader()->setFont(makeFont(15));
    const int widths[HistoryModel::kColumns] = {75, 138, 55, 55, 55, 55, 55, 55, 55};
    for (int c = 0; c < HistoryModel::kColumns; ++c)
        viewHistory->setColumnWidth(c, widths[c]);

    connect(viewHistory->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &HistoryPage::viewHistoryColumnClick);
    viewHistory->setAlternatingRowColors(false);
    viewHistory->setItemDelegate(new RowColourDelegate(
        [this](int row) { return viewHistoryCustomDrawItem(row); }, viewHistory));
    showFromTop();
}

QString HistoryPage::guide() const
{
    return QStringLiteral("過去の抽選数字（ボーナス数字を含む）を一覧で表示します。");
}

void HistoryPage::showFromTop()
{
    if (!isBuilt())
        return; // the page shows the history from the top when it is built
    viewHistory->setCurrentIndex(m_context.historyList()->index(0, 0));
    viewHistory->scrollToTop();
}

// A header click sorts by that column; the same column again reverses the direction, a new
// column starts ascending. The state outlives reloads, which bring back file order.
void HistoryPage::viewHistoryColumnClick(int column)
{
    const int k = column + 1;
    if (k == qAbs(m_historySortState))
        m_historySortState = -m_historySortState;
    else
        m_historySortState = k;
    sortHistory();
}

void HistoryPage::sortHistory()
{
    const int column = qAbs(m_historySortState) - 1;
    if (column < 0 || column >= HistoryModel::kColumns)
        return;
    // The texts are compared as the user's locale orders them, case-sensitive.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    QStringList texts;
    texts.reserve(m_context.historyList()->rowCount());
    for (int row = 0; row < m_context.historyList()->rowCount(); ++row) {
        // The draw numbers are right-aligned with blanks, which Windows' collation passes
        // over ("  998" after " 1001"): as zeros they keep text order equal to number order.
        QString text = m_context.historyList()->record(row).column(column);
        for (qsizetype i = 0; i < text.size() && text.at(i) == QLatin1Char(' '); ++i)
            text[i] = QLatin1Char('0');
        texts.append(text);
    }
#ifdef Q_OS_WIN
    // Qt 6.4 writes a Windows collation key into half of the room it takes and leaves the rest
    // unset, so equal texts can have unequal keys: there the texts themselves are compared.
    const auto textOrder = [&collator, &texts](int a, int b) {
        return collator.compare(texts.at(a), texts.at(b));
    };
#else
    // Each row's collation key is made once, so a sort costs one key comparison per step.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(texts.size()));
    for (const QString &text : std::as_const(texts))
        keys.push_back(collator.sortKey(text));
    const auto textOrder = [&keys](int a, int b) {
        return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
    };
#endif
    m_context.historyList()->sortRows(
        [this, &textOrder](int a, int b) { return viewHistoryCompare(textOrder(a, b)) < 0; });
}

// Negative, zero or positive as a row goes before, together with or after another in the
// current sort state, given the same for the texts of their sorted column.
int HistoryPage::viewHistoryCompare(int textOrder) const
{
    return m_historySortState < 0 ? -textOrder : textOrder;
}

// Rows are striped by their position in the order shown: odd positions green.
QColor HistoryPage::viewHistoryCustomDrawItem(int row) const
{
    return row % 2 == 1 ? layout::colour::stripe : layout::colour::white;
}
