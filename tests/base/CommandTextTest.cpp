#include "base/CommandText.h"

#include <gtest/gtest.h>

using TWords = std::vector<std::string>;

TEST(SplitCommandText, SplitsAtBlanksAndGroupsQuotedText)
{
    const std::pair<std::string, TWords> cases[] = {
        {"", {}},
        {"   ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {"\"/my games/batch.sh\" abc", {"/my games/batch.sh", "abc"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"x \"\" y", {"x", "", "y"}},
        {"\"unterminated text", {"unterminated text"}},
        {"$HOME %1 ; `ls` 'q' |&>", {"$HOME", "%1", ";", "`ls`", "'q'", "|&>"}},
        {"C:\\Korb\\ a\\\\b", {"C:\\Korb\\", "a\\\\b"}},
        {"\\\"quoted\\\"", {"\"quoted\""}},
        {"\"a\\\\\" b", {"a\\", "b"}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(SplitCommandText(text), words) << text;
}

TEST(QuoteCommandWord, EveryWordComesBackUnchanged)
{
    const std::string words[] = {"plain",      "",          "with space", "quote\"inside",
                                 "trailing\\", "sp ace\\",  "\\\"",       "a\\\\\"b",
                                 "$x;`y`%1",   "tab\there", "'single'",   "\\\\srv\\"};
    for (const std::string& word : words) {
        EXPECT_EQ(SplitCommandText(QuoteCommandWord(word)), TWords{word}) << word;
        EXPECT_EQ(SplitCommandText("a " + QuoteCommandWord(word) + " z"), (TWords{"a", word, "z"})) << word;
    }
    EXPECT_EQ(QuoteCommandWord("plain"), "plain");
}
