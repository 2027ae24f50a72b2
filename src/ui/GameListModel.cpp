#include "ui/GameListModel.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "catalogue/PlayLog.h"
#include "controllers/PlayText.h"
#include "platform/qt/QtText.h"
#include "ui/FavouriteIcon.h"
#include "ui/Pictures.h"

namespace {
const char* const kCaptions[] = {"Name", "Zipname", "Zipdate", "Played", "Time", "Last played"};
constexpr int kCaptionCount = 6;
} // namespace

TGameListModel::TGameListModel(int columnCount, QObject* parent)
    : QAbstractTableModel(parent), m_columnCount(columnCount), m_installedIcon(GameIcon(true)),
      m_notInstalledIcon(GameIcon(false)), m_favouriteInstalledIcon(FavouriteGameIcon(true)),
      m_favouriteNotInstalledIcon(FavouriteGameIcon(false))
{
}

void TGameListModel::SetEntries(std::vector<TGameListEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_datesRead = true;
    m_nameIndexValid = false;
    ApplySearch();
    endResetModel();
}

void TGameListModel::Fill(TGameObjectList& catalogue, const TGameListFilter& filter)
{
    std::vector<TGameListEntry> entries;
    entries.reserve(static_cast<size_t>(catalogue.Count()));
    for (int i = 0; i < catalogue.Count(); ++i) {
        TGameObject& game = catalogue.At(i);
        if (filter.Accepts(game)) {
            entries.push_back({&game, kNoZipDate});
        }
    }
    SetEntries(std::move(entries));
    m_datesRead = false;
}

void TGameListModel::ReadZipDates()
{
    for (TGameListEntry& entry : m_entries) {
        entry.DateKey = MakeGameListEntry(*entry.Game).DateKey;
    }
    m_datesRead = true;
}

void TGameListModel::ZipDatesChanged()
{
    m_datesRead = false;
    const int column = static_cast<int>(TListColumn::ZipDate);
    if (!m_shown.empty() && m_columnCount > column) {
        emit dataChanged(index(0, column), index(Count() - 1, column));
    }
}

void TGameListModel::Clear()
{
    SetEntries({});
}

void TGameListModel::SetColumnCount(int count)
{
    beginResetModel();
    m_columnCount = std::clamp(count, 1, kCaptionCount);
    endResetModel();
}

void TGameListModel::SetSearch(const std::string& text)
{
    TGameSearch search(text);
    if (search.Words() == m_search.Words()) {
        return;
    }
    beginResetModel();
    const bool narrowing = search.Narrows(m_search);
    m_search = std::move(search);
    ApplySearch(narrowing);
    endResetModel();
}

void TGameListModel::ApplySearch(bool narrowing)
{
    if (m_search.IsEmpty()) {
        m_shown.resize(m_entries.size());
        std::iota(m_shown.begin(), m_shown.end(), 0);
        return;
    }
    if (!m_nameIndexValid) {
        BuildNameIndex();
    }
    std::vector<int> candidates;
    candidates.swap(m_shown);
    if (!narrowing) {
        candidates.resize(m_entries.size());
        std::iota(candidates.begin(), candidates.end(), 0);
    }
    for (int entry : candidates) {
        if (Shows(size_t(entry))) {
            m_shown.push_back(entry);
        }
    }
}

bool TGameListModel::Shows(size_t entry) const
{
    const std::string_view names(m_names);
    const uint32_t name = m_nameStarts[2 * entry];
    const uint32_t zip = m_nameStarts[2 * entry + 1];
    const uint32_t end = m_nameStarts[2 * entry + 2];
    return m_search.Matches(names.substr(name, zip - name), names.substr(zip, end - zip));
}

void TGameListModel::BuildNameIndex()
{
    m_names.clear();
    m_nameStarts.clear();
    m_nameStarts.reserve(2 * m_entries.size() + 1);
    for (const TGameListEntry& entry : m_entries) {
        m_nameStarts.push_back(uint32_t(m_names.size()));
        m_names += entry.Game->GameName;
        m_nameStarts.push_back(uint32_t(m_names.size()));
        m_names += entry.Game->ZipName;
    }
    m_nameStarts.push_back(uint32_t(m_names.size()));
    m_nameIndexValid = true;
}

std::vector<int64_t> TGameListModel::PlayKeys(int column) const
{
    std::vector<int64_t> keys(m_entries.size(), 0);
    if (!m_playLog) {
        return keys;
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const TPlayRecord* record = m_playLog->Find(m_entries[i].Game->ZipName);
        if (!record) {
            continue;
        }
        switch (TPlayColumn(column)) {
        case TPlayColumn::Played:
            keys[i] = record->PlayCount;
            break;
        case TPlayColumn::Time:
            keys[i] = record->PlaySeconds;
            break;
        case TPlayColumn::LastPlayed:
            // Never played counts as the oldest, so the most recent games lead a descending list.
            keys[i] = record->LastPlayed ? record->LastPlayed->Seconds : 0;
            break;
        case TPlayColumn::None:
            break;
        }
    }
    return keys;
}

