#pragma once
// The game list as one table model over the catalogue's records; every list style is a view of it. It
// draws the rows of a TGameRows: the filtered, sorted list and the part of it that matches the search.

#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QIcon>

#include "controllers/GameRows.h"

class TPlayLog;

class TGameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TGameListModel(int columnCount, QObject* parent = nullptr);

    // The list's controller works on these; every change shows here.
    TGameRows& Rows() { return m_rows; }
    // The rows' own operations, each in one reset or layout change; selections follow their games.
    void Fill(TGameObjectList& catalogue, const TGameListFilter& filter) { m_rows.Fill(catalogue, filter); }
    void SetEntries(std::vector<TGameListEntry> entries) { m_rows.SetEntries(std::move(entries)); }
    void Clear() { m_rows.Clear(); }
    void SetColumnCount(int count);
    // The records' zip dates were read again: the column is drawn anew and a date sort uses them.
    void ZipDatesChanged() { m_rows.ZipDatesRead(); }
    void Sort(TListColumn column, bool descending) { m_rows.Sort(column, descending); }
    void SetSearch(const std::string& text) { m_rows.SetSearch(text); }
    bool Searching() const { return m_rows.Searching(); }

    // Favourite marks, play columns and tooltips read this log; null shows none of them.
    void SetPlayLog(const TPlayLog* playLog);
    // The game's favourite mark or play values changed: its row is drawn again.
    void GameChanged(const TGameObject* game);

    int Count() const { return m_rows.Count(); }
    TGameObject* GameAt(int row) const { return m_rows.GameAt(row); }
    int RowOf(const TGameObject* game) const { return m_rows.RowOf(game); }
    int FullRowOf(const TGameObject* game) const { return m_rows.FullRowOf(game); }
    int FullCount() const { return m_rows.FullCount(); }
    int FullRow(int row) const { return m_rows.FullRow(row); }
    int ShownRow(int fullRow) const { return m_rows.ShownRow(fullRow); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Asked before a date is shown, so that it is read from disk as late as it can be.
    std::function<void(TGameObject&)> FreshenZipDate;

signals:
    void Sorted(int column, bool descending);

private:
    void WatchRows();
    QVariant PlayColumnText(const TGameObject& game, int column) const;
    QVariant Icon(const TGameObject& game) const;

    TGameRows m_rows;
    int m_columnCount;
    // Full rows of the persistent indices while a sort runs.
    std::vector<int> m_persistentFullRows;
    QModelIndexList m_persistent;
    QIcon m_installedIcon;
    QIcon m_notInstalledIcon;
    QIcon m_favouriteInstalledIcon;
    QIcon m_favouriteNotInstalledIcon;
};
