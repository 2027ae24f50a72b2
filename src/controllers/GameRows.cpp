#include "controllers/GameRows.h"

#include <algorithm>
#include <numeric>

#include "catalogue/PlayLog.h"

void TGameRows::SetEntries(std::vector<TGameListEntry> entries)
{
    if (BeforeReset)
        BeforeReset();
    m_entries = std::move(entries);
    m_datesRead = true;
    m_nameIndexValid = false;
    m_nameRanksValid = false;
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
            entries.push_back({&game, kNoZipDate});
        }
    }
    SetEntries(std::move(entries));
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

std::vector<int64_t> TGameRows::PlayKeys(int column) const
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

// Each entry's place in the list sorted by name: games that tie on a play column run A to Z both ways.
// Kept with the entries, which move with every sort: only the first play-column sort of a list pays for it.
std::vector<int> TGameRows::NameRanks()
{
    if (!m_nameRanksValid) {
        const std::vector<int> byName = GameListOrder(m_entries, TListColumn::Name, false);
        for (size_t place = 0; place < byName.size(); ++place) {
            m_entries[size_t(byName[place])].NameRank = int(place);
        }
        m_nameRanksValid = true;
    }
    std::vector<int> ranks(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        ranks[i] = m_entries[i].NameRank;
    }
    return ranks;
}

void TGameRows::Sort(TListColumn sortColumn, bool descending)
{
    if (BeforeSort)
        BeforeSort();
    const int column = static_cast<int>(sortColumn);
    if (sortColumn == TListColumn::ZipDate && !m_datesRead) {
        ReadZipDates();
    }
    const std::vector<int> order = column >= int(TPlayColumn::Played)
                                       ? OrderByKeys(PlayKeys(column), descending, NameRanks())
                                       : GameListOrder(m_entries, sortColumn, descending);
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
