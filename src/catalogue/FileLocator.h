#pragma once
// Finding files and folders by name, exact first and then differing only in letter case, from one index
// per folder: the detection of a whole catalogue must not list a folder once per game.

#include <optional>
#include <string>
#include <unordered_map>

#include "base/FolderIndex.h"
#include "base/FolderListing.h"

class TFileLocator
{
public:
    // Indexed: every lookup is answered from the folder indexes (for whole-catalogue passes).
    // Direct: the exact name is tested on disk first and a folder is listed only for the case fallback.
    enum class TMode { Indexed, Direct };
    explicit TFileLocator(TMode mode) : m_mode(mode) {}

    // The path with the name as it stands in its folder: the exact one, else the first (in byte order)
    // that differs only in letter case; nothing when neither exists. Folders are taken as given.
    std::optional<std::string> FindFile(const std::string& path) { return Find(path, TEntryKind::File); }
    std::optional<std::string> FindFolder(const std::string& path) { return Find(path, TEntryKind::Folder); }

    // The folder ("" is the working directory, else ending in a separator), read on first use and kept
    // for the locator's life, for passes that look names up in it directly.
    const TFolderIndex& Folder(const std::string& folder);

private:
    std::optional<std::string> Find(const std::string& path, TEntryKind kind);

    TMode m_mode;
    std::unordered_map<std::string, TFolderIndex> m_folders;
};
