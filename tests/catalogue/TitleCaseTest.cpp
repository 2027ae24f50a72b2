#include "catalogue/SupportedGames.h"

#include <gtest/gtest.h>

namespace {
struct TTitleCaseRow
{
    const char* Input;
    const char* Expected;
};

class TitleCaseRows : public testing::TestWithParam<TTitleCaseRow>
{
};

TEST_P(TitleCaseRows, GivesTheDisplayName)
{
    EXPECT_EQ(TitleCase(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    DisplayNames, TitleCaseRows,
    testing::Values(TTitleCaseRow{"", ""}, TTitleCaseRow{"SPACE FIGHTER II", "Space Fighter II"},
                    TTitleCaseRow{"knight's quest", "Knight's Quest"},
                    // An apostrophe at a word start leaves the flag set for the letter after it.
                    TTitleCaseRow{"'em all", "'Em All"}, TTitleCaseRow{"super-hero 2 ii", "Super-Hero 2 II"},
                    // Only the first "Ii" becomes "II".
                    TTitleCaseRow{"x y ii ii", "X Y II Ii"}, TTitleCaseRow{"rally 3rd", "Rally 3Rd"},
                    TTitleCaseRow{"iI", "II"}, TTitleCaseRow{"iiii", "IIii"},
                    // Letters outside A to Z are left alone and start a new word.
                    TTitleCaseRow{"caf"
                                  "\xe9"
                                  "ole",
                                  "Caf"
                                  "\xe9"
                                  "Ole"},
                    TTitleCaseRow{"a\tb", "A\tB"}, TTitleCaseRow{"MiXeD cAsE", "Mixed Case"},
                    TTitleCaseRow{"x-men vs. ii", "X-Men Vs. II"}));
} // namespace
