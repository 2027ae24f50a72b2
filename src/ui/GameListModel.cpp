#include "ui/GameListModel.h"

#include <algorithm>
#include <numeric>

#include "platform/qt/QtText.h"
#include "ui/Pictures.h"

TGameListModel::TGameListModel(int columnCount, QObject* parent)
    : QAbstractTableModel(parent), m_columnCount(columnCount), m_installedIcon(GameIcon(true)),
      m_notInstalledIcon(GameIcon(false))
{
}

void TGameListModel::SetEntries(std::vector<TGameListEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void TGameListModel::Clear()
{
    SetEntries({});
}

void TGameListModel::SetColumnCount(int count)
{
    beginResetModel();
    m_columnCount = count;
    endResetModel();
}

void TGameListModel::Sort(int column, bool descending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return GameListCompare(m_entries[size_t(a)], m_entries[size_t(b)], column, descending) < 0;
    });
    std::vector<TGameListEntry> sorted;
    sorted.reserve(m_entries.size());
    std::vector<int> newRow(m_entries.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(m_entries[size_t(order[i])]);
        newRow[size_t(order[i])] = static_cast<int>(i);
    }
    m_entries = std::move(sorted);
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& old : persistent) {
        changePersistentIndex(old, index(newRow[size_t(old.row())], old.column()));
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

TGameObject* TGameListModel::GameAt(int row) const
{
    return row >= 0 && row < Count() ? m_entries[size_t(row)].Game : nullptr;
}

int TGameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

int TGameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

QVariant TGameListModel::data(const QModelIndex& index, int role) const
{
    const TGameObject* game = GameAt(index.row());
    if (!game) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return TextFromBytes(game->GameName);
        case 1:
            return TextFromBytes(game->ZipName);
        case 2:
            return TextFromBytes(game->ZipDate);
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        return game->InstallState != 0 ? m_installedIcon : m_notInstalledIcon;
    }
    return {};
}

QVariant TGameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kCaptions[] = {"Name", "Zipname", "Zipdate"};
    return section >= 0 && section < 3 ? QString(kCaptions[section]) : QVariant();
}

Qt::ItemFlags TGameListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
