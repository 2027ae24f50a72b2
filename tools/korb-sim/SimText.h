#pragma once
// The text helpers the stand-in emulator's option and settings readers share.

#include <charconv>
#include <string>

inline std::string Lower(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return text;
}

// A whole decimal number within [low, high]; no sign but a minus, no blanks.
inline bool ParseInt(const std::string& text, int low, int high, int& out)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}
