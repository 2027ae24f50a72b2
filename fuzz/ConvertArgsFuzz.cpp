// Any bytes as the converter's argument text, split as a launch splits it, and as a wildcard pattern
// and a file name (before and after the first NUL) matched against a plain reading of the rules.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ConvertTool.h"
#include "base/AsciiText.h"
#include "base/CommandText.h"

namespace {

// Whether pattern[p..] matches name[n..], by a table over both suffixes.
bool PlainMatch(const std::string& pattern, const std::string& name)
{
    const size_t columns = name.size() + 1;
    std::vector<char> match((pattern.size() + 1) * columns, 0);
    match[pattern.size() * columns + name.size()] = 1;
    for (size_t p = pattern.size(); p-- > 0;) {
        for (size_t n = name.size() + 1; n-- > 0;) {
            const char c = pattern[p];
            bool ok = false;
            if (c == '*')
                ok = match[(p + 1) * columns + n] || (n < name.size() && match[p * columns + n + 1]);
            else if (n < name.size() && (c == '?' || LowerAscii(c) == LowerAscii(name[n])))
                ok = match[(p + 1) * columns + n + 1];
            match[p * columns + n] = ok;
        }
    }
    return match[0];
}

bool PlainMatchesPattern(const std::string& pattern, const std::string& name)
{
    if (PlainMatch(pattern, name))
        return true;
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           name.find('.') == std::string::npos && PlainMatch(pattern.substr(0, pattern.size() - 2), name);
}

void CheckOptions(const std::string& text)
{
    const std::vector<std::string> words = SplitAtBlanks(text);
    const TConvertOptions options = ParseConvertOptions(words);
    for (const std::string& pattern : options.Patterns)
        if (pattern.empty() || (pattern.size() > 1 && pattern[0] == '-'))
            std::abort();
    // A command line it accepts names files and the one format it writes.
    if (options.Error.empty() && (options.OutFormat != "png" || options.Patterns.empty()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckOptions(bytes);
    const size_t nul = bytes.find('\0');
    if (nul == std::string::npos)
        return 0;
    const std::string pattern = bytes.substr(0, nul);
    std::string name = bytes.substr(nul + 1);
    name = name.substr(0, name.find('\0'));
    if (pattern.size() > 512 || name.size() > 512)
        return 0;
    if (MatchesPattern(pattern, name) != PlainMatchesPattern(pattern, name))
        std::abort();
    return 0;
}
