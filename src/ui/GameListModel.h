#pragma once
// The game list as one table model over the catalogue's records; every list style is a view of it. It
// holds the filtered, sorted list and shows the part of it that matches the search.

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QIcon>

#include "controllers/GameListCompare.h"
#include "controllers/GameListFilter.h"
#include "controllers/GameSearch.h"

class TPlayLog;

class TGameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TGameListModel(int columnCount, QObject* parent = nullptr);

    // One entry per catalogue game the filter accepts, in catalogue order, in one reset; the records stay
    // owned by the catalogue. The search stays. Zip dates are read at the first sort by them, as most fills
    // sort by a name and a game's records are then read only once.
    void Fill(TGameObjectList& catalogue, const TGameListFilter& filter);
    // Replaces every entry in one reset, as Fill does with entries made already.
    void SetEntries(std::vector<TGameListEntry> entries);
    void Clear();
    void SetColumnCount(int count);
    // The records' zip dates were read again: the column is drawn anew and a date sort uses them.
    void ZipDatesChanged();
    // Stable, so an earlier sort stays the second key; selections follow their games. Columns after the
    // system's three sort by the play log.
    void Sort(TListColumn column, bool descending);

    // Shows only the entries whose names hold every word of text (UTF-8); empty text shows them all.
    void SetSearch(const std::string& text);
    bool Searching() const { return !m_search.IsEmpty(); }

    // Favourite marks, play columns and tooltips read this log; null shows none of them.
    void SetPlayLog(const TPlayLog* playLog);
    // The game's favourite mark or play values changed: its row is drawn again.
    void GameChanged(const TGameObject* game);

    // Shown entries.
    int Count() const { return static_cast<int>(m_shown.size()); }
    TGameObject* GameAt(int row) const;
    // The shown row of the game, or -1 when it is not shown.
    int RowOf(const TGameObject* game) const;
    // The game's row in the list without the search, or -1 when it is not listed.
    int FullRowOf(const TGameObject* game) const;
    // Entries before the search, and the position of a shown row among them.
    int FullCount() const { return static_cast<int>(m_entries.size()); }
    int FullRow(int row) const;
    // The shown row of an entry of the list without the search, or -1 when the search hides it.
    int ShownRow(int fullRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ReadZipDates();
    void ApplySearch(bool narrowing = false);
    void BuildNameIndex();
    bool Shows(size_t entry) const;
    std::vector<int64_t> PlayKeys(int column) const;
    QVariant PlayColumnText(const TGameObject& game, int column) const;
    QVariant Icon(const TGameObject& game) const;

    int m_columnCount;
    std::vector<TGameListEntry> m_entries;
    bool m_datesRead = true;  // the entries' date keys hold their games' zip dates
    std::vector<int> m_shown; // indices into m_entries, in list order
    TGameSearch m_search;
    // Every entry's names side by side, in list order, so that a keystroke reads one block of memory
    // instead of two records per game. Made at the first search after a fill or a sort.
    std::string m_names;
    std::vector<uint32_t> m_nameStarts; // entry i: display name, then zip name; one start past the end
    bool m_nameIndexValid = false;
    const TPlayLog* m_playLog = nullptr;
    QIcon m_installedIcon;
    QIcon m_notInstalledIcon;
    QIcon m_favouriteInstalledIcon;
    QIcon m_favouriteNotInstalledIcon;
};
