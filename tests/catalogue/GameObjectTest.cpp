#include "catalogue/GameObject.h"

#include <gtest/gtest.h>

TEST(GameObject, NewRecordHoldsTheInitialValues)
{
    TGameObject game;
    EXPECT_EQ(game.ZipName, "Default");
    EXPECT_EQ(game.GameName, "Unknown");
    EXPECT_EQ(game.CurScrShot, 0);
    EXPECT_EQ(game.InstallState, 0);
}

TEST(GameObjectList, LookupIgnoresCaseAndFindsTheFirstOfDuplicates)
{
    TGameObjectList list;
    for (const char* zip : {"pacman", "rtype", "RType"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        list.AddGame(std::move(game));
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf("RTYPE"), 1);
    EXPECT_EQ(list.IndexOf("galaga"), -1);
    list.ClearGames();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf("rtype"), -1);
}

TEST(GameObjectList, KeepsImportOrderAndClearingAnEmptyListDoesNothing)
{
    TGameObjectList list;
    list.ClearGames();
    EXPECT_EQ(list.Count(), 0);
    list.Reserve(10);
    for (const char* zip : {"zeta", "alpha", "Zeta"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        list.AddGame(std::move(game));
    }
    EXPECT_EQ(list.At(0).ZipName, "zeta");
    EXPECT_EQ(list.At(1).ZipName, "alpha");
    EXPECT_EQ(list.At(2).ZipName, "Zeta");
    EXPECT_EQ(list.IndexOf("ALPHA"), 1);
}
