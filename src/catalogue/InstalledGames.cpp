#include "catalogue/InstalledGames.h"

#include <optional>

#include "base/DateTimeText.h"
#include "base/PlainFileName.h"
#include "catalogue/FileLocator.h"

namespace {
// The extra paths first, then the emulator's own folder, split at ";" (an entry may hold several).
std::string SearchList(const TZipRomPaths& zipRomPaths)
{
    return zipRomPaths[0] + ";" + zipRomPaths[1] + ";" + zipRomPaths[2] + ";" + "ziproms/";
}

std::string SearchZipWith(TFileLocator& locator, const TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    // "../x" would be found outside every rom folder.
    if (!IsPlainFileName(game.ZipName)) {
        return {};
    }
    const std::string fileName = game.ZipName + ".zip";
    if (auto found = locator.FindFile(fileName)) {
        return *found;
    }
    const std::string list = SearchList(zipRomPaths);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        std::string entry = list.substr(start, end - start);
        start = end + 1;
        if (entry.empty()) {
            continue;
        }
        bool hasSeparator = entry.back() == '/' || entry.back() == ':';
        if (auto found = locator.FindFile(entry + (hasSeparator ? "" : "/") + fileName)) {
            return *found;
        }
    }
    return {};
}

void SetZipDate(TGameObject& game, const std::string& archive)
{
    std::optional<TDateTime> modified;
    if (!archive.empty()) {
        modified = FileModificationTime(archive);
    }
    game.ZipDate = modified ? FormatDateTime(*modified) : std::string();
}

void UpdateWith(TFileLocator& locator, TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    std::string archive = SearchZipWith(locator, game, zipRomPaths);
    const bool plainName = IsPlainFileName(game.ZipName);
    if (plainName && (locator.FindFile("ziproms/" + game.ZipName + ".zip") ||
                      locator.FindFolder("roms/" + game.ZipName))) {
        game.InstallState = kInstalled;
    } else {
        game.InstallState = archive.empty() ? kNotInstalled : kInstalledOnExtraPath;
    }
    SetZipDate(game, archive);
}
} // namespace

void UpdateInstallStates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Indexed);
    for (int i = 0; i < catalogue.Count(); ++i) {
        UpdateWith(locator, catalogue.At(i), zipRomPaths);
    }
}

void UpdateZipDates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Indexed);
    for (int i = 0; i < catalogue.Count(); ++i) {
        TGameObject& game = catalogue.At(i);
        SetZipDate(game, SearchZipWith(locator, game, zipRomPaths));
    }
}

void UpdateInstallState(TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Direct);
    UpdateWith(locator, game, zipRomPaths);
}

std::string SearchZip(const TGameObject& game, const TZipRomPaths& zipRomPaths)
{
    TFileLocator locator(TFileLocator::TMode::Direct);
    return SearchZipWith(locator, game, zipRomPaths);
}
