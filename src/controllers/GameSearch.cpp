#include "controllers/GameSearch.h"

#include <algorithm>

#include "base/AsciiText.h"

namespace {

// Dropping words found inside longer ones costs a comparison of every pair; past this many words the
// plain list is cheaper.
constexpr size_t kMaxWordsToReduce = 64;

bool IsSearchBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool HasNonAscii(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, min = 0x80, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, min = 0x800, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, min = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The 0x80..0x9F range of Windows-1252; the rest of the high half equals Latin-1.
constexpr unsigned short kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::vector<std::string> SplitWords(std::string_view text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSearchBlank(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !IsSearchBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(LowerAscii(std::string(text.substr(start, i - start))));
    }
    return words;
}

// Longest first: a long word rules a game out soonest. A word inside a longer one adds nothing.
std::vector<std::string> Reduce(std::vector<std::string> words)
{
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (words.size() > kMaxWordsToReduce)
        return words;
    std::vector<std::string> kept;
    for (std::string& word : words) {
        const bool inside = std::any_of(kept.begin(), kept.end(), [&](const std::string& longer) {
            return longer.find(word) != std::string::npos;
        });
        if (!inside)
            kept.push_back(std::move(word));
    }
    return kept;
}

} // namespace

bool ContainsNoCase(std::string_view name, std::string_view word)
{
    if (word.size() > name.size())
        return false;
    if (word.empty())
        return true;
    const char first = word[0];
    const size_t last = name.size() - word.size();
    for (size_t i = 0; i <= last; ++i) {
        if (LowerAscii(name[i]) != first)
            continue;
        size_t k = 1;
        while (k < word.size() && LowerAscii(name[i + k]) == word[k])
            ++k;
        if (k == word.size())
            return true;
    }
    return false;
}

std::string NameAsUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : byte);
    }
    return out;
}

TGameSearch::TGameSearch(std::string_view text) : m_words(Reduce(SplitWords(text)))
{
    for (const std::string& word : m_words)
        m_nonAscii.push_back(HasNonAscii(word));
}

bool TGameSearch::WordIn(size_t index, std::string_view name) const
{
    const std::string& word = m_words[index];
    // ASCII bytes mean the same in both encodings a name may have; only other characters need the name
    // in the encoding the player typed in.
    if (!m_nonAscii[index] || !HasNonAscii(name) || IsValidUtf8(name))
        return ContainsNoCase(name, word);
    return ContainsNoCase(NameAsUtf8(name), word);
}

bool TGameSearch::Narrows(const TGameSearch& previous) const
{
    return std::all_of(previous.m_words.begin(), previous.m_words.end(), [this](const std::string& old) {
        return std::any_of(m_words.begin(), m_words.end(),
                           [&old](const std::string& word) { return word.find(old) != std::string::npos; });
    });
}

bool TGameSearch::Matches(std::string_view displayName, std::string_view zipName) const
{
    for (size_t i = 0; i < m_words.size(); ++i) {
        if (!WordIn(i, displayName) && !WordIn(i, zipName))
            return false;
    }
    return true;
}
