// The game list's rules without a window: the header click and the double sort, the stored position, the
// zip dates read only when shown, the game kept across a search, the system's count and the play choices.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "catalogue/PlayLog.h"
#include "controllers/GameListController.h"
#include "support/TempDir.h"

namespace {
class TGameListControllerTest : public ::testing::Test
{
protected:
    TGameListControllerTest()
    {
        // Listed in this order: the names sort otherwise than the zip names.
        Add("b2", "Beta", 1);
        Add("a3", "Alpha", 1);
        Add("c1", "Gamma", 0);
        m_list.Selection = [this] { return m_selection; };
        m_list.PlayFilters = [this] { return m_play; };
    }
    TGameObject& Add(const std::string& zip, const std::string& name, int installState)
    {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        game->GameName = name;
        game->InstallState = installState;
        TGameObject& added = *game;
        m_catalogue.AddGame(std::move(game));
        return added;
    }
    TGameObject& Game(const std::string& zip) { return m_catalogue.At(m_catalogue.IndexOf(zip)); }
    std::string Zips() const
    {
        std::string zips;
        for (int row = 0; row < m_rows.Count(); ++row)
            zips += m_rows.GameAt(row)->ZipName + " ";
        return zips;
    }

    TTempDir m_dir;
    TGameObjectList m_catalogue;
    TZipRomPaths m_romPaths{m_dir.Dir(), "", ""};
    int m_lastListPos = 0;
    TGameRows m_rows;
    TGameListController m_list{m_rows, m_catalogue, m_romPaths, m_lastListPos};
    TListSelection m_selection;
    TPlayFilters m_play;
};
} // namespace

TEST_F(TGameListControllerTest, AHeaderClickSortsByNameFirstAndTheSameColumnAgainTurnsTheOrder)
{
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    struct TClick
    {
        int Column;
        bool Accepted;
        bool Descending;
        const char* Zips;
    } clicks[] = {
        {2, true, false, "a3 b2 c1 "}, // no game has a date: the name decides
        {2, true, true, "c1 b2 a3 "},  {1, true, true, "c1 b2 a3 "},   {1, true, false, "a3 b2 c1 "},
        {0, true, false, "a3 b2 c1 "}, {3, false, false, "a3 b2 c1 "}, // beyond the columns shown
    };
    for (const TClick& click : clicks) {
        EXPECT_EQ(m_list.ColumnClicked(click.Column, 3), click.Accepted) << click.Column;
        EXPECT_EQ(m_list.View().Descending, click.Descending) << click.Column;
        EXPECT_EQ(Zips(), click.Zips) << click.Column;
    }
}

TEST_F(TGameListControllerTest, TheStoredPositionFollowsTheLastSelectedInstalledGame)
{
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    EXPECT_TRUE(m_list.RowSelected(m_rows.RowOf(&Game("b2"))));
    EXPECT_EQ(m_lastListPos, 1);
    m_selection = {&Game("b2"), &Game("b2"), false};
    m_list.ChooseOrder(true);
    EXPECT_EQ(m_lastListPos, 1);
    m_list.ChooseSort(TListColumn::ZipName);
    EXPECT_EQ(m_lastListPos, 1); // c1 b2 a3
    // No selection: the game the pages show; while the defaults are edited, none.
    m_selection = {nullptr, &Game("a3"), false};
    m_list.ChooseOrder(false);
    EXPECT_EQ(m_lastListPos, 0);
    m_selection = {nullptr, &Game("b2"), true};
    m_list.ChooseOrder(true);
    EXPECT_EQ(m_lastListPos, 0);
    // An uninstalled game resets it.
    m_lastListPos = 2;
    EXPECT_FALSE(m_list.RowSelected(m_rows.RowOf(&Game("c1"))));
    EXPECT_EQ(m_lastListPos, 0);
    m_lastListPos = 2;
    EXPECT_EQ(m_list.Fill(TGameListController::TZipDates::Refresh, {}), std::optional<int>(2));
    m_lastListPos = 3;
    EXPECT_EQ(m_list.Fill(TGameListController::TZipDates::Refresh, {}), std::nullopt);
}

TEST_F(TGameListControllerTest, ZipDatesAreReadAsTheirRowsAreShownAndOnlyOnceAfterADetection)
{
    m_dir.WriteFile("a3.zip", "PK");
    int redrawn = 0;
    m_rows.ZipDatesChanged = [&] { ++redrawn; };
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    m_list.FreshenZipDate(Game("a3"));
    EXPECT_EQ(Game("a3").ZipDate, "") << "icons show no date";
    m_list.ChooseListStyle(TListStyle::Details);
    EXPECT_EQ(Game("a3").ZipDate, "") << "not read before its row is shown";
    m_list.FreshenZipDate(Game("a3"));
    const std::string shown = Game("a3").ZipDate;
    EXPECT_NE(shown, "");
    m_list.ChooseListStyle(TListStyle::Details);
    EXPECT_EQ(redrawn, 1);
    Game("a3").ZipDate = "read by the detection";
    m_list.FreshenZipDate(Game("a3"));
    EXPECT_EQ(Game("a3").ZipDate, "read by the detection") << "once per round";
    m_list.Fill(TGameListController::TZipDates::JustDetected, {});
    m_list.FreshenZipDate(Game("a3"));
    EXPECT_EQ(Game("a3").ZipDate, "read by the detection");
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    m_list.FreshenZipDate(Game("a3"));
    EXPECT_EQ(Game("a3").ZipDate, shown);
    // A sort by date needs every date at once.
    Game("a3").ZipDate = "stale";
    m_list.SortOn(TListColumn::ZipDate);
    EXPECT_EQ(Game("a3").ZipDate, shown);
}

TEST_F(TGameListControllerTest, ASearchSelectsItsFirstMatchAndClearingBringsBackTheGameItBeganWith)
{
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    m_selection.Selected = &Game("b2");
    const auto found = m_list.SearchChanged("gam", false);
    ASSERT_EQ(found.Row, 0);
    EXPECT_NE(found.Game, &Game("b2"));
    m_selection.Selected = found.Game;
    const auto cleared = m_list.SearchChanged("", true);
    EXPECT_EQ(cleared.Game, &Game("b2"));
    EXPECT_EQ(cleared.Row, m_rows.RowOf(&Game("b2")));
}

TEST_F(TGameListControllerTest, TheSystemsCountIgnoresTheSearchAndOurFilters)
{
    m_list.ChooseFilter(TGameFilter::Installed);
    m_play.FavouritesOnly = true;
    TPlayLog log;
    m_list.SetPlayLog(&log);
    m_list.Fill(TGameListController::TZipDates::Refresh, {});
    EXPECT_EQ(m_rows.Count(), 0);
    EXPECT_EQ(m_list.SystemListCount(), 2);
}

TEST_F(TGameListControllerTest, OnlyAPlayColumnSortIsKeptInThePlayLog)
{
    TPlayLog log = TPlayLog::Open(m_dir.Dir() + kPlayLogFileName);
    m_list.SetPlayLog(&log);
    m_play.RecentOnly = true;
    m_list.ChooseSort(TListColumn::Time);
    EXPECT_EQ(log.ViewChoices(), (TPlayViewChoices{false, true, TPlayColumn::Time}));
    m_list.ChooseSort(TListColumn::ZipDate);
    EXPECT_EQ(log.ViewChoices(), (TPlayViewChoices{false, true, TPlayColumn::None}));
}
