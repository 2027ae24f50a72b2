#include "controllers/GameSortKeys.h"

#include <utility>

#include "catalogue/PlayLog.h"

namespace {
int64_t PlayKey(const TPlayRecord& record, TListColumn column)
{
    switch (column) {
    case TListColumn::Played:
        return record.PlayCount;
    case TListColumn::Time:
        return record.PlaySeconds;
    case TListColumn::LastPlayed:
        // Never played counts as the oldest, so the most recent games lead a descending list.
        return record.LastPlayed ? record.LastPlayed->Seconds : 0;
    default:
        return 0;
    }
}
} // namespace

void TGameSortKeys::UseCatalogue(const TGameObjectList& catalogue)
{
    if (m_catalogue != &catalogue || m_generation != catalogue.Generation()) {
        Forget();
        m_catalogue = &catalogue;
        m_generation = catalogue.Generation();
    }
}

void TGameSortKeys::UseGames(std::vector<TGameObject*> games)
{
    Forget();
    m_games = std::move(games);
}

void TGameSortKeys::Forget()
{
    m_catalogue = nullptr;
    m_games.clear();
    for (size_t which = 0; which < 2; ++which) {
        m_ranks[which].clear();
        m_ranksMade[which] = false;
    }
    m_playKeys.clear();
    m_playColumn = TListColumn::Name;
}

std::vector<TGameObject*> TGameSortKeys::Games() const
{
    if (!m_catalogue) {
        return m_games;
    }
    std::vector<TGameObject*> games;
    games.reserve(size_t(m_catalogue->Count()));
    for (int i = 0; i < m_catalogue->Count(); ++i) {
        games.push_back(&m_catalogue->At(i));
    }
    return games;
}

const std::vector<uint32_t>& TGameSortKeys::TextRanks(TListColumn column)
{
    const size_t which = column == TListColumn::Name ? 0 : 1;
    if (!m_ranksMade[which]) {
        std::vector<TGameListEntry> entries;
        for (TGameObject* game : Games()) {
            entries.push_back({game});
        }
        m_ranks[which] = GameListTextRanks(entries, which == 0 ? TListColumn::Name : TListColumn::ZipName);
        m_ranksMade[which] = true;
    }
    return m_ranks[which];
}

const std::vector<int64_t>& TGameSortKeys::PlayKeys(TListColumn column, const TPlayLog* playLog)
{
    const uint64_t revision = playLog ? playLog->Revision() : 0;
    if (m_playColumn != column || m_playLog != playLog || m_playRevision != revision) {
        const std::vector<TGameObject*> games = Games();
        m_playKeys.assign(games.size(), 0);
        for (size_t i = 0; playLog && i < games.size(); ++i) {
            if (const TPlayRecord* record = playLog->Find(games[i]->ZipName)) {
                m_playKeys[i] = PlayKey(*record, column);
            }
        }
        m_playColumn = column;
        m_playLog = playLog;
        m_playRevision = revision;
    }
    return m_playKeys;
}
