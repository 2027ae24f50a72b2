#include "controllers/GameListController.h"

#include "catalogue/PlayLog.h"

TGameListController::TGameListController(TGameRows& rows, TGameObjectList& catalogue,
                                         TZipRomPaths& zipRomPaths, int& lastListPos)
    : m_rows(rows), m_catalogue(catalogue), m_zipRomPaths(zipRomPaths), m_lastListPos(lastListPos)
{
}

void TGameListController::SetPlayLog(TPlayLog* log)
{
    m_playLog = log;
}

TListSelection TGameListController::AskSelection() const
{
    return Selection ? Selection() : TListSelection{};
}

TPlayFilters TGameListController::AskPlayFilters() const
{
    return PlayFilters ? PlayFilters() : TPlayFilters{};
}

std::optional<int> TGameListController::Fill(TZipDates zipDates, TDateTime now)
{
    // Archives change on disk between fills; the list shows their dates as they are now. Unseen, they wait.
    const bool shown = ZipDatesShown();
    m_onScreenDates.reset();
    if (shown && zipDates == TZipDates::Refresh) {
        if (m_view.SortColumn == TListColumn::ZipDate) {
            ReadAllZipDates();
        } else {
            ReadZipDatesOnScreen();
        }
    }
    m_zipDatesStale = !shown;
    m_filter.SetInstallFilter(m_view.Filter);
    const TPlayFilters play = AskPlayFilters();
    m_filter.SetPlayCriteria(m_playLog, play.FavouritesOnly, play.RecentOnly, now);
    m_rows.Fill(m_catalogue, m_filter);
    m_rows.Sort(m_view.SortColumn, m_view.Descending);
    ApplyPlayOrder();
    // The position counts in the list without the search, so a save during a search means the same game.
    if (m_lastListPos >= 0 && m_rows.FullCount() > m_lastListPos) {
        return m_rows.ShownRow(m_lastListPos);
    }
    return std::nullopt;
}

void TGameListController::ApplyPlayOrder()
{
    if (AskPlayFilters().RecentOnly) {
        m_rows.Sort(TListColumn::LastPlayed, true);
    }
}

bool TGameListController::ZipDatesShown() const
{
    return m_view.ListStyle == TListStyle::Details || m_view.SortColumn == TListColumn::ZipDate;
}

void TGameListController::ShowCurrentZipDates(bool forSort)
{
    if (forSort && (m_zipDatesStale || m_onScreenDates)) {
        ReadAllZipDates();
    } else if (m_zipDatesStale) {
        ReadZipDatesOnScreen();
    } else {
        return;
    }
    m_zipDatesStale = false;
    m_rows.ZipDatesRead();
}

void TGameListController::ReadAllZipDates()
{
    m_onScreenDates.reset();
    UpdateZipDates(m_catalogue, m_zipRomPaths);
}

// A whole pass over 100,000 archives is far too slow for a switch of the list style.
void TGameListController::ReadZipDatesOnScreen()
{
    m_onScreenDates = std::make_unique<TZipDateReader>(m_zipRomPaths);
    if (++m_dateRound == 0) {
        m_dateRound = 1; // 0 is every record's "never read"
    }
}

void TGameListController::FreshenZipDate(TGameObject& game)
{
    if (m_onScreenDates && game.ZipDateRound != m_dateRound) {
        m_onScreenDates->Read(game);
        game.ZipDateRound = m_dateRound;
    }
}

void TGameListController::Release()
{
    m_zipDatesStale = false;
    m_onScreenDates.reset();
    m_rows.Clear();
}

void TGameListController::ChooseFilter(TGameFilter filter)
{
    m_view.Filter = filter;
    m_lastListPos = 0;
}

void TGameListController::ChooseListStyle(TListStyle style)
{
    m_view.ListStyle = style;
    if (style == TListStyle::Details) {
        ShowCurrentZipDates();
    }
}

void TGameListController::SortOn(TListColumn column)
{
    m_view.SortColumn = column;
    if (column == TListColumn::ZipDate) {
        ShowCurrentZipDates(true);
    }
    m_rows.Sort(column, m_view.Descending);
    RememberListPos();
}

