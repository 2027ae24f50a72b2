#include "controllers/GameListFilter.h"

#include "catalogue/PlayLog.h"
#include "controllers/PlayText.h"

bool TGameListFilter::Accepts(const TGameObject& game) const
{
    return AcceptsInstallState(game) && AcceptsPlay(game);
}

void TGameListFilter::SetPlayCriteria(const TPlayLog* log, bool favouritesOnly, bool recentOnly,
                                      TDateTime now)
{
    m_playLog = log;
    m_favouritesOnly = favouritesOnly;
    m_recentOnly = recentOnly;
    m_now = now;
}

bool TGameListFilter::AcceptsPlay(const TGameObject& game) const
{
    if (!m_playLog || (!m_favouritesOnly && !m_recentOnly)) {
        return true;
    }
    const TPlayRecord* record = m_playLog->Find(game.ZipName);
    if (!record) {
        return false;
    }
    return (!m_favouritesOnly || record->Favourite) && (!m_recentOnly || RecentlyPlayed(*record, m_now));
}

bool TGameListFilter::AcceptsInstallState(const TGameObject& game) const
{
    if (m_installFilter == TGameFilter::All) {
        return true;
    }
    return game.Installed() == (m_installFilter == TGameFilter::Installed);
}
