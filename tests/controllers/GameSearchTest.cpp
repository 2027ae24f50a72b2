#include "controllers/GameSearch.h"

#include <string>

#include <gtest/gtest.h>

namespace {

struct TSearchCase
{
    const char* Typed;
    const char* DisplayName;
    const char* ZipName;
    bool Shown;
};

} // namespace

TEST(GameSearch, EveryWordMustOccurInTheDisplayNameOrTheZipName)
{
    const TSearchCase cases[] = {
        {"", "Pac-Man", "pacman", true},
        {"pac", "Pac-Man", "pacman", true},
        {"PAC", "pac-man", "pm", true},
        {"mAn PaC", "Pac-Man", "pm", true}, // any order
        {"man pac", "Pac-Man", "pm", true},
        {"pacman", "Pac-Man", "pm", false},         // the hyphen is part of the name
        {"pacman", "Pac-Man", "pacman", true},      // found in the zip name
        {"pac rtype", "Pac-Man", "rtype", true},    // one word in each name
        {"pac galaga", "Pac-Man", "pacman", false}, // one word nowhere
        {"-man", "Pac-Man", "pacman", true},
        {"ac-m", "Pac-Man", "x", true},
        {"r-type2", "R-Type II", "rtype2", false},
        {"type ii", "R-Type II", "rtype2", true},
        {"Pac-Man!", "Pac-Man", "pacman", false}, // longer than the name
        {"  \t ", "Anything", "any", true},       // only blanks: everything
        {"  pac  ", "Pac-Man", "pacman", true},
        {"pac pac PAC", "Pac-Man", "x", true},
        {"man mania", "Pac-Man", "x", false},
        {"[", "Name [Set 1]", "x", true},
        {"1]", "Name [Set 1]", "x", true},
        {"%", "100% Bingo", "x", true},
        {"\\", "Back\\slash", "x", true},
        {"z", "", "", false},
    };
    for (const TSearchCase& c : cases) {
        EXPECT_EQ(TGameSearch(c.Typed).Matches(c.DisplayName, c.ZipName), c.Shown)
            << "typed '" << c.Typed << "' for " << c.DisplayName << " / " << c.ZipName;
    }
}

TEST(GameSearch, OnlyAsciiLettersIgnoreCase)
{
    const TSearchCase cases[] = {
        {"\xc3\xa9t\xc3\xa9", "L'\xc3\xa9t\xc3\xa9", "x", true},  // UTF-8 name, UTF-8 word
        {"\xc3\x89T\xc3\x89", "L'\xc3\xa9t\xc3\xa9", "x", false}, // other case outside ASCII
        {"\xc3\xa9t\xc3\xa9", "L'\xe9t\xe9", "x", true},          // Windows-1252 name
        {"\xe2\x82\xac", "Cost \x80 5", "x", true},               // the euro sign of Windows-1252
        {"\xe9", "L'\xe9t\xe9", "x", false},                      // typed text is UTF-8, never a raw byte
        {"T\xc3\xa9", "L'\xe9t\xe9", "x", true},                  // the ASCII letter in either case
        {"caf\xc3\xa9 ZZ", "caf\xc3\xa9", "zz", true},
        {"\xe3\x83\x91\xe3\x83\x83\xe3\x82\xaf",
         "\xe3\x83\x91\xe3\x83\x83\xe3\x82\xaf\xe3\x83\x9e\xe3\x83\xb3", "x", true},
        {"\xe3\x83\x91\xe3\x83\x83\xe3\x82\xaf", "Pac-Man", "pacman", false},
        {"\xff\xfe", "\xff\xfe", "x", false}, // no valid text is typed like that; never crashes
    };
    for (const TSearchCase& c : cases) {
        EXPECT_EQ(TGameSearch(c.Typed).Matches(c.DisplayName, c.ZipName), c.Shown)
            << "typed '" << c.Typed << "' for " << c.DisplayName;
    }
}

