// The list order from gathered keys against the plain rule it stands for: a stable sort with the pairwise
// compare, over names built to tie, share long beginnings, hold bytes above 127 and zero bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "base/DateTimeText.h"
#include "controllers/GameListCompare.h"

namespace {
std::vector<int> StableOrder(const std::vector<TGameListEntry>& entries, int column, bool descending)
{
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return GameListCompare(entries[size_t(a)], entries[size_t(b)], TListColumn(column), descending) < 0;
    });
    return order;
}

// Texts from a few bytes that fold, tie or sort apart, on a long shared beginning now and then, so that
// equal texts, prefixes and differences deep inside them all occur.
std::string RandomText(std::mt19937& random)
{
    static const char kBytes[] = {'a', 'A',  'b',    'B',    '_',    '[',   ' ',
                                  '1', '\0', '\x7f', '\x80', '\xe9', '\xff'};
    static const std::string kShared = "Street Fighter Turbo Dragon Ninja Raiden ";
    std::string text;
    if (random() % 2) {
        text = kShared.substr(0, random() % kShared.size());
    }
    const size_t length = random() % 5;
    for (size_t i = 0; i < length; ++i) {
        text += kBytes[random() % sizeof kBytes];
    }
    if (random() % 3 == 0) {
        text += kShared.substr(0, random() % kShared.size());
    }
    return text;
}

class GameListOrderRandom : public ::testing::TestWithParam<unsigned>
{
protected:
    void Make(size_t count)
    {
        std::mt19937 random(GetParam());
        for (size_t i = 0; i < count; ++i) {
            auto game = std::make_unique<TGameObject>();
            game->GameName = RandomText(random);
            game->ZipName = RandomText(random);
            if (random() % 3) {
                game->ZipDate = FormatDateTime(TDateTime::FromDays(40000 + int(random() % 4)));
            } else if (random() % 2) {
                game->ZipDate = "not a date";
            }
            m_entries.push_back(MakeGameListEntry(*game));
            m_games.push_back(std::move(game));
        }
    }

    std::vector<std::unique_ptr<TGameObject>> m_games;
    std::vector<TGameListEntry> m_entries;
};
} // namespace

TEST_P(GameListOrderRandom, EveryColumnAndDirectionGivesTheStableSortOfTheCompare)
{
    Make(3000);
    for (int column = 0; column < kListColumnCount; ++column) {
        for (bool descending : {false, true}) {
            EXPECT_EQ(::GameListOrder(m_entries, TListColumn(column), descending),
                      StableOrder(m_entries, column, descending))
                << "column " << column << (descending ? " descending" : "");
        }
    }
}

TEST_P(GameListOrderRandom, TextRanksOrderAndTieAsTheCompareDoes)
{
    Make(3000);
    for (const TListColumn column : {TListColumn::Name, TListColumn::ZipName}) {
        const std::vector<uint32_t> ranks = GameListTextRanks(m_entries, column);
        const std::vector<int> order = StableOrder(m_entries, int(column), false);
        EXPECT_EQ(ranks[size_t(order[0])], 0u);
        for (size_t i = 1; i < order.size(); ++i) {
            const size_t a = size_t(order[i - 1]), b = size_t(order[i]);
            const bool tie = GameListCompare(m_entries[a], m_entries[b], column, false) == 0;
            EXPECT_EQ(ranks[b], ranks[a] + (tie ? 0 : 1)) << "place " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GameListOrderRandom, ::testing::Values(1u, 2u, 3u));

TEST(GameListOrderCases, TextsDifferingOnlyFarInOrderByThatByte)
{
    const std::string shared(100, 'x');
    std::vector<std::unique_ptr<TGameObject>> games;
    std::vector<TGameListEntry> entries;
    const std::vector<std::string> names{shared + "b",          shared + "a",    shared,
                                         shared + "A" + shared, shared + "a",    shared.substr(0, 24),
                                         shared.substr(0, 25),  shared + "\xff", ""};
    for (const std::string& name : names) {
        games.push_back(std::make_unique<TGameObject>());
        games.back()->GameName = name;
        entries.push_back(MakeGameListEntry(*games.back()));
    }
    // The empty name first, then each prefix before what it begins; the two "...a" tie in their earlier
    // order both ways.
    EXPECT_EQ(::GameListOrder(entries, TListColumn(0), false), (std::vector<int>{8, 5, 6, 2, 1, 4, 3, 0, 7}));
    EXPECT_EQ(::GameListOrder(entries, TListColumn(0), true), (std::vector<int>{7, 0, 3, 1, 4, 2, 6, 5, 8}));
}

TEST(GameListOrderCases, RepeatedLongNamesKeepTheirOrder)
{
    std::vector<std::unique_ptr<TGameObject>> games;
    std::vector<TGameListEntry> entries;
    for (int i = 0; i < 50; ++i) {
        games.push_back(std::make_unique<TGameObject>());
        games.back()->GameName = std::string(1000, i % 2 ? 'q' : 'Q');
        entries.push_back(MakeGameListEntry(*games.back()));
    }
    std::vector<int> positions(50);
    std::iota(positions.begin(), positions.end(), 0);
    EXPECT_EQ(::GameListOrder(entries, TListColumn(0), false), positions);
    EXPECT_EQ(::GameListOrder(entries, TListColumn(0), true), positions);
}

TEST(GameListOrderCases, UnknownColumnKeepsTheOrderAndNumbersSortStably)
{
    std::vector<TGameObject> games(3);
    std::vector<TGameListEntry> entries;
    for (TGameObject& game : games)
        entries.push_back(MakeGameListEntry(game));
    EXPECT_EQ(::GameListOrder(entries, TListColumn(9), true), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(::GameListOrder({}, TListColumn(0), false), std::vector<int>{});

    const std::vector<int64_t> keys{5, -1, 5, INT64_MAX, INT64_MAX - 1, 0};
    EXPECT_EQ(OrderByKeys(keys, false), (std::vector<int>{1, 5, 0, 2, 4, 3}));
    EXPECT_EQ(OrderByKeys(keys, true), (std::vector<int>{3, 4, 0, 2, 5, 1}));
    // Ties go by their rank in both directions (names A to Z under a descending play column).
    const std::vector<uint32_t> ranks{9, 0, 3, 0, 0, 0};
    EXPECT_EQ(OrderByKeys(keys, false, ranks), (std::vector<int>{1, 5, 2, 0, 4, 3}));
    EXPECT_EQ(OrderByKeys(keys, true, ranks), (std::vector<int>{3, 4, 2, 0, 5, 1}));
}
