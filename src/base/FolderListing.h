#pragma once
// The names of one folder, read once and matched without regard to ASCII letter case: the exact name
// first, then a name that differs only in case. A pass over many games lists each folder once.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TEntryKind { File, Folder, Other };

struct TListedEntry
{
    std::string_view Name; // valid while the listing lives
    TEntryKind Kind;       // links count as what they point to; a broken one is Other
};

class TFolderListing
{
public:
    TFolderListing() = default;
    // Reads the folder ("" is the working directory). A missing or unreadable folder holds nothing.
    explicit TFolderListing(const std::string& folder);

    bool Readable() const { return m_readable; }
    size_t Count() const { return m_names.size(); }
    // In listing order, or in case-insensitive order once indexed.
    TListedEntry At(size_t i) const { return {Name(m_names[i]), m_names[i].Kind}; }

    // Sorts the names once so that the lookups that follow search instead of scanning: worth it when a
    // pass makes many lookups, not for a single one in a large folder.
    void Index();
    bool Indexed() const { return m_indexed; }

    // The name of an entry of that kind as it stands in the folder: the exact one, else the first in
    // byte order that differs only in letter case.
    std::optional<std::string> Find(std::string_view name, TEntryKind kind) const;
    // The entries whose names match literal + wildcards without regard to case, in case-insensitive
    // order (equal-looking names in byte order). The literal part is never read as a pattern, so a
    // name holding '*' or '?' is safe there. See MatchesWildcard for the pattern rules.
    std::vector<TListedEntry> Matching(std::string_view literal, std::string_view wildcards) const;
    // The same for a whole pattern.
    std::vector<TListedEntry> Matching(std::string_view pattern) const;

private:
    struct TName
    {
        size_t Offset;
        size_t Length;
        TEntryKind Kind;
    };

    std::string_view Name(const TName& name) const
    {
        return std::string_view(m_pool).substr(name.Offset, name.Length);
    }
    // The first indexed name not below key without regard to case.
    const TName* LowerBound(std::string_view key) const;
    // The indexed names that begin with prefix in any case.
    std::pair<const TName*, const TName*> WithPrefix(std::string_view prefix) const;

    std::string m_pool; // every name, one after the other: no allocation per name
    std::vector<TName> m_names;
    bool m_readable = false;
    bool m_indexed = false;
};

// '*' stands for any run of characters, '?' for any one; the rest matches without regard to ASCII case.
// A pattern ending in ".*" also matches the name without the dot ("abc.*" matches "abc").
bool MatchesWildcard(std::string_view pattern, std::string_view name);
// Orders without regard to ASCII case, then byte by byte, so that equal-looking names keep a fixed order.
int CompareIgnoringCase(std::string_view a, std::string_view b);
// The kind of what path names on disk, following links.
TEntryKind EntryKindOnDisk(const std::string& path);
// folder + name when that entry exists as it is spelled, else folder + its case variant; one listing at
// most, and none when the exact name is there. Suits a single lookup; a pass indexes a TFolderListing.
std::optional<std::string> FindEntry(const std::string& folder, std::string_view name, TEntryKind kind);
