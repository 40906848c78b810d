#include "gui/models/HistoryModel.h"

#include "core/results/DrawHistory.h"

namespace
{

const char16_t *const kHeaders[HistoryModel::kColumns] = {u"開催回", u"抽選日付", u"①", u"②", u"③",
                                                          u"④",      u"⑤",        u"⑥", u"Ｂ"};

} // namespace

HistoryModel::HistoryModel(const DrawHistory &history, QObject *parent)
    : QAbstractTableModel(parent), m_history(history)
{
    connect(&history, &DrawHistory::changed, this, &HistoryModel::historyChanged);
    historyChanged();
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

const DrawRecord &HistoryModel::record(int row) const
{
    return m_history.records().at(m_order.at(static_cast<size_t>(row)));
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return record(index.row()).column(index.column());
    case Qt::TextAlignmentRole:
        return int(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf16(kHeaders[section]);
    if (role == Qt::TextAlignmentRole)
        return int(section == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    return {};
}

QVector<DrawRecord> HistoryModel::shownRecords() const
{
    QVector<DrawRecord> shown;
    shown.reserve(rowCount());
    for (int row : m_order)
        shown.append(m_history.records().at(row));
    return shown;
}

QVector<int> HistoryModel::shownDrawNumbers() const
{
    QVector<int> shown;
    shown.reserve(rowCount());
    for (int row : m_order)
        shown.append(m_history.records().at(row).number);
    return shown;
}

void HistoryModel::historyChanged()
{
    beginResetModel();
    m_order.resize(static_cast<size_t>(m_history.records().size()));
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

void HistoryModel::applyOrder(const std::vector<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> sorted(order.size());
    std::vector<int> newRowOf(order.size());
    for (size_t to = 0; to < order.size(); ++to) {
        const auto from = static_cast<size_t>(order[to]);
        newRowOf[from] = static_cast<int>(to);
        sorted[to] = m_order[from];
    }
    m_order = std::move(sorted);

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &at : from)
        to.append(index(newRowOf[static_cast<size_t>(at.row())], at.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
