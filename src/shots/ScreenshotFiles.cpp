#include "shots/ScreenshotFiles.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>
#include <unordered_set>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kImageExtensions[] = {".pcx", ".jpg", ".bmp", ".png"};

struct TDirName
{
    std::string Name;
    bool IsDirectory = false;
};

bool StartsWithNoCase(std::string_view text, const std::string& lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (LowerAscii(text[i]) != lowerPrefix[i])
            return false;
    }
    return true;
}

// One entry found by a listing; whether it is a folder is asked only when needed.
struct TEntryRef
{
    const std::string& Dir;
    std::string_view Name;
    int Kind; // 1 folder, 0 not, -1 unknown until asked

    bool IsDirectory() const
    {
        if (Kind >= 0)
            return Kind == 1;
        std::error_code ec;
        return fs::is_directory(fs::path(Dir + std::string(Name)), ec);
    }
};

// Calls visit(name, entry) for every entry of the folder, read once; a missing or unreadable folder has none.
// Names are viewed in place, so a folder of 100,000 files costs no copy per file; on POSIX the plain
// directory reader is used, which is twice as fast as the portable iterator that builds a path per entry.
template <typename Visit> void ForEachEntry(const std::string& dir, Visit visit)
{
#ifndef _WIN32
    DIR* handle = opendir(dir.empty() ? "." : dir.c_str());
    if (handle == nullptr)
        return;
    while (const dirent* found = readdir(handle)) {
        const std::string_view name(found->d_name);
        if (name == "." || name == "..")
            continue;
        const int kind = found->d_type == DT_DIR                                    ? 1
                         : (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) ? -1
                                                                                    : 0;
        visit(name, TEntryRef{dir, name, kind});
    }
    closedir(handle);
#else
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        visit(std::string_view(name), TEntryRef{dir, name, it->is_directory(typeError) ? 1 : 0});
    }
#endif
}

bool IsDirectoryEntry(const TEntryRef& entry)
{
    return entry.IsDirectory();
}

// Every entry of the folder with its kind.
std::vector<TDirName> ListDir(const std::string& dir)
{
    std::vector<TDirName> names;
    ForEachEntry(dir, [&](std::string_view name, const TEntryRef& entry) {
        names.push_back({std::string(name), IsDirectoryEntry(entry)});
    });
    return names;
}

// What the wildcard zip + ".*" matches: the bare zip name and zip + "." + anything.
bool MatchesZipDot(std::string_view name, const std::string& lowerZip)
{
    if (!StartsWithNoCase(name, lowerZip))
        return false;
    return name.size() == lowerZip.size() || name[lowerZip.size()] == '.';
}

// Compares without regard to ASCII case, then byte by byte, so equal-looking names keep a fixed order.
int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char x = LowerAscii(a[i]), y = LowerAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

struct TIndexedName
{
    size_t Offset = 0;
    size_t Length = 0;
    bool IsDirectory = false;
};

// The names of one folder in listing order, kept while the folder's time stamp stays the
// same. All names share one buffer, so indexing 100,000 files costs no allocation per file.
struct TFolderIndex
{
    fs::file_time_type Stamp;
    fs::file_time_type ListedAt;
    std::string Pool;
    std::vector<TIndexedName> Names;
    bool Sorted = false; // sorted once the index is used a second time, for many lookups in a row

    std::string_view Name(const TIndexedName& name) const
    {
        return std::string_view(Pool).substr(name.Offset, name.Length);
    }
};

// A change within this time of a listing may share its time stamp on a coarse file system.
constexpr auto kStampResolution = std::chrono::seconds(2);
constexpr size_t kMaxIndexedFolders = 8;

void ReadFolder(const std::string& dir, TFolderIndex& index)
{
    index.Pool.clear();
    index.Names.clear();
    ForEachEntry(dir, [&](std::string_view name, const TEntryRef& entry) {
        index.Names.push_back({index.Pool.size(), name.size(), IsDirectoryEntry(entry)});
        index.Pool.append(name);
    });
}

void SortOnce(TFolderIndex& index)
{
    if (index.Sorted)
        return;
    std::sort(index.Names.begin(), index.Names.end(), [&](const TIndexedName& x, const TIndexedName& y) {
        return CompareNoCase(index.Name(x), index.Name(y)) < 0;
    });
    index.Sorted = true;
}

