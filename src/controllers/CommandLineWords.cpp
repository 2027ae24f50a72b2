#include "controllers/CommandLineWords.h"

#include "catalogue/GameSettingsFiles.h"
#include "launch/CommandLine.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Past an escaped quote, so that it neither opens nor closes a quoted stretch.
size_t SkipBackslashes(const std::string& text, size_t i)
{
    size_t count = 0;
    while (i < text.size() && text[i] == '\\') {
        ++count;
        ++i;
    }
    if (count % 2 == 1 && i < text.size() && text[i] == '"')
        ++i;
    return i;
}

} // namespace

std::string TCommandLineWords::DroppedText() const
{
    return SomeDropped() ? Text.substr(Words[kForwardedWords].Begin) : std::string();
}

TCommandLineWords SplitArgumentWords(const std::string& arguments)
{
    TCommandLineWords result;
    result.Text = arguments;
    const std::string& text = result.Text;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        TCommandWord word;
        word.Begin = i;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            if (text[i] == '\\') {
                i = SkipBackslashes(text, i);
                continue;
            }
            if (text[i] == '"')
                quoted = !quoted;
            ++i;
        }
        word.End = i;
        word.Forwarded = result.Words.size() < kForwardedWords;
        result.Words.push_back(word);
    }
    return result;
}

std::string ScreenCommandLine(const std::string& zipName, const TGameSettingsObject& shownSettings)
{
    return zipName + EmuOptions(SettingsAsStored(shownSettings));
}
