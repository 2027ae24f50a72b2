// Any bytes as a command text: the words it splits into, quoted and joined again, split into the same
// words; any bytes as one word come back whole; blank-split words hold no blank.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/CommandText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> words = SplitCommandText(text);
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : " ") + QuoteCommandWord(word);
    if (SplitCommandText(joined) != words)
        std::abort();
    if (SplitCommandText(QuoteCommandWord(text)) != std::vector<std::string>{text})
        std::abort();
    for (const std::string& word : SplitAtBlanks(text))
        if (word.empty() || word.find_first_of(" \t\r\n") != std::string::npos)
            std::abort();
    return 0;
}
