#pragma once
// The emulator's argument text for one game, built from its effective settings.

#include <string>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"

// Empty for a game that is not installed; otherwise the zip name and one option per setting that differs
// from the emulator's own default. Reads the settings files afresh on every call.
std::string BuildEmuCommandLine(const TGameObject& game, const std::string& iniFilesDir);
// The options part for given settings, appended after the zip name: each option is one space and its text.
std::string EmuOptions(const TGameSettingsObject& settings);
