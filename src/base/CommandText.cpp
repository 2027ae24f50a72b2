#include "base/CommandText.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::vector<std::string> SplitCommandText(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (IsBlank(c) && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            size_t count = 0;
            while (i < text.size() && text[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                word.append(count / 2, '\\');
                if (count % 2 == 1) {
                    word += '"';
                    ++i;
                }
            } else {
                word.append(count, '\\');
            }
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else
            word += c;
        ++i;
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::vector<std::string> SplitAtBlanks(const std::string& text)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < text.size() && !IsBlank(text[pos]))
            ++pos;
        if (pos > start)
            words.push_back(text.substr(start, pos - start));
    }
    return words;
}

std::string QuoteCommandWord(const std::string& word)
{
    bool plain = !word.empty();
    for (char c : word) {
        if (IsBlank(c) || c == '"')
            plain = false;
    }
    if (plain)
        return word;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote must be doubled or they would escape it.
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}