void TGameListModel::Sort(TListColumn sortColumn, bool descending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> persistentFullRows;
    persistentFullRows.reserve(size_t(persistent.size()));
    for (const QModelIndex& old : persistent) {
        persistentFullRows.push_back(FullRow(old.row()));
    }
    const int column = static_cast<int>(sortColumn);
    if (sortColumn == TListColumn::ZipDate && !m_datesRead) {
        ReadZipDates();
    }
    const std::vector<int> order = column >= int(TPlayColumn::Played)
                                       ? OrderByKeys(PlayKeys(column), descending)
                                       : GameListOrder(m_entries, column, descending);
    std::vector<TGameListEntry> sorted;
    sorted.reserve(m_entries.size());
    std::vector<int> newFullRows(m_entries.size());
    for (size_t row = 0; row < order.size(); ++row) {
        sorted.push_back(m_entries[size_t(order[row])]);
        newFullRows[size_t(order[row])] = int(row);
    }
    m_entries = std::move(sorted);
    m_nameIndexValid = false;
    ApplySearch();
    for (int i = 0; i < persistent.size(); ++i) {
        const int oldFullRow = persistentFullRows[size_t(i)];
        const int row = oldFullRow < 0 ? -1 : ShownRow(newFullRows[size_t(oldFullRow)]);
        changePersistentIndex(persistent[i], row < 0 ? QModelIndex() : index(row, persistent[i].column()));
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TGameListModel::SetPlayLog(const TPlayLog* playLog)
{
    m_playLog = playLog;
    if (!m_shown.empty()) {
        emit dataChanged(index(0, 0), index(Count() - 1, m_columnCount - 1));
    }
}

void TGameListModel::GameChanged(const TGameObject* game)
{
    const int row = RowOf(game);
    if (row >= 0) {
        emit dataChanged(index(row, 0), index(row, m_columnCount - 1));
    }
}

TGameObject* TGameListModel::GameAt(int row) const
{
    return row >= 0 && row < Count() ? m_entries[size_t(m_shown[size_t(row)])].Game : nullptr;
}

int TGameListModel::RowOf(const TGameObject* game) const
{
    if (!game) {
        return -1;
    }
    for (int row = 0; row < Count(); ++row) {
        if (m_entries[size_t(m_shown[size_t(row)])].Game == game) {
            return row;
        }
    }
    return -1;
}

int TGameListModel::FullRow(int row) const
{
    return row >= 0 && row < Count() ? m_shown[size_t(row)] : -1;
}

int TGameListModel::ShownRow(int fullRow) const
{
    const auto found = std::lower_bound(m_shown.begin(), m_shown.end(), fullRow);
    return found != m_shown.end() && *found == fullRow ? static_cast<int>(found - m_shown.begin()) : -1;
}

int TGameListModel::FullRowOf(const TGameObject* game) const
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

QVariant TGameListModel::PlayColumnText(const TGameObject& game, int column) const
{
    const TPlayRecord* record = m_playLog ? m_playLog->Find(game.ZipName) : nullptr;
    if (!record) {
        return QString();
    }
    switch (TPlayColumn(column)) {
    case TPlayColumn::Played:
        return record->PlayCount > 0 ? QString::number(record->PlayCount) : QString();
    case TPlayColumn::Time:
        return QString::fromStdString(PlayTimeText(record->PlaySeconds, record->PlayCount));
    case TPlayColumn::LastPlayed:
        return record->LastPlayed ? QString::fromStdString(FormatDateTime(*record->LastPlayed)) : QString();
    case TPlayColumn::None:
        break;
    }
    return {};
}

QVariant TGameListModel::Icon(const TGameObject& game) const
{
    const TPlayRecord* record = m_playLog ? m_playLog->Find(game.ZipName) : nullptr;
    const bool installed = game.InstallState != 0;
    if (record && record->Favourite) {
        return installed ? m_favouriteInstalledIcon : m_favouriteNotInstalledIcon;
    }
    return installed ? m_installedIcon : m_notInstalledIcon;
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
            return PlayColumnText(*game, index.column());
        }
        return {};
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        return Icon(*game);
    }
    if (role == Qt::ToolTipRole && m_playLog) {
        const TPlayRecord record = m_playLog->Record(game->ZipName);
        return TextFromBytes(GameToolTip(game->GameName, record));
    }
    return {};
}

QVariant TGameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section >= 0 && section < kCaptionCount ? QString(kCaptions[section]) : QVariant();
}

Qt::ItemFlags TGameListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
