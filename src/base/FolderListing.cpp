#include "base/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#endif

#include "base/AsciiText.h"
#include "base/PlainFileName.h"

namespace fs = std::filesystem;

namespace {

// Orders by the lower-case forms only; names equal here form one run in an index.
int CompareLowered(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool SameCharIgnoringCase(char a, char b)
{
    return LowerAscii(a) == LowerAscii(b);
}

// Greedy match with one remembered star: linear in practice and never exponential.
bool MatchesPlain(std::string_view pattern, std::string_view name)
{
    size_t p = 0, n = 0;
    size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameCharIgnoringCase(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

TEntryKind KindOf(const fs::file_status& status)
{
    if (fs::is_regular_file(status))
        return TEntryKind::File;
    return fs::is_directory(status) ? TEntryKind::Folder : TEntryKind::Other;
}

#ifndef _WIN32
TEntryKind KindOfListed(const std::string& folder, const dirent& found)
{
    switch (found.d_type) {
    case DT_REG:
        return TEntryKind::File;
    case DT_DIR:
        return TEntryKind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        return EntryKindOnDisk(folder + found.d_name);
    default:
        return TEntryKind::Other;
    }
}
#endif

} // namespace

TFolderListing::TFolderListing(const std::string& folder)
{
    const std::string dir = folder.empty() ? std::string(".") : folder;
#ifndef _WIN32
    // The plain directory reader: the portable iterator builds a path per entry and is twice as slow.
    DIR* handle = opendir(dir.c_str());
    if (handle == nullptr)
        return;
    m_readable = true;
    const std::string prefix = dir.back() == '/' ? dir : dir + "/";
    while (const dirent* found = readdir(handle)) {
        const std::string_view name(found->d_name);
        if (name == "." || name == "..")
            continue;
        m_names.push_back({m_pool.size(), name.size(), KindOfListed(prefix, *found)});
        m_pool.append(name);
    }
    closedir(handle);
#else
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    m_readable = !ec;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        m_names.push_back({m_pool.size(), name.size(), KindOf(it->status(typeError))});
        m_pool.append(name);
    }
#endif
}

void TFolderListing::Index()
{
    if (m_indexed)
        return;
    std::sort(m_names.begin(), m_names.end(),
              [&](const TName& x, const TName& y) { return CompareIgnoringCase(Name(x), Name(y)) < 0; });
    m_indexed = true;
}

const TFolderListing::TName* TFolderListing::LowerBound(std::string_view key) const
{
    const TName* begin = m_names.data();
    return std::lower_bound(begin, begin + m_names.size(), key, [&](const TName& name, std::string_view k) {
        return CompareLowered(Name(name), k) < 0;
    });
}

std::pair<const TFolderListing::TName*, const TFolderListing::TName*>
TFolderListing::WithPrefix(std::string_view prefix) const
{
    const TName* end = m_names.data() + m_names.size();
    const TName* first = LowerBound(prefix);
    const TName* last = first;
    while (last != end && StartsWithIgnoringCase(Name(*last), prefix))
        ++last;
    return {first, last};
}

std::optional<std::string> TFolderListing::Find(std::string_view name, TEntryKind kind) const
{
    const TName* variant = nullptr;
    auto consider = [&](const TName& entry) {
        if (entry.Kind != kind || entry.Length != name.size() || !SameTextAscii(Name(entry), name))
            return false;
        if (Name(entry) == name)
            return true;
        if (!variant || Name(entry) < Name(*variant))
            variant = &entry;
        return false;
    };
    if (m_indexed) {
        // Names equal without regard to case stand together, in byte order.
        const TName* end = m_names.data() + m_names.size();
        for (const TName* entry = LowerBound(name); entry != end && CompareLowered(Name(*entry), name) == 0;
             ++entry) {
            if (consider(*entry))
                return std::string(name);
        }
    } else {
        for (const TName& entry : m_names) {
            if (consider(entry))
                return std::string(name);
        }
    }
    if (!variant)
        return std::nullopt;
    return std::string(Name(*variant));
}

std::vector<TListedEntry> TFolderListing::Matching(std::string_view literal, std::string_view wildcards) const
{
    std::vector<TListedEntry> found;
    auto consider = [&](const TName& entry) {
        const std::string_view name = Name(entry);
        if (StartsWithIgnoringCase(name, literal) && MatchesWildcard(wildcards, name.substr(literal.size())))
            found.push_back({name, entry.Kind});
    };
    if (m_indexed) {
        // Names that share a prefix without regard to case stand together in the index.
        const auto [first, last] = WithPrefix(literal);
        for (const TName* entry = first; entry != last; ++entry)
            consider(*entry);
        return found;
    }
    // A fresh listing is only scanned: one pass costs far less than sorting a large folder.
    for (const TName& entry : m_names)
        consider(entry);
    std::sort(found.begin(), found.end(), [](const TListedEntry& x, const TListedEntry& y) {
        return CompareIgnoringCase(x.Name, y.Name) < 0;
    });
    return found;
}

std::vector<TListedEntry> TFolderListing::Matching(std::string_view pattern) const
{
    size_t literalEnd = std::min(pattern.find_first_of("*?"), pattern.size());
    // The dot of a final ".*" may be absent from a name, so it cannot be part of the literal.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
        literalEnd = std::min(literalEnd, pattern.size() - 2);
    return Matching(pattern.substr(0, literalEnd), pattern.substr(literalEnd));
}

bool MatchesWildcard(std::string_view pattern, std::string_view name)
{
    if (MatchesPlain(pattern, name))
        return true;
    const bool endsInDotStar = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
    return endsInDotStar && MatchesPlain(pattern.substr(0, pattern.size() - 2), name);
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const int lowered = CompareLowered(a, b);
    if (lowered != 0)
        return lowered;
    const int bytes = a.compare(b);
    return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

TEntryKind EntryKindOnDisk(const std::string& path)
{
    std::error_code ec;
    return KindOf(fs::status(path, ec));
}

std::optional<std::string> FindEntry(const std::string& folder, std::string_view name, TEntryKind kind)
{
    if (!IsPlainFileName(name))
        return std::nullopt;
    const std::string exact = folder + std::string(name);
    if (EntryKindOnDisk(exact) == kind)
        return exact;
    const auto found = TFolderListing(folder).Find(name, kind);
    if (!found)
        return std::nullopt;
    return folder + *found;
}