TEST(GameSearch, WordsAreReducedToThoseThatDecide)
{
    EXPECT_TRUE(TGameSearch("").IsEmpty());
    EXPECT_TRUE(TGameSearch(" \t\r\n ").IsEmpty());
    EXPECT_EQ(TGameSearch("Pac pac MAN pacman").Words(), (std::vector<std::string>{"pacman"}));
    EXPECT_EQ(TGameSearch("ab cd ABCD x").Words(), (std::vector<std::string>{"abcd", "x"}));
    EXPECT_EQ(TGameSearch("b a").Words(), (std::vector<std::string>{"a", "b"}));
}

TEST(GameSearch, TypingOnNarrowsAndErasingWidens)
{
    struct TCase
    {
        const char* Before;
        const char* After;
        bool Narrows;
    };
    const TCase cases[] = {
        {"", "s", true},       {"s", "st", true},       {"st", "s", false},          {"st", "st f", true},
        {"st f", "st", false}, {"pac", "PACMAN", true}, {"man pac", "pacman", true}, {"pac", "man", false},
        {"s", "", false},      {"", "", true},          {"a b", "ab", true},         {"ab", "a b", false},
        {"ab c", "abc", true}};
    for (const TCase& c : cases)
        EXPECT_EQ(TGameSearch(c.After).Narrows(TGameSearch(c.Before)), c.Narrows)
            << c.Before << " -> " << c.After;
}

TEST(GameSearch, VeryLongSearchesStayCorrect)
{
    const std::string name = "Super Long Game Name With Many Words";
    const std::string tenThousand(10000, 'a');
    EXPECT_FALSE(TGameSearch(tenThousand).Matches(name, "zip"));
    EXPECT_TRUE(TGameSearch(tenThousand).Matches(tenThousand, "zip"));

    // Thousands of distinct words: every one is still required.
    std::string many;
    std::string manyNames;
    for (int i = 0; i < 2000; ++i) {
        many += "w" + std::to_string(i) + " ";
        manyNames += "w" + std::to_string(i) + "/";
    }
    EXPECT_EQ(TGameSearch(many).Words().size(), 2000u);
    EXPECT_TRUE(TGameSearch(many).Matches(manyNames, "zip"));
    EXPECT_FALSE(TGameSearch(many + "w2000").Matches(manyNames, "zip"));
    EXPECT_TRUE(TGameSearch(std::string(5000, ' ') + "name").Matches(name, "zip"));
}

TEST(GameSearch, ContainsIgnoresTheCaseOfAsciiLettersOnly)
{
    EXPECT_TRUE(ContainsNoCase("ABC", "abc"));
    EXPECT_TRUE(ContainsNoCase("xxABC", "bc"));
    EXPECT_TRUE(ContainsNoCase("abc", ""));
    EXPECT_FALSE(ContainsNoCase("", "a"));
    EXPECT_FALSE(ContainsNoCase("ab", "abc"));
    EXPECT_FALSE(ContainsNoCase("[", "{")); // '[' is not the upper case of '{'
    EXPECT_FALSE(ContainsNoCase("@", "`"));
    EXPECT_TRUE(ContainsNoCase("aab", "ab")); // restarts after a partial match
}

TEST(GameSearch, NamesThatAreNoUtf8AreReadAsWindows1252)
{
    EXPECT_EQ(NameAsUtf8("plain"), "plain");
    EXPECT_EQ(NameAsUtf8("caf\xc3\xa9"), "caf\xc3\xa9");
    EXPECT_EQ(NameAsUtf8("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(NameAsUtf8("\x80\x99"), "\xe2\x82\xac\xe2\x84\xa2");
    EXPECT_EQ(NameAsUtf8("\xc0\x80"), "\xc3\x80\xe2\x82\xac");             // an overlong form is no UTF-8
    EXPECT_EQ(NameAsUtf8("\xed\xa0\x80"), "\xc3\xad\xc2\xa0\xe2\x82\xac"); // nor is a surrogate
    EXPECT_EQ(NameAsUtf8("\xe3\x83"), "\xc3\xa3\xc6\x92");                 // cut short
}
