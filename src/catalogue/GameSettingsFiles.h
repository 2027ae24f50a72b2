#pragma once
// Per-game settings files "<ZipName>.ini" and "Default.ini" in the IniFiles folder, and the one-time
// migration of the old layout kept inside the main settings file.

#include <string>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"

inline constexpr const char* kDefaultSettingsName = "Default";

// A name that is no plain file name (see IsPlainFileName) addresses no file: loads give the defaults,
// saves and deletes do nothing.
// Every field from section <name> of "<iniFilesDir><name>.ini", each with its default; texts are cut to
// their width. A missing file gives the defaults; an unreadable one throws TFileError.
void LoadSettings(TGameSettingsObject& settings, const std::string& iniFilesDir, const std::string& name);
// Replaces the whole file with the sixteen keys in section <name>. Throws TFileError when it cannot.
void SaveSettings(const TGameSettingsObject& settings, const std::string& iniFilesDir,
                  const std::string& name);
// The settings as a save followed by a load gives them back (texts without line breaks, cut to width).
TGameSettingsObject SettingsAsStored(const TGameSettingsObject& settings);
// "Default" when the game has no file of its own, else its zip name.
std::string EffectiveSettingsName(const TGameObject& game, const std::string& iniFilesDir);
bool UsesDefaultSettings(const TGameObject& game, const std::string& iniFilesDir);
// True deletes the game's own file; false does nothing (the next save creates it).
void SetUseDefaultSettings(const TGameObject& game, const std::string& iniFilesDir, bool useDefaults);
// Writes the settings of the old "Game<i>" sections of the main settings file into per-game files. Does
// nothing when "Default.ini" already exists, so it runs once; the main settings file is not changed.
void MigrateLegacySettings(const std::string& mainIniPath, const std::string& iniFilesDir);
