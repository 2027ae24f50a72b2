#include "base/FolderIndex.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "base/AsciiText.h"

namespace {

uint32_t TagOf(uint64_t hash)
{
    return static_cast<uint32_t>(hash >> 32);
}

TEntryKind KindOf(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return TEntryKind::File;
    return S_ISDIR(info.st_mode) ? TEntryKind::Folder : TEntryKind::Other;
}

// Links count as what they point to; a broken one is Other.
TEntryKind KindAt(int folder, const char* name)
{
    struct stat info
    {
    };
    if (::fstatat(folder, name, &info, 0) != 0)
        return TEntryKind::Other;
    return KindOf(info);
}

TEntryKind KindOfListed(int folder, const dirent& found)
{
    switch (found.d_type) {
    case DT_REG:
        return TEntryKind::File;
    case DT_DIR:
        return TEntryKind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        return KindAt(folder, found.d_name);
    default:
        return TEntryKind::Other;
    }
}

} // namespace

TNameKey::TNameKey(std::string_view name) : Name(name), Hash(HashFoldedAscii(name)) {}

TFolderIndex::TFolderIndex(const std::string& folder)
{
    const std::string path = folder.empty() ? std::string(".") : folder;
    m_folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return;
    Read(m_folder);
    Build();
}

TFolderIndex::~TFolderIndex()
{
    if (m_folder >= 0)
        ::close(m_folder);
}

TFolderIndex::TFolderIndex(TFolderIndex&& other) noexcept
    : m_folder(std::exchange(other.m_folder, -1)), m_pool(std::move(other.m_pool)),
      m_entries(std::move(other.m_entries)), m_slots(std::move(other.m_slots))
{
}

TFolderIndex& TFolderIndex::operator=(TFolderIndex&& other) noexcept
{
    if (this != &other) {
        if (m_folder >= 0)
            ::close(m_folder);
        m_folder = std::exchange(other.m_folder, -1);
        m_pool = std::move(other.m_pool);
        m_entries = std::move(other.m_entries);
        m_slots = std::move(other.m_slots);
    }
    return *this;
}

void TFolderIndex::Read(int folder)
{
    // The reader takes its own descriptor: the index keeps folder open for the dates.
    const int reading = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR* handle = reading < 0 ? nullptr : ::fdopendir(reading);
    if (handle == nullptr) {
        if (reading >= 0)
            ::close(reading);
        return;
    }
    // Chain links count entries in 32 bits; no real folder comes near that.
    constexpr size_t kMaxEntries = std::numeric_limits<uint32_t>::max() / 4;
    while (const dirent* found = ::readdir(handle)) {
        const std::string_view name(found->d_name);
        if (name == "." || name == "..")
            continue;
        if (m_entries.size() == kMaxEntries)
            break;
        m_entries.push_back(
            {m_pool.size(), static_cast<uint32_t>(name.size()), 0, KindOfListed(folder, *found)});
        m_pool.append(name);
        m_pool.push_back('\0');
    }
    ::closedir(handle);
}

void TFolderIndex::Build()
{
    size_t size = 16;
    while (size < 2 * m_entries.size())
        size *= 2;
    m_slots.assign(size, TSlot{0, 0});
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const TNameKey key(Name(m_entries[i]));
        TSlot& slot = m_slots[SlotOf(key)];
        // A case variant joins the chain of its group; a new name takes the free slot.
        m_entries[i].Next = slot.First;
        slot.Tag = TagOf(key.Hash);
        slot.First = static_cast<uint32_t>(i + 1);
    }
}

size_t TFolderIndex::SlotOf(const TNameKey& key) const
{
    const size_t mask = m_slots.size() - 1;
    const uint32_t tag = TagOf(key.Hash);
    // FNV's low bits are weak; the multiply spreads every bit of the hash over the top ones.
    size_t at = static_cast<size_t>((key.Hash * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    while (true) {
        const TSlot& slot = m_slots[at];
        if (slot.First == 0 || (slot.Tag == tag && SameTextAscii(Name(m_entries[slot.First - 1]), key.Name)))
            return at;
        at = (at + 1) & mask;
    }
}

std::optional<std::string_view> TFolderIndex::Find(const TNameKey& key, TEntryKind kind) const
{
    if (m_entries.empty())
        return std::nullopt;
    const TEntry* variant = nullptr;
    for (uint32_t next = m_slots[SlotOf(key)].First; next != 0; next = m_entries[next - 1].Next) {
        const TEntry& entry = m_entries[next - 1];
        if (entry.Kind != kind)
            continue;
        if (Name(entry) == key.Name)
            return Name(entry);
        if (!variant || Name(entry) < Name(*variant))
            variant = &entry;
    }
    if (!variant)
        return std::nullopt;
    return Name(*variant);
}

std::optional<TDateTime> TFolderIndex::FileTime(std::string_view name) const
{
    if (m_folder < 0 || name.empty() ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return std::nullopt;
    // The system wants a terminated name; the usual one fits on the stack.
    char shortName[256];
    std::string longName;
    const char* terminated = shortName;
    if (name.size() < sizeof shortName) {
        std::copy(name.begin(), name.end(), shortName);
        shortName[name.size()] = '\0';
    } else {
        longName.assign(name);
        terminated = longName.c_str();
    }
    struct stat info
    {
    };
    if (::fstatat(m_folder, terminated, &info, 0) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return LocalDateTimeOf(info.st_mtime);
}
