#include "report/NeededReport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "base/AtomicFile.h"
#include "base/FileError.h"
#include "base/FolderListing.h"
#include "base/PlainFileName.h"
#include "catalogue/GameObject.h"
#include "platform/Shell.h"

namespace fs = std::filesystem;

namespace {
constexpr size_t kNameColumns = 40;
constexpr const char* kPictureSuffix = ".jpg/pcx/png/bmp";
constexpr const char* kLineEnd = "\r\n";

// Length in bytes of the UTF-8 sequence starting at text[at], or 0 when it is not a valid one.
size_t Utf8SequenceLength(const std::string& text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0x80             ? 1
                    : (lead & 0xE0) == 0xC0 ? 2
                    : (lead & 0xF0) == 0xE0 ? 3
                    : (lead & 0xF8) == 0xF0 ? 4
                                            : 0;
    if (length == 0 || (length == 2 && lead < 0xC2) || lead > 0xF4 || at + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// Byte offsets at which the characters of a valid UTF-8 text start; nothing for other byte texts.
bool Utf8Starts(const std::string& text, std::vector<size_t>& starts)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        starts.push_back(at);
        at += length;
    }
    return true;
}

// One indexed listing per folder, so that a whole catalogue costs one listing per folder.
class TFolderIndexes
{
public:
    const TFolderListing& For(const std::string& folder)
    {
        auto it = m_listings.find(folder);
        if (it == m_listings.end()) {
            it = m_listings.emplace(folder, TFolderListing(folder)).first;
            it->second.Index();
        }
        return it->second;
    }

private:
    std::unordered_map<std::string, TFolderListing> m_listings;
};

// zip + ".*" matches the bare zip name and every name that continues with a dot. Folders named like a
// picture are no picture; links count by what they point to. A zip name that is no plain file name
// matches nothing.
bool HasPictureOf(const TFolderListing& listing, const std::string& zipName)
{
    if (!IsPlainFileName(zipName)) {
        return false;
    }
    for (const TListedEntry& entry : listing.Matching(zipName, ".*")) {
        if (entry.Kind == TEntryKind::File) {
            return true;
        }
    }
    return false;
}

bool HasSoundOf(const TFolderListing& listing, const std::string& zipName)
{
    return IsPlainFileName(zipName) && listing.Find(zipName + ".mid", TEntryKind::File).has_value();
}

struct TSection
{
    std::string Title;
    std::vector<std::string> Lines;
};

void AppendLine(std::string& out, const std::string& line)
{
    out += line;
    out += kLineEnd;
}
} // namespace

std::string FormatNeededLine(const std::string& gameName, const std::string& zipAndSuffix)
{
    // Cut and pad by characters when the name is UTF-8, so that a cut never splits a character and
    // the bar stays in the same column; any other byte text counts one column per byte.
    std::vector<size_t> starts;
    std::string name;
    size_t columns = 0;
    if (Utf8Starts(gameName, starts)) {
        columns = std::min(starts.size(), kNameColumns);
        name = starts.size() > kNameColumns ? gameName.substr(0, starts[kNameColumns]) : gameName;
    } else {
        name = gameName.substr(0, kNameColumns);
        columns = name.size();
    }
    name.append(kNameColumns - columns, ' ');
    return name + " | " + zipAndSuffix;
}

std::string BuildNeededReport(const TGameObjectList& catalogue, const TWorkingPaths& paths,
                              const std::string& versionText)
{
    TSection sections[6] = {
        {" Uninstalled roms", {}},
        {" Missing Titles in directory " + paths.TitlesDir, {}},
        {" Missing Gameplayshots in directory " + paths.GameplayDir, {}},
        {" Missing Flyers in directory " + paths.FlyersDir, {}},
        {" Missing Cabinets in directory " + paths.CabinetsDir, {}},
        {" Missing Midi-files in directory " + paths.SoundDir, {}},
    };
    const std::string* pictureDirs[4] = {&paths.TitlesDir, &paths.GameplayDir, &paths.FlyersDir,
                                         &paths.CabinetsDir};

    TFolderIndexes indexes;
    for (int i = 0; i < catalogue.Count(); ++i) {
        const TGameObject& game = catalogue.At(i);
        if (game.InstallState < kInstalled) {
            sections[0].Lines.push_back(FormatNeededLine(game.GameName, game.ZipName + ".zip"));
        }
        for (int category = 0; category < 4; ++category) {
            if (!HasPictureOf(indexes.For(*pictureDirs[category]), game.ZipName)) {
                sections[1 + category].Lines.push_back(
                    FormatNeededLine(game.GameName, game.ZipName + kPictureSuffix));
            }
        }
        if (!HasSoundOf(indexes.For(paths.SoundDir), game.ZipName)) {
            sections[5].Lines.push_back(FormatNeededLine(game.GameName, game.ZipName + ".mid"));
        }
    }

    std::string out;
    AppendLine(out, "Needed files for VantorKorb " + versionText);
    AppendLine(out, " ");
    AppendLine(out, "--");
    for (int s = 0; s < 6; ++s) {
        if (s > 0) {
            AppendLine(out, " ");
            AppendLine(out, "--");
        }
        AppendLine(out, std::to_string(sections[s].Lines.size()) + sections[s].Title);
        AppendLine(out, " ");
        for (const std::string& line : sections[s].Lines) {
            AppendLine(out, line);
        }
        AppendLine(out, "--");
    }
    return out;
}

void WriteNeededReport(const TGameObjectList& catalogue, const TWorkingPaths& paths,
                       const std::string& versionText, TShell& shell)
{
    const std::string text = BuildNeededReport(catalogue, paths, versionText);
    std::string failure = "Cannot create file ";
    failure += kNeededReportName;
    // A failed write leaves the old report whole; a link out of the folder is left alone and named.
    try {
        WriteFileAtomically(kNeededReportName, text, failure);
    } catch (const TFileError& error) {
        throw TNeededReportError(error.what());
    }
    // What the viewer then does is the desktop's business.
    shell.OpenWithShell(kNeededReportName);
}
