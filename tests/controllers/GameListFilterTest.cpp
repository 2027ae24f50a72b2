// Which games the list shows for each choice of the View menu.
#include <gtest/gtest.h>

#include "catalogue/PlayLog.h"
#include "controllers/GameListFilter.h"

namespace {
TGameObject GameIn(int32_t installState, const std::string& zipName = "game")
{
    TGameObject game;
    game.InstallState = installState;
    game.ZipName = zipName;
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

TEST(GameListFilter, PlayCriteriaNarrowTheInstallChoice)
{
    const TDateTime now = TDateTime::FromDays(20000);
    TPlayLog log;
    log.SetFavourite("fav", true);
    log.RecordPlay("recent", 60, TDateTime::FromDays(20000 - 2));
    log.RecordPlay("old", 60, TDateTime::FromDays(20000 - 400));
    log.SetFavourite("both", true);
    log.RecordPlay("both", 60, TDateTime::FromDays(20000 - 1));
    struct TRow
    {
        bool Favourites, Recent;
        bool Fav, RecentGame, Old, Both, Unknown;
    };
    const TRow rows[] = {
        {false, false, true, true, true, true, true},
        {true, false, true, false, false, true, false},
        {false, true, false, true, false, true, false},
        {true, true, false, false, false, true, false},
    };
    for (const TRow& row : rows) {
        TGameListFilter filter;
        filter.SetPlayCriteria(&log, row.Favourites, row.Recent, now);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled, "fav")), row.Fav);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled, "recent")), row.RecentGame);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled, "old")), row.Old);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled, "both")), row.Both);
        EXPECT_EQ(filter.Accepts(GameIn(kInstalled, "unknown")), row.Unknown);
    }
    // Both criteria apply on top of the install choice.
    TGameListFilter installedFavourites;
    installedFavourites.SetInstallFilter(TGameFilter::Installed);
    installedFavourites.SetPlayCriteria(&log, true, false, now);
    EXPECT_FALSE(installedFavourites.Accepts(GameIn(kNotInstalled, "fav")));
}

TEST(GameListFilter, WithoutAPlayLogThePlayCriteriaAcceptEveryGame)
{
    TGameListFilter filter;
    filter.SetPlayCriteria(nullptr, true, true, TDateTime::FromDays(1));
    EXPECT_TRUE(filter.Accepts(GameIn(kInstalled)));
}
