#pragma once
// The game list as one table model over the catalogue's records; every list style is a view of it.

#include <vector>

#include <QAbstractTableModel>
#include <QIcon>

#include "controllers/GameListCompare.h"
#include "controllers/GameListFilter.h"

class TGameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TGameListModel(int columnCount, QObject* parent = nullptr);

    // One entry per catalogue game the filter accepts, in catalogue order, in one reset; the records stay
    // owned by the catalogue.
    void Fill(TGameObjectList& catalogue, const TGameListFilter& filter);
    void Clear();
    void SetColumnCount(int count);
    // Stable, so an earlier sort stays the second key; selections follow their games.
    void Sort(TListColumn column, bool descending);

    int Count() const { return static_cast<int>(m_entries.size()); }
    TGameObject* GameAt(int row) const;
    // The row of the game, or -1 when it is not listed.
    int RowOf(const TGameObject* game) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void SetEntries(std::vector<TGameListEntry> entries);

    int m_columnCount;
    std::vector<TGameListEntry> m_entries;
    QIcon m_installedIcon;
    QIcon m_notInstalledIcon;
};
