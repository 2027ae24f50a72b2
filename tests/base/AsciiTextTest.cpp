#include "base/AsciiText.h"

#include <string>

#include <gtest/gtest.h>

TEST(AsciiText, ChangesTheCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(LowerAscii(std::string("AbC-\xC9\xE9[_]@Z")), "abc-\xC9\xE9[_]@z");
    EXPECT_EQ(UpperAscii('q'), 'Q');
    EXPECT_EQ(UpperAscii('\xE9'), '\xE9');
    EXPECT_TRUE(SameTextAscii("Korb.EXE", "korb.exe"));
    EXPECT_FALSE(SameTextAscii("\xC9", "\xE9"));
    EXPECT_FALSE(SameTextAscii("korb", "korb.exe"));
}

TEST(AsciiText, FindsTextWithoutRegardToCase)
{
    EXPECT_EQ(FindTextAscii("/Home/User/Korb/Titles/a.pcx", "/home/user/korb/"), 0u);
    EXPECT_EQ(FindTextAscii("x/KORB/y", "korb"), 2u);
    EXPECT_EQ(FindTextAscii("abcabc", "CA"), 2u);
    EXPECT_EQ(FindTextAscii("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(FindTextAscii("abc", ""), std::string_view::npos);
    EXPECT_EQ(FindTextAscii("\xC9t\xC9", "\xE9"), std::string_view::npos);
}
