#include "shots/ScreenshotFiles.h"
#include "base/AsciiText.h"
#include "base/AtomicFile.h"
#include "base/FolderListing.h"
#include "base/PlainFileName.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A folder's listing, kept while the folder's time stamp stays the same.
struct TCachedListing
{
    fs::file_time_type Stamp;
    fs::file_time_type ListedAt;
    TFolderListing Listing;
};

// A change within this time of a listing may share its time stamp on a coarse file system.
constexpr auto kStampResolution = std::chrono::seconds(2);
constexpr size_t kMaxIndexedFolders = 8;

// Selecting games one after another lists each picture folder once, not once per game; a listing used a
// second time is indexed for the many lookups that then follow.
const TFolderListing& CachedListing(const std::string& dir)
{
    static std::map<std::string, TCachedListing> listings;
    static const TFolderListing none;
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(fs::path(dir.empty() ? "." : dir), ec);
    if (ec) {
        listings.erase(dir);
        return none;
    }
    auto found = listings.find(dir);
    if (found != listings.end() && found->second.Stamp == stamp &&
        found->second.ListedAt - stamp >= kStampResolution) {
        found->second.Listing.Index();
        return found->second.Listing;
    }
    if (found == listings.end() && listings.size() >= kMaxIndexedFolders)
        listings.clear();
    TCachedListing& cached = listings[dir];
    cached.Stamp = stamp;
    cached.ListedAt = fs::file_time_type::clock::now();
    cached.Listing = TFolderListing(dir);
    return cached.Listing;
}

// Title, flyer and cabinet take only the first matching name; a non-picture there hides the category.
void AppendFirstMatch(std::vector<TScreenshotEntry>& list, const std::string& dir, const std::string& zip,
                      const char* wildcards)
{
    const std::vector<TListedEntry> found = CachedListing(dir).Matching(zip, wildcards);
    if (found.empty())
        return;
    const std::string name(found.front().Name);
    const std::string lowerName = LowerAscii(name);
    if (HasImageExtension(lowerName))
        list.push_back({dir + lowerName, dir + name});
}

void AppendGameplay(std::vector<TScreenshotEntry>& list, const std::string& dir, const std::string& zip)
{
    // Case-insensitive byte order keeps 1000 between 100 and 101, where a locale collation that skips
    // punctuation would not.
    for (const TListedEntry& entry : CachedListing(dir).Matching(zip, ".*")) {
        if (entry.Kind == TEntryKind::Folder)
            continue;
        const std::string name(entry.Name);
        const std::string lowerName = LowerAscii(name);
        if (HasImageExtension(lowerName))
            list.push_back({dir + lowerName, dir + name});
    }
}

// Lower-case names of the files (not folders) in dir that could be game-play names of zip.
std::unordered_set<std::string> TakenGameplayNames(const std::string& dir, const std::string& zip)
{
    std::unordered_set<std::string> names;
    const TFolderListing listing(dir);
    for (const TListedEntry& entry : listing.Matching(zip, ".*")) {
        if (entry.Kind != TEntryKind::Folder)
            names.insert(LowerAscii(std::string(entry.Name)));
    }
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

// A move that also works across file systems; on any failure the file stays where it was. A link is
// moved as a link; across file systems what it leads to is copied.
bool MoveShot(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec)))
        return false;
    fs::rename(from, to, ec);
    if (!ec)
        return true;
    if (ec != std::errc::cross_device_link || !CopyFileAtomically(from.string(), to.string(), false))
        return false;
    if (::unlink(from.c_str()) == 0)
        return true;
    ::unlink(to.c_str());
    return false;
}

// Folders stay by rule, and a pipe or device is not a picture; a link to a picture is one.
bool IsShotFile(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode) || (S_ISLNK(info.st_mode) && IsRegularFile(path));
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
    if (!IsPlainFileName(zip))
        return list;
    if (categories.Title)
        AppendFirstMatch(list, dirs.TitlesDir, zip, "*");
    if (categories.Gameplay)
        AppendGameplay(list, dirs.GameplayDir, zip);
    if (categories.Flyer)
        AppendFirstMatch(list, dirs.FlyersDir, zip, ".*");
    if (categories.Cabinet)
        AppendFirstMatch(list, dirs.CabinetsDir, zip, ".*");
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
    if (!IsPlainFileName(zip))
        return std::string();
    return NextFreeName(TakenGameplayNames(gameplayDir, zip), gameplayDir, zip);
}

void ClearCaptureDir(const std::string& pcxDir, const std::string& pcxBackDir, const TProgress& progress)
{
    constexpr size_t kProgressStep = 1000;
    const TFolderListing listing(pcxDir);
    const bool tell = progress && listing.Count() > kProgressStep;
    for (size_t i = 0; i < listing.Count(); ++i) {
        if (tell && i > 0 && i % kProgressStep == 0)
            progress(i, listing.Count());
        const std::string name(listing.At(i).Name);
        const std::string source = pcxDir + name;
        if (listing.At(i).Kind == TEntryKind::Folder || !IsShotFile(source))
            continue;
        // A rename replaces the name in the back-up folder, never what a link there leads to.
        const std::string target = pcxBackDir + name;
        if (std::rename(source.c_str(), target.c_str()) == 0 || errno != EXDEV)
            continue;
        if (CopyFileAtomically(source, target, true))
            ::unlink(source.c_str());
    }
    if (tell)
        progress(listing.Count(), listing.Count());
}

void HarvestNewScreenshots(const std::string& pcxDir, const std::string& gameplayDir, const std::string& zip)
{
    std::error_code ec;
    fs::create_directories(fs::path(pcxDir), ec);
    // Shots of a game whose name is no plain file name stay where the emulator left them.
    if (!IsPlainFileName(zip))
        return;
    std::vector<std::string> shots;
    const TFolderListing listing(pcxDir);
    for (const TListedEntry& entry : listing.Matching("*.pcx")) {
        if (entry.Kind != TEntryKind::Folder && IsShotFile(pcxDir + std::string(entry.Name)))
            shots.emplace_back(entry.Name);
    }
    std::unordered_set<std::string> taken = TakenGameplayNames(gameplayDir, zip);
    for (const std::string& name : shots) {
        const std::string target = NextFreeName(taken, gameplayDir, zip);
        if (MoveShot(fs::path(pcxDir + name), fs::path(target)))
            taken.insert(LowerAscii(fs::path(target).filename().string()));
    }
    if (fs::is_empty(fs::path(pcxDir), ec) && !ec)
        fs::remove(fs::path(pcxDir), ec);
}
