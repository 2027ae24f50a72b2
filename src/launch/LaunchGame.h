#pragma once
// Starting one game: capture folder put aside, archive copied from an extra path if needed, the emulator run
// through the launch script, new shots filed, output checked.

#include <cstdint>
#include <functional>
#include <string>

#include "base/WorkingPaths.h"
#include "catalogue/GameObject.h"
#include "catalogue/InstalledGames.h"
#include "launch/ExecFile.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

struct TLaunchContext
{
    const TWorkingPaths& Paths;
    const TZipRomPaths& ZipRomPaths;
    TGameObject& Game; // CurrentGame
    TExecFile& ExecEmu;
    TDialogs& Dialogs;
    TShell& Shell;
    std::function<void(const std::string&)> SetStatusText; // status panel 1
    // Results: whether the emulator ran to its end (not when it could not start), and for how long.
    bool EmulatorRan = false;
    int64_t RunSeconds = 0;
};

// Changes the working directory to EmuDir (it stays there). Throws TFileError when that fails or when the
// output file cannot be read.
void LaunchGame(TLaunchContext& context);

// Reads the emulator's output: on a "cannot" line offers to show it; otherwise puts
// "<GameName>:<frame rate> @ <resolution>" into the status text.
void CheckEmuOutput(TLaunchContext& context);
