#pragma once
// Letter case of the ASCII letters only: keys, file names and markers are byte texts in any encoding.

#include <cstdint>
#include <string>
#include <string_view>

constexpr char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string LowerAscii(std::string text)
{
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

constexpr bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

// Where part first stands in text without regard to case; npos when nowhere or when part is empty.
constexpr size_t FindTextAscii(std::string_view text, std::string_view part)
{
    if (part.empty() || part.size() > text.size())
        return std::string_view::npos;
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (SameTextAscii(text.substr(i, part.size()), part))
            return i;
    }
    return std::string_view::npos;
}

// A hash that is equal for texts equal without regard to ASCII case: FNV-1a over the lower-cased bytes,
// then mixed so that names differing only in their last letters spread over every bit.
constexpr uint64_t HashFoldedAscii(std::string_view text)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(LowerAscii(c));
        hash *= 1099511628211ull;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 33);
}
