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
#include "shots/ScreenshotFiles.h"
#include "platform/Shell.h"

// What a launch came to.
struct TLaunchResult
{
    // The emulator ran to its end; not when it could not start.
    bool Ran = false;
    int64_t Seconds = 0;
    // Why the run failed as the launch script saw it, already shown to the player; empty when it did not.
    std::string RunFailure;
    // The run's summary, "<GameName>:<frame rate> @ <resolution>"; empty when the output gave none.
    std::string Summary;
    // What stopped the launch (a file error), for the caller to show; empty when nothing did.
    std::string Error;
};

struct TLaunchContext
{
    const TWorkingPaths& Paths;
    const TZipRomPaths& ZipRomPaths;
    TGameObject& Game; // CurrentGame
    TExecFile& ExecEmu;
    TDialogs& Dialogs;
    TShell& Shell;
    std::function<void(const std::string&)> SetStatusText; // status panel 1
    // How far the put-aside of an earlier run's many captures has come; may be empty.
    TProgress PutAsideProgress;
    // Filled as the launch goes: after a throw it still says whether the emulator ran.
    TLaunchResult Result;
};

// Changes the working directory to EmuDir (it stays there). Throws TFileError when that fails or when the
// output file cannot be read.
TLaunchResult LaunchGame(TLaunchContext& context);

// Reads the emulator's output: on a "cannot" line offers to show it; otherwise puts
// "<GameName>:<frame rate> @ <resolution>" into the status text.
void CheckEmuOutput(TLaunchContext& context);
