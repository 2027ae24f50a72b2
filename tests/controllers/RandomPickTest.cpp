#include "controllers/RandomPick.h"

#include <set>

#include <gtest/gtest.h>

namespace {

TEST(RandomPick, NeverTheSameTwiceWhileThereIsAChoiceAndReachesEveryGame)
{
    const std::vector<std::string> games{"dkong", "galaga", "pacman"};
    for (uint32_t seed = 0; seed < 20; ++seed) {
        TRandomPick pick(seed);
        std::set<int> seen;
        int last = pick.Pick(games);
        for (int i = 0; i < 50; ++i) {
            const int next = pick.Pick(games);
            ASSERT_GE(next, 0);
            ASSERT_LT(next, 3);
            ASSERT_NE(next, last) << "seed " << seed;
            seen.insert(next);
            last = next;
        }
        EXPECT_EQ(seen.size(), 3u);
    }
}

TEST(RandomPick, TheOnlyGameOrNone)
{
    TRandomPick pick(1);
    EXPECT_EQ(pick.Pick({"PacMan"}), 0);
    EXPECT_EQ(pick.Pick({"pacman"}), 0);
    EXPECT_EQ(pick.Pick({}), -1);
    // The last pick is remembered by name, whatever its row now.
    EXPECT_EQ(pick.Pick({"PACMAN", "rtype"}), 1);
}

} // namespace