// Selecting games one after another lists each picture folder once, not once per game.
TFolderIndex& IndexedFolder(const std::string& dir)
{
    static std::map<std::string, TFolderIndex> indexes;
    static TFolderIndex none;
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(fs::path(dir.empty() ? "." : dir), ec);
    if (ec) {
        indexes.erase(dir);
        return none;
    }
    auto found = indexes.find(dir);
    if (found != indexes.end() && found->second.Stamp == stamp &&
        found->second.ListedAt - stamp >= kStampResolution) {
        SortOnce(found->second);
        return found->second;
    }
    if (found == indexes.end() && indexes.size() >= kMaxIndexedFolders)
        indexes.clear();
    TFolderIndex& index = indexes[dir];
    index.Stamp = stamp;
    index.ListedAt = fs::file_time_type::clock::now();
    index.Sorted = false;
    ReadFolder(dir, index);
    return index;
}

// Calls visit(name, isDirectory) for the names that begin with lowerPrefix in any case, in case-insensitive
// order, until visit returns false.
template <typename Visit>
void ForEachWithPrefix(const std::string& dir, const std::string& lowerPrefix, Visit visit)
{
    const TFolderIndex& index = IndexedFolder(dir);
    std::vector<const TIndexedName*> matches;
    if (index.Sorted) {
        // Names that share a prefix without regard to case stand together in case-insensitive order.
        auto it = std::lower_bound(index.Names.begin(), index.Names.end(), lowerPrefix,
                                   [&](const TIndexedName& name, const std::string& key) {
                                       return CompareNoCase(index.Name(name), key) < 0;
                                   });
        for (; it != index.Names.end() && StartsWithNoCase(index.Name(*it), lowerPrefix); ++it)
            matches.push_back(&*it);
    } else {
        // A fresh listing is only scanned: one pass costs far less than sorting the whole folder.
        for (const TIndexedName& name : index.Names) {
            if (StartsWithNoCase(index.Name(name), lowerPrefix))
                matches.push_back(&name);
        }
        std::sort(matches.begin(), matches.end(), [&](const TIndexedName* x, const TIndexedName* y) {
            return CompareNoCase(index.Name(*x), index.Name(*y)) < 0;
        });
    }
    for (const TIndexedName* name : matches) {
        if (!visit(index.Name(*name), name->IsDirectory))
            return;
    }
}

// Title, flyer and cabinet take only the first matching name; a non-picture there hides the category.
void AppendFirstMatch(std::vector<TScreenshotEntry>& list, const std::string& dir, const std::string& zip,
                      bool requireDot)
{
    const std::string lowerZip = LowerAscii(zip);
    ForEachWithPrefix(dir, lowerZip, [&](std::string_view name, bool) {
        if (requireDot && !MatchesZipDot(name, lowerZip))
            return true;
        const std::string lowerName = LowerAscii(std::string(name));
        if (HasImageExtension(lowerName))
            list.push_back({dir + lowerName, dir + std::string(name)});
        return false;
    });
}

void AppendGameplay(std::vector<TScreenshotEntry>& list, const std::string& dir, const std::string& zip)
{
    const std::string lowerZip = LowerAscii(zip);
    // Case-insensitive byte order keeps 1000 between 100 and 101, where a locale collation that skips
    // punctuation would not.
    ForEachWithPrefix(dir, lowerZip, [&](std::string_view name, bool isDirectory) {
        if (isDirectory || !MatchesZipDot(name, lowerZip))
            return true;
        const std::string lowerName = LowerAscii(std::string(name));
        if (HasImageExtension(lowerName))
            list.push_back({dir + lowerName, dir + std::string(name)});
        return true;
    });
}

// Lower-case names of the files (not folders) in dir that could be game-play names of zip.
std::unordered_set<std::string> TakenGameplayNames(const std::string& dir, const std::string& zip)
{
    const std::string lowerZip = LowerAscii(zip);
    std::unordered_set<std::string> names;
    ForEachEntry(dir, [&](std::string_view name, const TEntryRef& entry) {
        if (MatchesZipDot(name, lowerZip) && !IsDirectoryEntry(entry))
            names.insert(LowerAscii(std::string(name)));
    });
    return names;
}

