#pragma once
// Lays out a complete emulator folder with fictional games for trying the front-end.

#include <string>

// Writes into `folder` (created if missing): korb.exe copied from `simPath`, its settings, the readme,
// roms in every way the front-end finds them, pictures, tunes and the front-end's help texts, and the
// screenshot converter copied from `convertPath` as nconvert.exe (none when it is empty).
// Throws std::runtime_error with a readable message when something cannot be written.
void WriteDemoFolder(const std::string& folder, const std::string& simPath,
                     const std::string& convertPath = "");
