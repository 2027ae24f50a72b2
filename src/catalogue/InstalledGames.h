#pragma once
// Which games are installed: rom archives in "ziproms/", rom folders in "roms/", or archives on extra paths.

#include <array>
#include <string>

#include "catalogue/GameObject.h"

using TZipRomPaths = std::array<std::string, 3>;

// Paths are relative to the working directory. One folder index per call, never a listing per game;
// sets InstallState and ZipDate of every record.
void UpdateInstallStates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths);

// The same for one game (used after a launch or for a single record).
void UpdateInstallState(TGameObject& game, const TZipRomPaths& zipRomPaths);

// Only the zip dates, so the list shows an archive's current date without detecting installs again.
void UpdateZipDates(TGameObjectList& catalogue, const TZipRomPaths& zipRomPaths);

// The path of the game's archive (bare name, an extra path, then "ziproms/"), or empty. A name that differs
// from the archive's only in letter case finds it; the path returned then carries the name on disk.
std::string SearchZip(const TGameObject& game, const TZipRomPaths& zipRomPaths);
