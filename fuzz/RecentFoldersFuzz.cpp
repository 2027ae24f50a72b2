// Any bytes as the list of emulator folders used last: what is read is a short list of distinct
// absolute folders, and remembering the first of them again keeps the list as it was.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/EmulatorFolder.h"

namespace {

std::string ConfigDir()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vk-recent-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        std::abort();
    return pattern + "/";
}

bool Plausible(const std::string& folder)
{
    return !folder.empty() && folder.front() == '/' && folder.back() == '/' &&
           std::none_of(folder.begin(), folder.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dir = ConfigDir();
    TRecentFolders recent(dir);
    std::ofstream(recent.FilePath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    recent.Load();
    const std::vector<std::string> folders = recent.Folders();
    if (folders.size() > TRecentFolders::kMaxFolders)
        std::abort();
    for (size_t i = 0; i < folders.size(); ++i)
        if (!Plausible(folders[i]) ||
            std::find(folders.begin(), folders.begin() + i, folders[i]) != folders.begin() + i)
            std::abort();
    if (folders.empty())
        return 0;
    if (!recent.Remember(folders.front()))
        std::abort();
    TRecentFolders again(dir);
    again.Load();
    if (again.Folders() != folders)
        std::abort();
    return 0;
}
