#include "catalogue/FileLocator.h"

const TFolderListing& TFileLocator::Listing(const std::string& folder)
{
    auto known = m_listings.find(folder);
    if (known == m_listings.end()) {
        known = m_listings.emplace(folder, TFolderListing(folder)).first;
        known->second.Index();
    }
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
    const auto found = Listing(folder).Find(leaf, kind);
    if (!found) {
        return std::nullopt;
    }
    return folder + *found;
}
