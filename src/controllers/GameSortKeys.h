#pragma once
// What a list sorts by, worked out once over a fixed set of games: the name and zip-name ranks over the
// whole catalogue while it is unchanged, the play keys while the play log is unchanged too. A refill (another
// filter) and every later sort then cost a radix sort of numbers read from one block, instead of a
// comparison sort or a play-log lookup that follows each entry to its record.

#include <cstdint>
#include <vector>

#include "controllers/GameListCompare.h"

class TPlayLog;

class TGameSortKeys
{
public:
    // Entries index the catalogue's games; what was worked out over it stays while it is unchanged.
    void UseCatalogue(const TGameObjectList& catalogue);
    // Entries index games, which belong to no catalogue.
    void UseGames(std::vector<TGameObject*> games);

    // Each game's rank (by entry Index) for Name or ZipName: equal texts share one.
    const std::vector<uint32_t>& TextRanks(TListColumn column);
    // Each game's key for a play column; a game without a record, or without a log, has 0.
    const std::vector<int64_t>& PlayKeys(TListColumn column, const TPlayLog* playLog);

private:
    void Forget();
    std::vector<TGameObject*> Games() const;

    const TGameObjectList* m_catalogue = nullptr;
    uint64_t m_generation = 0;
    std::vector<TGameObject*> m_games; // when there is no catalogue
    std::vector<uint32_t> m_ranks[2];
    bool m_ranksMade[2] = {false, false};
    std::vector<int64_t> m_playKeys;
    TListColumn m_playColumn = TListColumn::Name; // of m_playKeys; Name when there are none
    const TPlayLog* m_playLog = nullptr;
    uint64_t m_playRevision = 0;
};