// The free-name search over an index of the folder instead of one existence test per candidate.
std::string NextFreeName(const std::unordered_set<std::string>& taken, const std::string& gameplayDir,
                         const std::string& zip)
{
    const std::string lowerZip = LowerAscii(zip);
    for (int n = 1;; ++n) {
        const std::string number = GameplayNumberText(n);
        const std::string lowerBase = lowerZip + "." + number;
        const bool used = std::any_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                                      [&](const char* ext) { return taken.count(lowerBase + ext) != 0; });
        if (!used)
            return gameplayDir + zip + "." + number + ".pcx";
    }
}

// A move that also works across file systems; on any failure the file stays where it was.
bool MoveShot(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec)))
        return false;
    fs::rename(from, to, ec);
    if (!ec)
        return true;
    if (!fs::copy_file(from, to, fs::copy_options::none, ec) || ec)
        return false;
    fs::remove(from, ec);
    if (!ec)
        return true;
    std::error_code ignored;
    fs::remove(to, ignored);
    return false;
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::status(path, ec));
}

} // namespace

std::string GameplayNumberText(int number)
{
    std::string text = std::to_string(number);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    return text;
}

bool HasImageExtension(const std::string& lowerName)
{
    const size_t dot = lowerName.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string ext = lowerName.substr(dot);
    return std::any_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                       [&](const char* known) { return ext == known; });
}

std::vector<TScreenshotEntry> BuildScreenshotEntries(const TScreenshotDirs& dirs, const std::string& zip,
                                                     const TScreenshotCategories& categories)
{
    std::vector<TScreenshotEntry> list;
    if (categories.Title)
        AppendFirstMatch(list, dirs.TitlesDir, zip, false);
    if (categories.Gameplay)
        AppendGameplay(list, dirs.GameplayDir, zip);
    if (categories.Flyer)
        AppendFirstMatch(list, dirs.FlyersDir, zip, true);
    if (categories.Cabinet)
        AppendFirstMatch(list, dirs.CabinetsDir, zip, true);
    return list;
}

std::vector<std::string> BuildScreenshotList(const TScreenshotDirs& dirs, const std::string& zip,
                                             const TScreenshotCategories& categories)
{
    std::vector<std::string> list;
    for (TScreenshotEntry& entry : BuildScreenshotEntries(dirs, zip, categories))
        list.push_back(std::move(entry.Entry));
    return list;
}

std::string NextFreeGameplayName(const std::string& gameplayDir, const std::string& zip)
{
    return NextFreeName(TakenGameplayNames(gameplayDir, zip), gameplayDir, zip);
}

void ClearCaptureDir(const std::string& pcxDir, const std::string& pcxBackDir)
{
    for (const TDirName& entry : ListDir(pcxDir)) {
        const fs::path source = fs::path(pcxDir + entry.Name);
        // Only plain files: a pipe would block the copy, and folders stay by rule.
        if (entry.IsDirectory || !IsRegularFile(source))
            continue;
        std::error_code ec;
        const bool copied = fs::copy_file(source, fs::path(pcxBackDir + entry.Name),
                                          fs::copy_options::overwrite_existing, ec);
        if (!copied || ec)
            continue;
        fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove(source, ec);
    }
}

void HarvestNewScreenshots(const std::string& pcxDir, const std::string& gameplayDir, const std::string& zip)
{
    std::error_code ec;
    fs::create_directories(fs::path(pcxDir), ec);
    std::vector<std::string> shots;
    for (const TDirName& entry : ListDir(pcxDir)) {
        const std::string lowerName = LowerAscii(entry.Name);
        const bool isPcx = lowerName.size() >= 4 && lowerName.compare(lowerName.size() - 4, 4, ".pcx") == 0;
        if (isPcx && !entry.IsDirectory && IsRegularFile(fs::path(pcxDir + entry.Name)))
            shots.push_back(entry.Name);
    }
    std::sort(shots.begin(), shots.end(),
              [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    std::unordered_set<std::string> taken = TakenGameplayNames(gameplayDir, zip);
    for (const std::string& name : shots) {
        const std::string target = NextFreeName(taken, gameplayDir, zip);
        if (MoveShot(fs::path(pcxDir + name), fs::path(target)))
            taken.insert(LowerAscii(fs::path(target).filename().string()));
    }
    if (fs::is_empty(fs::path(pcxDir), ec) && !ec)
        fs::remove(fs::path(pcxDir), ec);
}
