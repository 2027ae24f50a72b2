#include "catalogue/FileLocator.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
TEntryKind KindOnDisk(const std::string& path)
{
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (fs::is_regular_file(status)) {
        return TEntryKind::File;
    }
    return fs::is_directory(status) ? TEntryKind::Folder : TEntryKind::Other;
}
} // namespace

int TFileLocator::FolderId(const std::string& folder)
{
    auto known = m_folderIds.find(folder);
    if (known != m_folderIds.end()) {
        return known->second;
    }
    const int id = static_cast<int>(m_folderIds.size());
    m_folderIds.emplace(folder, id);
    m_lastValid = false;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    // Unreadable or missing folders simply hold nothing.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        // The entry keeps the type the listing gave, so this costs no system call except for links.
        TEntryKind kind = it->is_regular_file(typeError) ? TEntryKind::File
                          : it->is_directory(typeError)  ? TEntryKind::Folder
                                                         : TEntryKind::Other;
        std::string name = it->path().filename().string();
        TEntries& entries = m_entries[LowerAscii(name)];
        TEntry entry{id, std::move(name), kind};
        auto at =
            std::upper_bound(entries.begin(), entries.end(), entry, [](const TEntry& a, const TEntry& b) {
                return a.Folder != b.Folder ? a.Folder < b.Folder : a.Name < b.Name;
            });
        entries.insert(at, std::move(entry));
    }
    return id;
}

const TFileLocator::TEntries* TFileLocator::EntriesNamed(const std::string& leaf)
{
    if (m_lastValid && leaf == m_lastLeaf) {
        return m_lastEntries;
    }
    auto it = m_entries.find(LowerAscii(leaf));
    m_lastEntries = it == m_entries.end() ? nullptr : &it->second;
    m_lastLeaf = leaf;
    m_lastValid = true;
    return m_lastEntries;
}

std::optional<std::string> TFileLocator::Find(const std::string& path, TEntryKind kind)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    // These never appear in a listing but still address something on disk.
    bool listable = !leaf.empty() && leaf != "." && leaf != "..";
    if (m_mode == TMode::Direct || !listable) {
        if (KindOnDisk(path) == kind) {
            return path;
        }
        if (!listable) {
            return std::nullopt;
        }
    }
    const int folderId = FolderId(folder);
    const TEntries* entries = EntriesNamed(leaf);
    if (!entries) {
        return std::nullopt;
    }
    const TEntry* variant = nullptr;
    for (const TEntry& entry : *entries) {
        if (entry.Folder != folderId || entry.Kind != kind) {
            continue;
        }
        if (entry.Name == leaf) {
            return path;
        }
        if (!variant) {
            variant = &entry;
        }
    }
    if (!variant) {
        return std::nullopt;
    }
    return folder + variant->Name;
}
