#pragma once
// Which catalogue games the list shows: every criterion of the view, asked once per game at each fill.

#include <optional>

#include "catalogue/GameObject.h"

// The View menu's choice of games by installed state.
enum class TGameFilter { Installed, Uninstalled, All };

class TGameListFilter
{
public:
    // No choice at all (a hand-edited settings file can clear all three items) lists the uninstalled games,
    // as a cleared Installed item always has.
    void SetInstallFilter(std::optional<TGameFilter> filter) { m_installFilter = filter; }
    std::optional<TGameFilter> InstallFilter() const { return m_installFilter; }

    // True when the game passes every criterion.
    bool Accepts(const TGameObject& game) const;

private:
    bool AcceptsInstallState(const TGameObject& game) const;

    std::optional<TGameFilter> m_installFilter = TGameFilter::All;
};
