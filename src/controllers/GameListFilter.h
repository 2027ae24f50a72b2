#pragma once
// Which catalogue games the list shows: every criterion of the view, asked once per game at each fill.

#include <optional>

#include "base/DateTimeText.h"
#include "catalogue/GameObject.h"

class TPlayLog;

// The View menu's choice of games by installed state.
enum class TGameFilter { Installed, Uninstalled, All };

class TGameListFilter
{
public:
    // No choice at all (a hand-edited settings file can clear all three items) lists the uninstalled games,
    // as a cleared Installed item always has.
    void SetInstallFilter(std::optional<TGameFilter> filter) { m_installFilter = filter; }
    std::optional<TGameFilter> InstallFilter() const { return m_installFilter; }

    // Our own criteria, read from the play log: only favourites, only games played recently before now.
    // Without a log neither applies.
    void SetPlayCriteria(const TPlayLog* log, bool favouritesOnly, bool recentOnly, TDateTime now);

    // True when the game passes every criterion.
    bool Accepts(const TGameObject& game) const;

private:
    bool AcceptsInstallState(const TGameObject& game) const;
    bool AcceptsPlay(const TGameObject& game) const;

    std::optional<TGameFilter> m_installFilter = TGameFilter::All;
    const TPlayLog* m_playLog = nullptr;
    bool m_favouritesOnly = false;
    bool m_recentOnly = false;
    TDateTime m_now;
};
