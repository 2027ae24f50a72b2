#include "ui/GameListModel.h"

#include <algorithm>

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
    WatchRows();
}

void TGameListModel::WatchRows()
{
    m_rows.BeforeReset = [this] { beginResetModel(); };
    m_rows.AfterReset = [this] { endResetModel(); };
    m_rows.BeforeSort = [this] {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        m_persistent = persistentIndexList();
        m_persistentFullRows.clear();
        m_persistentFullRows.reserve(size_t(m_persistent.size()));
        for (const QModelIndex& old : m_persistent) {
            m_persistentFullRows.push_back(FullRow(old.row()));
        }
    };
    m_rows.AfterSort = [this](const std::vector<int>& newFullRows) {
        for (int i = 0; i < m_persistent.size(); ++i) {
            const int oldFullRow = m_persistentFullRows[size_t(i)];
            const int row = oldFullRow < 0 ? -1 : ShownRow(newFullRows[size_t(oldFullRow)]);
            changePersistentIndex(m_persistent[i],
                                  row < 0 ? QModelIndex() : index(row, m_persistent[i].column()));
        }
        m_persistent.clear();
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        emit Sorted(static_cast<int>(m_rows.SortColumn()), m_rows.SortDescending());
    };
    m_rows.ZipDatesChanged = [this] {
        const int column = static_cast<int>(TListColumn::ZipDate);
        if (Count() > 0 && m_columnCount > column) {
            emit dataChanged(index(0, column), index(Count() - 1, column));
        }
    };
}

void TGameListModel::SetColumnCount(int count)
{
    beginResetModel();
    m_columnCount = std::clamp(count, 1, kCaptionCount);
    endResetModel();
}

void TGameListModel::SetPlayLog(const TPlayLog* playLog)
{
    m_rows.SetPlayLog(playLog);
    if (Count() > 0) {
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
    const TPlayRecord* record = m_rows.PlayLog() ? m_rows.PlayLog()->Find(game.ZipName) : nullptr;
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
    const TPlayRecord* record = m_rows.PlayLog() ? m_rows.PlayLog()->Find(game.ZipName) : nullptr;
    const bool installed = game.InstallState != 0;
    if (record && record->Favourite) {
        return installed ? m_favouriteInstalledIcon : m_favouriteNotInstalledIcon;
    }
    return installed ? m_installedIcon : m_notInstalledIcon;
}

QVariant TGameListModel::data(const QModelIndex& index, int role) const
{
    TGameObject* game = GameAt(index.row());
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
            if (FreshenZipDate) {
                FreshenZipDate(*game);
            }
            return TextFromBytes(game->ZipDate);
        default:
            return PlayColumnText(*game, index.column());
        }
        return {};
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        return Icon(*game);
    }
    if (role == Qt::ToolTipRole && m_rows.PlayLog()) {
        const TPlayRecord record = m_rows.PlayLog()->Record(game->ZipName);
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
