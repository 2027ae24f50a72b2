#pragma once
// The names of one folder in a hash table by lower-cased name, for passes that look up many names in a
// large folder: the folder is read once, each lookup costs a hash, and a found file's date is read
// relative to the folder, which stays open.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTimeText.h"
#include "base/FolderListing.h"

// A name hashed without regard to ASCII case, once for every folder it is looked up in.
struct TNameKey
{
    explicit TNameKey(std::string_view name);
    std::string_view Name; // must outlive the key
    uint64_t Hash;
};

class TFolderIndex
{
public:
    TFolderIndex() = default;
    // Reads the folder ("" is the working directory). A missing or unreadable folder holds nothing.
    explicit TFolderIndex(const std::string& folder);
    ~TFolderIndex();
    TFolderIndex(TFolderIndex&& other) noexcept;
    TFolderIndex& operator=(TFolderIndex&& other) noexcept;
    TFolderIndex(const TFolderIndex&) = delete;
    TFolderIndex& operator=(const TFolderIndex&) = delete;

    bool Readable() const { return m_folder >= 0; }
    size_t Count() const { return m_entries.size(); }

    // The name of an entry of that kind as it stands in the folder: the exact one, else the first in
    // byte order that differs only in letter case. The view lives as long as the index.
    std::optional<std::string_view> Find(const TNameKey& key, TEntryKind kind) const;
    std::optional<std::string_view> Find(std::string_view name, TEntryKind kind) const
    {
        return Find(TNameKey(name), kind);
    }
    // Modification time of the regular file of that name in this folder as it is now, links followed;
    // nothing when there is none.
    std::optional<TDateTime> FileTime(std::string_view name) const;

private:
    struct TEntry
    {
        size_t Offset;
        uint32_t Length;
        uint32_t Next; // the next name equal without regard to case, plus one; 0 ends the chain
        TEntryKind Kind;
    };
    // One per distinct lower-cased name, so that many case variants never lengthen other lookups.
    struct TSlot
    {
        uint32_t Tag;   // upper half of the hash, to skip most names without comparing them
        uint32_t First; // entry plus one; 0 is a free slot
    };

    std::string_view Name(const TEntry& entry) const
    {
        return std::string_view(m_pool).substr(entry.Offset, entry.Length);
    }
    void Read(int folder);
    void Build();
    // The slot of the name's case group, or of the free slot where it belongs.
    size_t SlotOf(const TNameKey& key) const;

    int m_folder = -1;
    std::string m_pool; // every name followed by a NUL, so that each can be passed to the system as is
    std::vector<TEntry> m_entries;
    std::vector<TSlot> m_slots; // a power of two in size, at most half full
};
