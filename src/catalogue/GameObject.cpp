#include "catalogue/GameObject.h"
#include "base/AsciiText.h"

#include <algorithm>

namespace {
} // namespace

void TGameObjectList::AddGame(std::unique_ptr<TGameObject> game)
{
    m_index.emplace(LowerAscii(game->ZipName), Count());
    m_games.push_back(std::move(game));
}

void TGameObjectList::ClearGames()
{
    m_index.clear();
    m_games.clear();
}

void TGameObjectList::Reserve(int count)
{
    m_games.reserve(static_cast<size_t>(count));
    m_index.reserve(static_cast<size_t>(count));
}

int TGameObjectList::IndexOf(const std::string& key) const
{
    auto [first, last] = m_index.equal_range(LowerAscii(key));
    int best = -1;
    for (auto it = first; it != last; ++it) {
        if (best < 0 || it->second < best) {
            best = it->second;
        }
    }
    return best;
}
