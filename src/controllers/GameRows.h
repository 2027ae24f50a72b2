#pragma once
// The game list's rows without a view: the filtered, sorted entries and the part of them the search shows.
// A view mirrors it through the hooks, which fire around every change.

#include <functional>
#include <string>
#include <vector>

#include "controllers/GameListCompare.h"
#include "controllers/GameListFilter.h"
#include "controllers/GameSearch.h"
#include "controllers/GameSortKeys.h"

class TPlayLog;

class TGameRows
{
public:
    // Around a change that replaces every row.
    std::function<void()> BeforeReset;
    std::function<void()> AfterReset;
    // Around a sort; after it, the new row in the list without the search of each old one.
    std::function<void()> BeforeSort;
    std::function<void(const std::vector<int>& newFullRows)> AfterSort;
    // The records' zip dates were read again.
    std::function<void()> ZipDatesChanged;

    // One entry per catalogue game the filter accepts, in catalogue order; the records stay owned by the
    // catalogue. The search stays. Zip dates are read at the first sort by them, as most fills sort by a
    // name and a game's records are then read only once.
    void Fill(TGameObjectList& catalogue, const TGameListFilter& filter);
    // Replaces every entry, as Fill does with entries made already.
    void SetEntries(std::vector<TGameListEntry> entries);
    void Clear() { SetEntries({}); }
    // The records' zip dates were read again: a date sort uses them.
    void ZipDatesRead();
    // Stable, so an earlier sort stays the second key. Columns after the system's three sort by the play log.
    void Sort(TListColumn column, bool descending);
    // The last sort, which the list's header marks.
    TListColumn SortColumn() const { return m_sortColumn; }
    bool SortDescending() const { return m_sortDescending; }

    // Shows only the entries whose names hold every word of text (UTF-8); empty text shows them all.
    void SetSearch(const std::string& text);
    bool Searching() const { return !m_search.IsEmpty(); }

    void SetPlayLog(const TPlayLog* playLog) { m_playLog = playLog; }
    const TPlayLog* PlayLog() const { return m_playLog; }

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

private:
    void ReadZipDates();
    void ApplySearch(bool narrowing = false);
    void BuildNameIndex();
    bool Shows(size_t entry) const;
    void Reset(std::vector<TGameListEntry> entries);
    std::vector<int> Order(TListColumn column, bool descending);
    // The value of each entry, in list order, from one per game of the set the entries index.
    template <typename TValue> std::vector<TValue> OfEntries(const std::vector<TValue>& ofGames) const
    {
        std::vector<TValue> values;
        values.reserve(m_entries.size());
        for (const TGameListEntry& entry : m_entries) {
            values.push_back(ofGames[size_t(entry.Index)]);
        }
        return values;
    }

    std::vector<TGameListEntry> m_entries;
    TGameSortKeys m_sortKeys; // over the games the entries' Index counts in
    TListColumn m_sortColumn = TListColumn::Name;
    bool m_sortDescending = false;
    bool m_datesRead = true;  // the entries' date keys hold their games' zip dates
    std::vector<int> m_shown; // indices into m_entries, in list order
    TGameSearch m_search;
    // Every entry's names side by side, in list order, so that a keystroke reads one block of memory
    // instead of two records per game. Made at the first search after a fill or a sort.
    std::string m_names;
    std::vector<uint32_t> m_nameStarts; // entry i: display name, then zip name; one start past the end
    bool m_nameIndexValid = false;
    const TPlayLog* m_playLog = nullptr;
};
