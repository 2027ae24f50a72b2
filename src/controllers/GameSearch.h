#pragma once
// The game list's search as you type: every typed word must occur in the game's display name or zip name.

#include <string>
#include <string_view>
#include <vector>

class TGameSearch
{
public:
    // text is what the player typed, in UTF-8. Words are separated by blanks; ASCII letters match either
    // case, every other character only itself.
    explicit TGameSearch(std::string_view text = {});

    // No words (nothing or only blanks typed): every game matches.
    bool IsEmpty() const { return m_words.empty(); }
    // Names are stored bytes: UTF-8, or Windows-1252 when they are no valid UTF-8, as the list shows them.
    bool Matches(std::string_view displayName, std::string_view zipName) const;
    // True when every game this search shows is also shown by previous: each of previous's words lies
    // inside one of ours. Typing on narrows, so only the games shown so far need to be searched again.
    bool Narrows(const TGameSearch& previous) const;
    // The words in the order they are tried: duplicates and words inside another word dropped.
    const std::vector<std::string>& Words() const { return m_words; }

private:
    bool WordIn(size_t index, std::string_view name) const;

    std::vector<std::string> m_words;
    std::vector<bool> m_nonAscii;
};

// True when word occurs in name, ASCII letters of either case matching; word is lower case.
bool ContainsNoCase(std::string_view name, std::string_view word);
// A stored name as the list shows it, in UTF-8: unchanged when it is valid UTF-8, else read as Windows-1252.
std::string NameAsUtf8(std::string_view bytes);
