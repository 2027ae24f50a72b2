#include "catalogue/FileLocator.h"

const TFolderIndex& TFileLocator::Folder(const std::string& folder)
{
    auto known = m_folders.find(folder);
    if (known == m_folders.end())
        known = m_folders.emplace(folder, TFolderIndex(folder)).first;
    return known->second;
}

std::optional<std::string> TFileLocator::Find(const std::string& path, TEntryKind kind)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    // These never appear in a listing but still address something on disk.
    if (leaf.empty() || leaf == "." || leaf == "..") {
        return EntryKindOnDisk(path) == kind ? std::optional<std::string>(path) : std::nullopt;
    }
    if (m_mode == TMode::Direct) {
        return FindEntry(folder, leaf, kind);
    }
    const auto found = Folder(folder).Find(leaf, kind);
    if (!found) {
        return std::nullopt;
    }
    return folder + std::string(*found);
}
