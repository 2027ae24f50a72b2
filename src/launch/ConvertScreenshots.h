#pragma once
// Turning the pictures of the four screenshot folders into PNG files with the converter beside the program.

#include <string>
#include <vector>

#include "base/WorkingPaths.h"
#include "launch/ExecFile.h"

// The converter the program runs: AppDir + "nconvert.exe".
std::string ConverterPath(const TWorkingPaths& paths);

// The argument texts of the four runs, in order: Titles, Flyers, Cabinets, Gameplay, each as
// "-v. -out png -D <folder><separator>*.*" with the folder relative to the working directory.
std::vector<std::string> ConvertRunParameters();

// Points the launch script at the converter, runs it once per folder through execEmu, each run waited
// for, and writes the emulator's script back afterwards, also when a run or the converter's script fails.
// A run that cannot start is reported by execEmu's OnFail. Throws TFileError when a script cannot be
// written; the caller shows the converted files afterwards.
void ConvertAllScreenshots(TExecFile& execEmu, const TWorkingPaths& paths);
