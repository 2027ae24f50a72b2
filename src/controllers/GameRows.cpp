#include "controllers/GameRows.h"

#include <algorithm>
#include <numeric>

void TGameRows::SetEntries(std::vector<TGameListEntry> entries)
{
    std::vector<TGameObject*> games;
    games.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].Index = int(i);
        games.push_back(entries[i].Game);
    }
    m_sortKeys.UseGames(std::move(games));
    Reset(std::move(entries));
}

void TGameRows::Reset(std::vector<TGameListEntry> entries)
{
    if (BeforeReset)
        BeforeReset();
    m_entries = std::move(entries);
    m_datesRead = true;
    m_nameIndexValid = false;
    ApplySearch();
    if (AfterReset)
        AfterReset();
}

void TGameRows::Fill(TGameObjectList& catalogue, const TGameListFilter& filter)
{
    std::vector<TGameListEntry> entries;
    entries.reserve(static_cast<size_t>(catalogue.Count()));
    for (int i = 0; i < catalogue.Count(); ++i) {
        TGameObject& game = catalogue.At(i);
        if (filter.Accepts(game)) {
            entries.push_back({&game, kNoZipDate, i});
        }
    }
    m_sortKeys.UseCatalogue(catalogue);
    Reset(std::move(entries));
    m_datesRead = false;
}

void TGameRows::ReadZipDates()
{
    for (TGameListEntry& entry : m_entries) {
        entry.DateKey = MakeGameListEntry(*entry.Game).DateKey;
    }
    m_datesRead = true;
}

void TGameRows::ZipDatesRead()
{
    m_datesRead = false;
    if (ZipDatesChanged)
        ZipDatesChanged();
}

void TGameRows::SetSearch(const std::string& text)
{
    TGameSearch search(text);
    if (search.Words() == m_search.Words()) {
        return;
    }
    if (BeforeReset)
        BeforeReset();
    const bool narrowing = search.Narrows(m_search);
    m_search = std::move(search);
    ApplySearch(narrowing);
    if (AfterReset)
        AfterReset();
}

void TGameRows::ApplySearch(bool narrowing)
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

bool TGameRows::Shows(size_t entry) const
{
    const std::string_view names(m_names);
    const uint32_t name = m_nameStarts[2 * entry];
    const uint32_t zip = m_nameStarts[2 * entry + 1];
    const uint32_t end = m_nameStarts[2 * entry + 2];
    return m_search.Matches(names.substr(name, zip - name), names.substr(zip, end - zip));
}

void TGameRows::BuildNameIndex()
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

std::vector<int> TGameRows::Order(TListColumn column, bool descending)
{
    switch (column) {
    case TListColumn::Name:
    case TListColumn::ZipName:
        return OrderByRanks(OfEntries(m_sortKeys.TextRanks(column)), descending);
    case TListColumn::ZipDate:
        if (!m_datesRead) {
            ReadZipDates();
        }
        return GameListOrder(m_entries, column, descending);
    case TListColumn::Played:
    case TListColumn::Time:
    case TListColumn::LastPlayed: {
        // Games that tie on a play column run A to Z both ways.
        return OrderByKeys(OfEntries(m_sortKeys.PlayKeys(column, m_playLog)), descending,
                           OfEntries(m_sortKeys.TextRanks(TListColumn::Name)));
    }
    default:
        return GameListOrder(m_entries, column, descending);
    }
}

void TGameRows::Sort(TListColumn sortColumn, bool descending)
{
    if (BeforeSort)
        BeforeSort();
    const std::vector<int> order = Order(sortColumn, descending);
    std::vector<TGameListEntry> sorted;
    sorted.reserve(m_entries.size());
    std::vector<int> newFullRows(m_entries.size());
    for (size_t row = 0; row < order.size(); ++row) {
        sorted.push_back(m_entries[size_t(order[row])]);
        newFullRows[size_t(order[row])] = int(row);
    }
    m_entries = std::move(sorted);
    m_sortColumn = sortColumn;
    m_sortDescending = descending;
    m_nameIndexValid = false;
    ApplySearch();
    if (AfterSort)
        AfterSort(newFullRows);
}

TGameObject* TGameRows::GameAt(int row) const
{
    return row >= 0 && row < Count() ? m_entries[size_t(m_shown[size_t(row)])].Game : nullptr;
}

int TGameRows::RowOf(const TGameObject* game) const
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

int TGameRows::FullRow(int row) const
{
    return row >= 0 && row < Count() ? m_shown[size_t(row)] : -1;
}

int TGameRows::ShownRow(int fullRow) const
{
    const auto found = std::lower_bound(m_shown.begin(), m_shown.end(), fullRow);
    return found != m_shown.end() && *found == fullRow ? static_cast<int>(found - m_shown.begin()) : -1;
}

int TGameRows::FullRowOf(const TGameObject* game) const
{
    if (!game) {
        return -1;
    }
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [game](const TGameListEntry& entry) { return entry.Game == game; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}
