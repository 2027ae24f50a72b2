#pragma once
// Which games are installed: rom archives in "ziproms/", rom folders in "roms/", or archives on extra paths.

#include <array>
#include <memory>
#include <string>

#include "catalogue/GameObject.h"

using TZipRomPaths = std::array<std::string, 3>;
class TFileLocator;

// Whether a detection of the whole catalogue reads the zip dates too. Without them it touches no archive
// and leaves every ZipDate as it was; the install states are the same either way.
enum class TZipDateRead { Read, Skip };

// Paths are relative to the working directory. One folder index per call, never a listing per game;
// sets InstallState of every record, and its ZipDate unless told to skip the dates.
void UpdateInstallStates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths,
                         TZipDateRead dates = TZipDateRead::Read);

// The same for one game (used after a launch or for a single record).
void UpdateInstallState(TGameObject& game, const TZipRomPaths& zipRomPaths);

// Only the zip dates, so the list shows an archive's current date without detecting installs again.
void UpdateZipDates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths);

// Reads the zip dates of single games as the list shows them, so that a view of 100,000 games reads only
// the rows on screen. Folder listings it needs for a name in another case are kept for its life.
class TZipDateReader
{
public:
    explicit TZipDateReader(const TZipRomPaths& zipRomPaths);
    ~TZipDateReader();
    void Read(TGameObject& game);

private:
    TZipRomPaths m_zipRomPaths;
    std::unique_ptr<TFileLocator> m_locator;
};

// The path of the game's archive (bare name, an extra path, then "ziproms/"), or empty. A name that differs
// from the archive's only in letter case finds it; the path returned then carries the name on disk.
std::string SearchZip(const TGameObject& game, const TZipRomPaths& zipRomPaths);
