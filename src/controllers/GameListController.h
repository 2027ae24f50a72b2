#pragma once
// The game list's rules without widgets: the view choices, which games are listed and in what order, the
// search, the stored list position and whether the zip dates on show are current. The window draws the
// rows (they tell their view of every change) and answers the two questions below.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/InstalledGames.h"
#include "controllers/GameRows.h"
#include "controllers/ViewState.h"

class TPlayLog;
struct TPlayViewChoices;

// What the window's list shows as chosen when a rule asks.
struct TListSelection
{
    TGameObject* Selected = nullptr; // the game of the selected row
    TGameObject* Current = nullptr;  // the game the pages show
    bool EditingDefaults = false;    // the pages edit the default settings, not a game
};

// Our own filters, checked in the menus.
struct TPlayFilters
{
    bool FavouritesOnly = false;
    bool RecentOnly = false;
};

class TGameListController
{
public:
    // Everything must outlive the object. lastListPos is the session's stored list position: the row of
    // the last selected installed game in the list without the search.
    TGameListController(TGameRows& rows, TGameObjectList& catalogue, TZipRomPaths& zipRomPaths,
                        int& lastListPos);

    // Shows the text of a failed play-log write.
    std::function<void(const std::string&)> OnError;
    // Unset, nothing is selected and no play filter is on.
    std::function<TListSelection()> Selection;
    std::function<TPlayFilters()> PlayFilters;

    TViewState& View() { return m_view; }
    const TViewState& View() const { return m_view; }
    TGameRows& Rows() { return m_rows; }
    // The filters read it and the view choices are saved in it; null has none. (The play columns sort by
    // the rows' own log, the one they draw.)
    void SetPlayLog(TPlayLog* log);

    // Whether the catalogue's zip dates are as on disk now: only a fill that directly follows a detection
    // of the whole catalogue may say so, which spares it a second pass over every archive. A fill reads
    // them only while they are shown; otherwise they are read when the Details style or a date sort is
    // chosen.
    enum class TZipDates { Refresh, JustDetected };
    // Lists the games, sorts them and returns the row to select for the stored position (which may be -1,
    // a game the search hides), or nothing when the position lies beyond the list. "Recently" is measured
    // from now, the same moment for every game.
    std::optional<int> Fill(TZipDates zipDates, TDateTime now);
    // The Details style shows the dates, a sort by them orders the list by them; nothing else uses them.
    bool ZipDatesShown() const;
    // Makes the dates a fill skipped current before they are shown or sorted on: for a sort all of them
    // now, for the Details style only as each row comes on screen (FreshenZipDate).
    void ShowCurrentZipDates(bool forSort = false);
    // Called by the view for every date it shows: reads it from disk once per round of on-screen reading.
    void FreshenZipDate(TGameObject& game);
    // The records are about to be released: the list lets go of them, and the next fill decides anew.
    void Release();

    void ChooseFilter(TGameFilter filter);
    void ChooseListStyle(TListStyle style);
    void SortOn(TListColumn column);
    // The Sort menu: by name first, so that the name stays the second key.
    void ChooseSort(TListColumn column);
    void ChooseOrder(bool descending);
    // A click on the header of the current sort column turns the order round. False for a column the list
    // does not have.
    bool ColumnClicked(int column, int columnCount);
    // The play filters changed: they are saved and the list starts at its top.
    void PlayFiltersChanged();
    // The stored position follows the last selected installed game through every sort.
    void RememberListPos();
    // A row was selected: the stored position follows an installed game. True when its game can start.
    bool RowSelected(int row);

    struct TSearchOutcome
    {
        // The row to select without a selection update, or -1: the game is not shown.
        int Row = -1;
        // The game of that row; it is not the current game when the search brought back the one it began
        // with.
        TGameObject* Game = nullptr;
    };
    // blank: the text holds nothing but white space. A search that hides the selected game selects its
    // first match; the game selected when a search began is selected again when the search is cleared,
    // unless the player chose another one meanwhile.
    TSearchOutcome SearchChanged(const std::string& text, bool blank);

    // Games the system's own filter lists, whatever the search and our filters hide.
    int SystemListCount() const;
    // The play log's stored choices: a play column sorts on top of the system's sort, as its item does.
    void ApplyPlayChoices(const TPlayViewChoices& choices, int columnCount);
    void SavePlayViewChoices();

private:
    void ApplyPlayOrder();
    void ReadAllZipDates();
    void ReadZipDatesOnScreen();
    TListSelection AskSelection() const;
    TPlayFilters AskPlayFilters() const;

    TGameRows& m_rows;
    TGameObjectList& m_catalogue;
    TZipRomPaths& m_zipRomPaths;
    int& m_lastListPos;
    TPlayLog* m_playLog = nullptr;
    TViewState m_view;
    TGameListFilter m_filter;
    // A fill skipped the zip dates: the records may hold older ones.
    bool m_zipDatesStale = false;
    // While set, the records' dates are read as their rows are shown, once per round.
    std::unique_ptr<TZipDateReader> m_onScreenDates;
    uint32_t m_dateRound = 0;
    // The game to select again when a search that began with it is cleared.
    std::string m_gameBeforeSearch;
    std::string m_searchPick; // the first match the search selected itself
};
