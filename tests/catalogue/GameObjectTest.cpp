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

// Enough names to grow the index several times, with case twins and non-ASCII bytes that never fold.
TEST(GameObjectList, LargeCatalogueFindsTheFirstOfEveryNameAfterTheIndexGrew)
{
    TGameObjectList list;
    constexpr int kNames = 5000;
    for (int i = 0; i < kNames; ++i) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = "g" + std::to_string(i);
        list.AddGame(std::move(game));
    }
    for (int i = 0; i < kNames; i += 7) {
        auto twin = std::make_unique<TGameObject>();
        twin->ZipName = "G" + std::to_string(i);
        list.AddGame(std::move(twin));
    }
    for (const char* zip : {"caf\xc3\xa9", "CAF\xc3\x89"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        list.AddGame(std::move(game));
    }
    for (int i = 0; i < kNames; ++i) {
        ASSERT_EQ(list.IndexOf("G" + std::to_string(i)), i);
    }
    EXPECT_EQ(list.IndexOf("g5000"), -1);
    EXPECT_EQ(list.IndexOf("CAF\xc3\xa9"), list.Count() - 2);
    EXPECT_EQ(list.IndexOf("caf\xc3\x89"), list.Count() - 1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(GameObjectList, ReservingAfterGamesWereAddedKeepsThemFound)
{
    TGameObjectList list;
    for (const char* zip : {"alpha", "beta"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        list.AddGame(std::move(game));
    }
    list.Reserve(1000);
    auto game = std::make_unique<TGameObject>();
    game->ZipName = "gamma";
    list.AddGame(std::move(game));
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("Gamma"), 2);
    list.Reserve(1);
    EXPECT_EQ(list.IndexOf("alpha"), 0);
}
