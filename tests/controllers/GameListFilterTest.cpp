// Which games the list shows for each choice of the View menu.
#include <gtest/gtest.h>

#include "controllers/GameListFilter.h"

namespace {
TGameObject GameIn(int32_t installState)
{
    TGameObject game;
    game.InstallState = installState;
    return game;
}
} // namespace

TEST(GameListFilter, InstalledStatesOneAndTwoCountAsInstalled)
{
    struct TRow
    {
        std::optional<TGameFilter> Filter;
        bool NotInstalled, Installed, OnExtraPath;
    };
    const TRow rows[] = {
        {TGameFilter::All, true, true, true},
        {TGameFilter::Installed, false, true, true},
        {TGameFilter::Uninstalled, true, false, false},
        // No item checked lists what a cleared Installed item lists.
        {std::nullopt, true, false, false},
    };
    for (const TRow& row : rows) {
        TGameListFilter filter;
        filter.SetInstallFilter(row.Filter);
        EXPECT_EQ(filter.Accepts(GameIn(kNotInstalled)), row.NotInstalled);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled)), row.Installed);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalledOnExtraPath)), row.OnExtraPath);
    }
}

TEST(GameListFilter, ShowsEveryGameUntilTold)
{
    const TGameListFilter filter;
    EXPECT_EQ(filter.InstallFilter(), TGameFilter::All);
    EXPECT_TRUE(filter.Accepts(GameIn(kNotInstalled)));
}