void TGameListController::RememberListPos()
{
    const TListSelection selection = AskSelection();
    TGameObject* game = selection.Selected;
    if (!game && !selection.EditingDefaults) {
        game = selection.Current;
    }
    const int row = m_rows.FullRowOf(game);
    if (row >= 0 && game->Installed()) {
        m_lastListPos = row;
    }
}

void TGameListController::ChooseSort(TListColumn column)
{
    SortOn(TListColumn::Name);
    SortOn(column);
    SavePlayViewChoices();
}

void TGameListController::ChooseOrder(bool descending)
{
    m_view.Descending = descending;
    SortOn(m_view.SortColumn);
}

bool TGameListController::ColumnClicked(int column, int columnCount)
{
    if (column < 0 || column >= columnCount) {
        return false;
    }
    const auto clicked = static_cast<TListColumn>(column);
    if (clicked == m_view.SortColumn) {
        m_view.Descending = !m_view.Descending;
    }
    ChooseSort(clicked);
    return true;
}

void TGameListController::PlayFiltersChanged()
{
    SavePlayViewChoices();
    m_lastListPos = 0;
}

bool TGameListController::RowSelected(int row)
{
    const TGameObject* game = m_rows.GameAt(row);
    if (game && game->Installed()) {
        m_lastListPos = m_rows.FullRow(row);
        return true;
    }
    m_lastListPos = 0;
    return false;
}

TGameListController::TSearchOutcome TGameListController::SearchChanged(const std::string& text, bool blank)
{
    TGameObject* selected = AskSelection().Selected;
    if (!m_rows.Searching() && !blank) {
        m_gameBeforeSearch = selected ? selected->ZipName : std::string();
        m_searchPick.clear();
    }
    m_rows.SetSearch(text);
    // The match the search picked by itself gives way to the game the search began with.
    if (!m_rows.Searching() && selected && selected->ZipName == m_searchPick) {
        selected = nullptr;
    }
    if (!m_rows.Searching() && !selected && !m_gameBeforeSearch.empty()) {
        const int index = m_catalogue.IndexOf(m_gameBeforeSearch);
        selected = index >= 0 ? &m_catalogue.At(index) : nullptr;
    }
    int row = m_rows.RowOf(selected);
    // A search that hides the selected game selects its first match, so Return can start it at once.
    if (row < 0 && m_rows.Searching() && m_rows.Count() > 0) {
        row = 0;
        selected = m_rows.GameAt(0);
        m_searchPick = selected->ZipName;
    }
    return {row, row >= 0 ? selected : nullptr};
}

int TGameListController::SystemListCount() const
{
    TGameListFilter systemFilter;
    systemFilter.SetInstallFilter(m_view.Filter);
    int count = 0;
    for (int i = 0; i < m_catalogue.Count(); ++i) {
        if (systemFilter.Accepts(m_catalogue.At(i))) {
            ++count;
        }
    }
    return count;
}

void TGameListController::ApplyPlayChoices(const TPlayViewChoices& choices, int columnCount)
{
    if (choices.SortColumn != TPlayColumn::None && columnCount > int(choices.SortColumn)) {
        SortOn(TListColumn::Name);
        SortOn(static_cast<TListColumn>(choices.SortColumn));
    }
}

void TGameListController::SavePlayViewChoices()
{
    if (!m_playLog) {
        return;
    }
    const TPlayFilters play = AskPlayFilters();
    // The other choices kept there (full screen) stay as they are.
    TPlayViewChoices choices = m_playLog->ViewChoices();
    choices.FavouritesOnly = play.FavouritesOnly;
    choices.RecentlyPlayed = play.RecentOnly;
    const auto column = static_cast<int>(m_view.SortColumn);
    choices.SortColumn = column >= kListColumnCount ? TPlayColumn(column) : TPlayColumn::None;
    try {
        m_playLog->SetViewChoices(choices);
    } catch (const std::exception& error) {
        if (OnError) {
            OnError(error.what());
        }
    }
}
