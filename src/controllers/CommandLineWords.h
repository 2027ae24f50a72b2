#pragma once
// The argument text of a launch as the settings page shows it: which words reach the emulator.

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/GameSettings.h"

// The launch script hands on this many words; the rest never reach the emulator.
inline constexpr size_t kForwardedWords = 9;

struct TCommandWord
{
    size_t Begin = 0; // byte offsets in the text, End one past the last byte
    size_t End = 0;
    bool Forwarded = true;
};

struct TCommandLineWords
{
    std::string Text;
    std::vector<TCommandWord> Words;
    bool SomeDropped() const { return Words.size() > kForwardedWords; }
    // The text from the first word that is not forwarded; empty when every word is.
    std::string DroppedText() const;
};

// The words as the process start splits the text (blanks separate, double quotes group), each marked
// whether it is among the first nine.
TCommandLineWords SplitArgumentWords(const std::string& arguments);

// What the next launch passes for these settings once they are saved as the game's: the zip name and one
// option per setting that differs from the emulator's default.
std::string ScreenCommandLine(const std::string& zipName, const TGameSettingsObject& shownSettings);
