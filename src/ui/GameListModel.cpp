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

void TGameListModel::Fill(TGameObjectList& catalogue, const TGameListFilter& filter)
{
    std::vector<TGameListEntry> entries;
    entries.reserve(static_cast<size_t>(catalogue.Count()));
    for (int i = 0; i < catalogue.Count(); ++i) {
        TGameObject& game = catalogue.At(i);
        if (filter.Accepts(game)) {
            entries.push_back(MakeGameListEntry(game));
        }
    }
    SetEntries(std::move(entries));
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

void TGameListModel::Sort(TListColumn column, bool descending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return GameListCompare(m_entries[size_t(a)], m_entries[size_t(b)], static_cast<int>(column),
                               descending) < 0;
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

int TGameListModel::RowOf(const TGameObject* game) const
{
    if (!game) {
        return -1;
    }
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [game](const TGameListEntry& entry) { return entry.Game == game; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
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
        switch (static_cast<TListColumn>(index.column())) {
        case TListColumn::Name:
            return TextFromBytes(game->GameName);
        case TListColumn::ZipName:
            return TextFromBytes(game->ZipName);
        case TListColumn::ZipDate:
            return TextFromBytes(game->ZipDate);
        }
        return {};
    }
    if (role == Qt::DecorationRole && index.column() == static_cast<int>(TListColumn::Name)) {
        return game->Installed() ? m_installedIcon : m_notInstalledIcon;
    }
    return {};
}

QVariant TGameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kCaptions[kListColumnCount] = {"Name", "Zipname", "Zipdate"};
    return section >= 0 && section < kListColumnCount ? QString(kCaptions[section]) : QVariant();
}

Qt::ItemFlags TGameListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
