// The list's compare rule: ASCII case folding, byte order, undated games last, descending negation.
#include <gtest/gtest.h>

#include "base/DateTimeText.h"
#include "controllers/GameListCompare.h"

namespace {
int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TGameObject Game(const std::string& name, const std::string& zip, const std::string& date = {})
{
    TGameObject game;
    game.GameName = name;
    game.ZipName = zip;
    game.ZipDate = date;
    return game;
}
} // namespace

TEST(CompareTextNoCase, FoldsOnlyAsciiLettersAndComparesBytes)
{
    struct TRow
    {
        const char* A;
        const char* B;
        int ExpectedSign;
    };
    const TRow rows[] = {
        {"pacman", "PACMAN", 0},
        {"Alpha", "beta", -1},
        {"zeta", "_zeta", -1},
        {"Z", "_", -1},
        {"abc", "abcd", -1},
        {"abcd", "abc", 1},
        {"", "", 0},
        {"\xe9t\xe9", "\xc9T\xc9", 1}, // only a..z fold
        {"a1", "A2", -1},
        {"[", "a", 1}, // 'a' folds to 'A' (0x41), below '[' (0x5B)
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(Sign(CompareTextNoCase(row.A, row.B)), row.ExpectedSign) << row.A << " vs " << row.B;
    }
}

TEST(CompareTextNoCase, ResultIsTheDifferenceThatDecides)
{
    EXPECT_EQ(CompareTextNoCase("aC", "Aa"), 'C' - 'A');
    EXPECT_EQ(CompareTextNoCase("ab", "abcde"), -3);
}

TEST(GameListCompare, ColumnsPickTheirField)
{
    TGameObject a = Game("Bravo", "zz"), b = Game("alpha", "AA");
    const TGameListEntry ea = MakeGameListEntry(a), eb = MakeGameListEntry(b);
    EXPECT_GT(GameListCompare(ea, eb, TListColumn(0), false), 0);
    EXPECT_GT(GameListCompare(ea, eb, TListColumn(1), false), 0);
    EXPECT_LT(GameListCompare(eb, ea, TListColumn(1), false), 0);
    EXPECT_EQ(GameListCompare(ea, eb, TListColumn(7), false), 0);
    EXPECT_EQ(GameListCompare(ea, eb, TListColumn(-1), true), 0);
}

TEST(GameListCompare, ZipDatesOldestFirstAndUndatedLast)
{
    const std::string older = FormatDateTime(TDateTime::FromDays(40000));
    const std::string newer = FormatDateTime(TDateTime{TDateTime::FromDays(40000).Seconds + 3600});
    TGameObject oldGame = Game("x", "old", older), newGame = Game("y", "new", newer),
                none = Game("z", "none");
    const TGameListEntry eo = MakeGameListEntry(oldGame), en = MakeGameListEntry(newGame),
                         ez = MakeGameListEntry(none);
    EXPECT_EQ(GameListCompare(eo, en, TListColumn(2), false), -1);
    EXPECT_EQ(GameListCompare(en, eo, TListColumn(2), false), 1);
    EXPECT_EQ(GameListCompare(en, ez, TListColumn(2), false), -1);
    EXPECT_EQ(GameListCompare(ez, ez, TListColumn(2), false), 0);
    // Descending puts the undated first.
    EXPECT_EQ(GameListCompare(ez, en, TListColumn(2), true), -1);
    EXPECT_EQ(GameListCompare(eo, en, TListColumn(2), true), 1);
}

TEST(GameListCompare, UnreadableDateCountsAsUndated)
{
    TGameObject broken = Game("a", "a", "not a date"), none = Game("b", "b");
    EXPECT_EQ(GameListCompare(MakeGameListEntry(broken), MakeGameListEntry(none), TListColumn(2), false), 0);
}

TEST(GameListCompare, DescendingNegatesText)
{
    TGameObject a = Game("Alpha", "a"), b = Game("Beta", "b");
    const TGameListEntry ea = MakeGameListEntry(a), eb = MakeGameListEntry(b);
    EXPECT_EQ(GameListCompare(ea, eb, TListColumn(0), true), -GameListCompare(ea, eb, TListColumn(0), false));
}
