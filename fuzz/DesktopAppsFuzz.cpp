// Any bytes as a mimeapps.list and as a .desktop file: the ids and the Exec value found, and the command
// text made of that value gives back its words when split.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/CommandText.h"
#include "platform/DesktopApps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& id : DefaultApplicationIds(text, "text/plain"))
        if (id.find_first_of(";\n") != std::string::npos)
            std::abort();
    const std::optional<std::string> exec = DesktopEntryExec(text);
    if (exec && exec->empty())
        std::abort();
    const std::vector<std::string> words = ExecWords(exec.value_or(text));
    const std::string command = ExecCommandText(
        words, [](const std::string& name) { return std::optional<std::string>("/bin/" + name); });
    if (words.empty())
        return command.empty() ? 0 : (std::abort(), 0);
    std::vector<std::string> expected = words;
    if (expected.front().find('/') == std::string::npos)
        expected.front() = "/bin/" + expected.front();
    bool hasDocument = false;
    for (size_t i = 1; i < words.size(); ++i)
        hasDocument = hasDocument || words[i].find("%1") != std::string::npos;
    if (!hasDocument)
        expected.push_back("%1");
    if (SplitCommandText(command) != expected)
        std::abort();
    return 0;
}
