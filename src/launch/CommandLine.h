#pragma once
// The emulator's argument text for one game, built from its effective settings.

#include <string>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"

std::string BuildEmuCommandLine(const TGameObject& game, const std::string& iniFilesDir);
// The options part for given settings, appended after the zip name.
std::string EmuOptions(const TGameSettingsObject& settings);
