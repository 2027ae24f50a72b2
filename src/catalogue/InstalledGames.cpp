#include "catalogue/InstalledGames.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/DateTimeText.h"
#include "base/PlainFileName.h"
#include "catalogue/FileLocator.h"

namespace {
// One place an archive may lie: its folder and what the archive's name is appended to there ("drive:"
// takes "drive:abc.zip" in the working directory, an entry without a separator gets one).
struct TSearchPlace
{
    std::string Folder;
    std::string LeafPrefix;
};

// The bare name first, then the extra paths split at ";" (an entry may hold several), "ziproms/" last.
std::vector<TSearchPlace> SearchPlaces(const TZipRomPaths& zipRomPaths)
{
    std::vector<TSearchPlace> places{{"", ""}};
    const std::string list = zipRomPaths[0] + ";" + zipRomPaths[1] + ";" + zipRomPaths[2] + ";" + "ziproms/";
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(';', start), list.size());
        const std::string entry = list.substr(start, end - start);
        start = end + 1;
        if (entry.empty())
            continue;
        if (entry.back() == '/')
            places.push_back({entry, ""});
        else if (entry.back() != ':')
            places.push_back({entry + "/", ""});
        else {
            const size_t slash = entry.rfind('/');
            const size_t leafAt = slash == std::string::npos ? 0 : slash + 1;
            places.push_back({entry.substr(0, leafAt), entry.substr(leafAt)});
        }
    }
    return places;
}

void SetZipDate(TGameObject& game, std::optional<TDateTime> modified)
{
    if (modified)
        game.ZipDate = FormatDateTime(*modified);
    else
        game.ZipDate.clear();
}

// The date of the archive a single-game search found, or none when it found nothing.
void SetZipDateOf(TGameObject& game, const std::string& archive)
{
    SetZipDate(game, archive.empty() ? std::nullopt : FileModificationTime(archive));
}

// A whole-catalogue pass: every folder read and hashed once, the search list split once, each name
// hashed once for all folders, and a found archive's date read relative to its open folder.
class TCataloguePass
{
public:
    explicit TCataloguePass(const TZipRomPaths& zipRomPaths) : m_locator(TFileLocator::TMode::Indexed)
    {
        m_zipRoms = &m_locator.Folder("ziproms/");
        m_roms = &m_locator.Folder("roms/");
        for (const TSearchPlace& place : SearchPlaces(zipRomPaths))
            m_places.push_back({&m_locator.Folder(place.Folder), place.LeafPrefix});
    }

    void Detect(TGameObject& game, TZipDateRead dates)
    {
        const bool readDate = dates == TZipDateRead::Read;
        if (!IsPlainFileName(game.ZipName)) {
            game.InstallState = kNotInstalled;
            if (readDate)
                game.ZipDate.clear();
            return;
        }
        m_fileName.assign(game.ZipName).append(".zip");
        const TNameKey fileKey(m_fileName);
        const std::optional<std::string_view> inZipRoms = m_zipRoms->Find(fileKey, TEntryKind::File);
        const bool inRomFolders = inZipRoms || m_roms->Find(game.ZipName, TEntryKind::Folder);
        // Installed in the rom folders, the game needs the search only for the date.
        if (inRomFolders && !readDate) {
            game.InstallState = kInstalled;
            return;
        }
        const TFound archive = Search(fileKey, inZipRoms);
        if (inRomFolders)
            game.InstallState = kInstalled;
        else
            game.InstallState = archive.Folder ? kInstalledOnExtraPath : kNotInstalled;
        if (readDate)
            SetZipDate(game, DateOf(archive));
    }

    void Date(TGameObject& game)
    {
        if (!IsPlainFileName(game.ZipName)) {
            game.ZipDate.clear();
            return;
        }
        m_fileName.assign(game.ZipName).append(".zip");
        const TNameKey fileKey(m_fileName);
        SetZipDate(game, DateOf(Search(fileKey, m_zipRoms->Find(fileKey, TEntryKind::File))));
    }

private:
    struct TPlace
    {
        const TFolderIndex* Folder;
        std::string LeafPrefix;
    };
    struct TFound
    {
        const TFolderIndex* Folder = nullptr;
        std::string_view Name;
    };

    // inZipRoms is the lookup in "ziproms/", made already for the install state.
    TFound Search(const TNameKey& fileKey, std::optional<std::string_view> inZipRoms)
    {
        for (const TPlace& place : m_places) {
            std::optional<std::string_view> found;
            if (!place.LeafPrefix.empty()) {
                m_prefixed.assign(place.LeafPrefix).append(fileKey.Name);
                found = place.Folder->Find(TNameKey(m_prefixed), TEntryKind::File);
            } else if (place.Folder == m_zipRoms) {
                found = inZipRoms;
            } else {
                found = place.Folder->Find(fileKey, TEntryKind::File);
            }
            if (found)
                return {place.Folder, *found};
        }
        return {};
    }

    static std::optional<TDateTime> DateOf(const TFound& archive)
    {
        return archive.Folder ? archive.Folder->FileTime(archive.Name) : std::nullopt;
    }

    TFileLocator m_locator;
    const TFolderIndex* m_zipRoms = nullptr;
    const TFolderIndex* m_roms = nullptr;
    std::vector<TPlace> m_places;
    // Reused for every game: no allocation per lookup.
    std::string m_fileName;
    std::string m_prefixed;
};

// A single lookup: the exact path is tested on disk and a folder listed only for a case variant.
std::string SearchZipDirect(TFileLocator& locator, const TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    // "../x" would be found outside every rom folder.
    if (!IsPlainFileName(game.ZipName))
        return {};
    const std::string fileName = game.ZipName + ".zip";
    for (const TSearchPlace& place : SearchPlaces(zipRomPaths)) {
        if (auto found = locator.FindFile(place.Folder + place.LeafPrefix + fileName))
            return *found;
    }
    return {};
}
} // namespace

void UpdateInstallStates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths, TZipDateRead dates)
{
    TCataloguePass pass(zipRomPaths);
    for (int i = 0; i < catalogue.Count(); ++i)
        pass.Detect(catalogue.At(i), dates);
}

void UpdateZipDates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths)
{
    TCataloguePass pass(zipRomPaths);
    for (int i = 0; i < catalogue.Count(); ++i)
        pass.Date(catalogue.At(i));
}

void UpdateInstallState(TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Direct);
    const std::string archive = SearchZipDirect(locator, game, zipRomPaths);
    if (IsPlainFileName(game.ZipName) &&
        (locator.FindFile("ziproms/" + game.ZipName + ".zip") || locator.FindFolder("roms/" + game.ZipName)))
        game.InstallState = kInstalled;
    else
        game.InstallState = archive.empty() ? kNotInstalled : kInstalledOnExtraPath;
    SetZipDateOf(game, archive);
}

TZipDateReader::TZipDateReader(const TZipRomPaths& zipRomPaths)
    : m_zipRomPaths(zipRomPaths), m_locator(std::make_unique<TFileLocator>(TFileLocator::TMode::Direct))
{
}

TZipDateReader::~TZipDateReader() = default;

void TZipDateReader::Read(TGameObject& game)
{
    SetZipDateOf(game, SearchZipDirect(*m_locator, game, m_zipRomPaths));
}

std::string SearchZip(const TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Direct);
    return SearchZipDirect(locator, game, zipRomPaths);
}
