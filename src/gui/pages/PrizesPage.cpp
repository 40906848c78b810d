// The page "当選金額照会": the prize table, painted cell by cell, its header too.

#include "gui/pages/PrizesPage.h"

#include "core/results/DrawHistory.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/StringGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <functional>
#include <vector>

using namespace layout;

namespace
{

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

PrizesPage::PrizesPage(const DrawHistory &history, QWidget *parent)
    : Page(parent, Build::WhenFirstShown), m_history(history)
{
    setObjectName(QStringLiteral("TabSheet7"));
}

void PrizesPage::buildControls()
{
    gridMoney = new StringGrid(12, this);
    gridMoney->setObjectName(QStringLiteral("gridMoney"));
    gridMoney->setGeometry(6, 8, 620, 449);
    applyStyle(gridMoney, 19, false, colour::black);
    gridMoney->setColumnWidths({64, 135, 47, 123, 49, 114, 60, 82, 74, 81, 99, 197});
    gridMoney->setRowHeight(22);
    gridMoney->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gridMoney->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    gridMoney->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    gridMoney->setCellPainter([this](QPainter *painter, const QRect &rect, int row, int column) {
        gridMoneyDrawCell(painter, rect, row + 1, column); // row 0 is the header
    });
    paintHeaderThrough(gridMoney, [this](QPainter *painter, const QRect &rect, int column) {
        gridMoneyDrawCell(painter, rect, 0, column);
    });
    gridMoney->setHeaderTexts(
        {QStringLiteral("開催回"), QStringLiteral("１等金額"), QStringLiteral("口数"),
         QStringLiteral("２等金額"), QStringLiteral("口数"), QStringLiteral("３等金額"),
         QStringLiteral("口数"), QStringLiteral("４等金額"), QStringLiteral("口数"),
         QStringLiteral("５等金額"), QStringLiteral("口数"), QStringLiteral("ｷｬﾘｰｵｰﾊﾞｰ(円)")});
    QStringList spoken{QStringLiteral("開催回")};
    for (const QString &tier :
         {QStringLiteral("１等"), QStringLiteral("２等"), QStringLiteral("３等"),
          QStringLiteral("４等"), QStringLiteral("５等")})
        spoken << tier + QStringLiteral("の当選金額") << tier + QStringLiteral("の口数");
    gridMoney->cells()->setSpokenHeaderTexts(spoken << QStringLiteral("キャリーオーバー（円）"));
    showPrizes(m_history.prizes());
}

QString PrizesPage::guide() const
{
    return QStringLiteral("１等～５等の当選金額及び当選口数、キャリーオーバーを一覧で表示します。");
}

void PrizesPage::showPrizes(const QVector<PrizeRecord> &prizes)
{
    if (!isBuilt())
        return; // the page shows the prizes of the history when it is built
    QVector<QStringList> rows;
    rows.reserve(prizes.size());
    for (const PrizeRecord &prize : prizes)
        rows.append(prize.texts());
    gridMoney->cells()->replaceRows(std::move(rows));
}

// Paints one cell of the prize table; row 0 is the header, data rows count from 1.
void PrizesPage::gridMoneyDrawCell(QPainter *painter, const QRect &rect, int row, int column) const
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
