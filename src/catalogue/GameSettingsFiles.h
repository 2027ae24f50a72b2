#pragma once
// Per-game settings files "<ZipName>.ini" and "Default.ini" in the IniFiles folder, and the one-time
// migration of the old layout kept inside the main settings file.

#include <string>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"

// A name that would leave iniFilesDir (separators, "..", empty) addresses no file: loads give the
// defaults, saves and deletes do nothing.
void LoadSettings(TGameSettingsObject& settings, const std::string& iniFilesDir, const std::string& name);
void SaveSettings(const TGameSettingsObject& settings, const std::string& iniFilesDir, const std::string& name);
std::string EffectiveSettingsName(const TGameObject& game, const std::string& iniFilesDir);
bool UsesDefaultSettings(const TGameObject& game, const std::string& iniFilesDir);
void SetUseDefaultSettings(const TGameObject& game, const std::string& iniFilesDir, bool useDefaults);
void MigrateLegacySettings(const std::string& mainIniPath, const std::string& iniFilesDir);
