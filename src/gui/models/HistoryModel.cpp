#include "gui/models/HistoryModel.h"

namespace
{

const char16_t *const kHeaders[HistoryModel::kColumns] = {u"開催回", u"抽選日付", u"①", u"②", u"③",
                                                          u"④",      u"⑤",        u"⑥", u"Ｂ"};

} // namespace

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent) {}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.at(index.row()).column(index.column());
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

void HistoryModel::setRecords(QVector<DrawRecord> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void HistoryModel::applyOrder(const std::vector<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QVector<DrawRecord> &old = m_rows;
    QVector<DrawRecord> sorted;
    sorted.reserve(old.size());
    std::vector<int> newRowOf(order.size());
    for (size_t to = 0; to < order.size(); ++to) {
        newRowOf[static_cast<size_t>(order[to])] = static_cast<int>(to);
        sorted.append(old.at(order[to]));
    }
    m_rows = std::move(sorted);

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &at : from)
        to.append(index(newRowOf[static_cast<size_t>(at.row())], at.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
