#include "controllers/GameListFilter.h"

bool TGameListFilter::Accepts(const TGameObject& game) const
{
    return AcceptsInstallState(game);
}

bool TGameListFilter::AcceptsInstallState(const TGameObject& game) const
{
    if (m_installFilter == TGameFilter::All) {
        return true;
    }
    return game.Installed() == (m_installFilter == TGameFilter::Installed);
}
