#pragma once
// The start-up spine: working paths, locating the emulator, the listing run, the load and save sequences.

#include <functional>
#include <optional>
#include <string>

#include "app/MainSettings.h"
#include "app/Session.h"
#include "base/SettingsFile.h"
#include "base/WorkingPaths.h"
#include "catalogue/GameObject.h"
#include "catalogue/InstalledGames.h"
#include "launch/ExecFile.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/Shell.h"

enum class TLoadOutcome {
    Loaded,          // every step done
    MustEnd,         // a required file is missing; the message was shown; the application must end unsaved
    StoppedAtImport, // the catalogue could not be imported; the message was shown; the list stays empty
};

class TStartup
{
public:
    // The services must outlive the object. shell may be null.
    TStartup(TDialogs& dialogs, TProcesses& processes, TShell* shell = nullptr);
    TStartup(const TStartup&) = delete;
    TStartup& operator=(const TStartup&) = delete;

    // The window's share of the main settings: set by the window before LoadSequence / SaveSequence.
    // Receives the record read at the load (after ZipRomPaths are set, before LastListPos and CurScrShot).
    std::function<void(const TMainSettingsRecord&)> OnApplyMainSettings;
    // Fills the window's values into the record about to be saved; the record already holds EmuExeDate,
    // EmuExePath, ZipRomPath, LGLPos (from LastListPos) and the CurScrShot of every catalogue game.
    std::function<void(TMainSettingsRecord&)> OnCollectMainSettings;
    // Offered before the main settings are read when they predate the screenshot layout; by default
    // MigrateOldScreenshots.
    std::function<void()> OnScreenshotLayoutMigration;
    // Asked by the load's detection, after the main settings are applied, whether it reads the zip dates
    // too; unset, it does.
    std::function<bool()> ZipDatesWanted;
    // Shows an unexpected error's text; by default an "Error" box with an OK button through the dialogs.
    std::function<void(const std::string&)> OnError;

    // OnlyIfStale false always refreshes the game listing. Never throws for file errors: they are shown.
    TLoadOutcome LoadSequence(bool onlyIfStale);
    // Writes the main settings file, then deletes the launch script and the output file. A failed write
    // is shown and the two files are still deleted. After a load that stopped before reading the main
    // settings, an existing file is kept as it is.
    void SaveSequence();
    // "Check for new Supported games": SaveSequence, then LoadSequence(false). The caller fills the list.
    TLoadOutcome CheckForSupportedGames();

    // The record the sequences work on.
    TSession& Session() { return m_session; }
    const TWorkingPaths& Paths() const { return m_session.Paths; }
    TGameObjectList& Catalogue() { return m_session.Catalogue; }
    const TGameObjectList& Catalogue() const { return m_session.Catalogue; }
    TZipRomPaths& ZipRomPaths() { return m_session.ZipRomPaths; }
    TExecFile& ExecEmu() { return m_session.ExecEmu; }

    // The single steps, public so the menu commands and tests can reach them.
    void ComputePaths();
    void LocateEmulator();
    bool ListingIsStale(bool onlyIfStale) const;
    void ListingRun();
    void CreateDataFolders() const;
    // Asks, then moves the shots of the old "pcx" folder (beneath the working directory) into the title
    // and game-play folders, for the games of the catalogue in catalogue order.
    void MigrateOldScreenshots();

private:
    bool CheckRequiredFiles();
    void ImportGames();
    void LoadMainSettings();
    void AssignShots(const TSettingsFile& file, const std::vector<std::pair<std::string, int32_t>>& stored);
    void ShowError(const std::string& text);
    // The main settings file: read once per load and shared by its steps, read afresh outside a load.
    const TSettingsFile& MainIni() const;
    void DeleteRunFiles() const;
    // What a process killed while writing left behind: temporary settings files, a script status file.
    void RemoveLeftovers() const;

    TDialogs& m_dialogs;
    TSession m_session;
    bool m_mustEnd = false;
    bool m_settingsLoaded = false;
    bool m_loading = false;
    mutable std::optional<TSettingsFile> m_mainIni;
};
