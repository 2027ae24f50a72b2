#pragma once
// One session in an emulator folder: what the start-up sequence finds and loads, what the window lists and
// launches from, and what the close sequence saves. The sequences work on it; everyone else reads it.

#include <cstdint>
#include <functional>
#include <string>

#include "base/WorkingPaths.h"
#include "catalogue/GameObject.h"
#include "catalogue/InstalledGames.h"
#include "launch/ExecFile.h"
#include "launch/LaunchGame.h"

struct TSession
{
    // The services must outlive the record. shell may be null.
    explicit TSession(TProcesses& processes, TShell* shell = nullptr) : ExecEmu(processes, shell) {}
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    TWorkingPaths Paths;
    TGameObjectList Catalogue;
    TZipRomPaths ZipRomPaths;
    // Runs the emulator: the listing run and every launch.
    TExecFile ExecEmu;
    // The row of the last selected installed game in the list without the search; kept as LGLPos.
    int LastListPos = 0;
};

// Starts the game with the session's paths, rom paths and runner. statusText receives the run's summary.
// Never throws for file errors: they are in the result, for the caller to show.
TLaunchResult LaunchGame(TSession& session, TGameObject& game, TDialogs& dialogs, TShell& shell,
                         std::function<void(const std::string&)> statusText, TProgress putAsideProgress = {});
