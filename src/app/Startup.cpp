#include "app/Startup.h"
#include "base/AsciiText.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/EmulatorFiles.h"
#include "base/AtomicFile.h"
#include "base/DateTimeText.h"
#include "base/FileError.h"
#include "base/SettingsFile.h"
#include "catalogue/FileLocator.h"
#include "catalogue/GameSettingsFiles.h"
#include "catalogue/SupportedGames.h"
#include "launch/ExecEmu.h"
#include "launch/LaunchScript.h"
#include "shots/ScreenshotMigration.h"

namespace fs = std::filesystem;

namespace {

const char* const kMainSection = "VantorKorb";

// Only files: a folder that happens to carry the name is not ours to remove.
void DeleteFile(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        fs::remove(path, ec);
}

// A listing run that failed leaves a file without the line that opens the list of games.
bool HoldsGameList(const std::string& path)
{
    if (!IsRegularFile(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    constexpr size_t kChunk = 64 * 1024;
    const std::string marker = "games:";
    std::string window;
    std::string chunk(kChunk, '\0');
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        // Keep the tail of the previous chunk so a marker across the boundary is still seen.
        window = window.substr(window.size() < marker.size() ? 0 : window.size() - marker.size() + 1) +
                 chunk.substr(0, static_cast<size_t>(in.gcount()));
        if (window.find(marker) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

TStartup::TStartup(TDialogs& dialogs, TProcesses& processes, TShell* shell)
    : m_dialogs(dialogs), m_session(processes, shell)
{
    OnScreenshotLayoutMigration = [this] { MigrateOldScreenshots(); };
}

void TStartup::MigrateOldScreenshots()
{
    std::vector<std::string> zipNames;
    zipNames.reserve(static_cast<size_t>(m_session.Catalogue.Count()));
    for (int i = 0; i < m_session.Catalogue.Count(); ++i)
        zipNames.push_back(m_session.Catalogue.At(i).ZipName);
    const TMigrationDirs dirs{std::string("pcx") + kPathSepText, m_session.Paths.TitlesDir,
                              m_session.Paths.GameplayDir};
    ::MigrateOldScreenshots(m_dialogs, dirs, zipNames);
}

void TStartup::ShowError(const std::string& text)
{
    if (OnError)
        OnError(text);
    else
        m_dialogs.ShowMessage(ErrorMessage(text));
}

void TStartup::ComputePaths()
{
    std::error_code ec;
    std::string appDir = fs::current_path(ec).string();
    if (appDir.empty() || appDir.back() != kPathSep)
        appDir += kPathSep;
    const std::string sep = kPathSepText;
    m_session.Paths.AppDir = appDir;
    m_session.Paths.GameplayDir = appDir + "Gameplay" + sep;
    m_session.Paths.TitlesDir = appDir + "Titles" + sep;
    m_session.Paths.CabinetsDir = appDir + "Cabinets" + sep;
    m_session.Paths.FlyersDir = appDir + "Flyers" + sep;
    m_session.Paths.SoundDir = appDir + "Sound" + sep;
    m_session.Paths.MainIniPath = appDir + "." + sep + kMainIniName;
#ifdef _WIN32
    m_session.Paths.BatchPath = appDir + "batch.bat";
#else
    m_session.Paths.BatchPath = appDir + "batch.sh";
#endif
    m_session.Paths.OutputPath = appDir + "KorbVantor.txt";
    m_session.Paths.IniFilesDir = appDir + "IniFiles" + sep;
    m_session.Paths.ListInfoPath = appDir + "listinfo.txt";
    ConfigureExecEmu(m_session.ExecEmu, m_dialogs, m_session.Paths.BatchPath);
}

const TSettingsFile& TStartup::MainIni() const
{
    if (!m_mainIni || !m_loading)
        m_mainIni.emplace(TSettingsFile::Open(m_session.Paths.MainIniPath));
    return *m_mainIni;
}

void TStartup::LocateEmulator()
{
    std::string emuDir = MainIni().ReadString(kMainSection, "EmuExePath", std::string(".") + kPathSep);
    std::optional<std::string> emuExe = FindEmulator(emuDir);
    if (!emuExe) {
        if (const auto picked = m_dialogs.OpenFile(LocateEmulatorRequest(emuDir))) {
            emuDir = FolderOf(*picked);
            emuExe = FindEmulator(emuDir);
        }
    }
    // The names as they stand on disk: the dialog's filter and a copied folder may differ in letter case.
    TFileLocator locator(TFileLocator::TMode::Direct);
    m_session.Paths.EmuDir = emuDir;
    m_session.Paths.EmuExe = emuExe.value_or(emuDir + kEmulatorName);
    m_session.Paths.ReadmePath = locator.FindFile(emuDir + "Readme.txt").value_or(emuDir + "Readme.txt");
    m_session.Paths.PcxBackDir = emuDir + "pcxback" + kPathSepText;
    m_session.Paths.PcxDir = emuDir + "pcx" + kPathSepText;
}

bool TStartup::CheckRequiredFiles()
{
    const std::string& missing =
        !IsRegularFile(m_session.Paths.EmuExe)
            ? m_session.Paths.EmuExe
            : (!IsRegularFile(m_session.Paths.ReadmePath) ? m_session.Paths.ReadmePath : "");
    if (missing.empty())
        return true;
    m_dialogs.ShowMessage(EmulatorMissingMessage(missing));
    return false;
}

bool TStartup::ListingIsStale(bool onlyIfStale) const
{
    if (!onlyIfStale || !IsRegularFile(m_session.Paths.ListInfoPath))
        return true;
    // A listing that does not open a list of games is what a failed run left: never keep it.
    if (!HoldsGameList(m_session.Paths.ListInfoPath))
        return true;
    const TDateTime stored = MainIni().ReadDateTime(kMainSection, "EmuExeDate", kNeverDateTime);
    const auto actual = FileModificationTime(m_session.Paths.EmuExe);
    return !actual || !(*actual == stored);
}

void TStartup::ListingRun()
{
    m_session.ExecEmu.SetParameters("-list");
    const bool ran = m_session.ExecEmu.Execute();
    DeleteFile(m_session.Paths.ListInfoPath);
    std::error_code ec;
    fs::rename(m_session.Paths.OutputPath, m_session.Paths.ListInfoPath, ec);
    if (!ran)
        return; // a failed start was reported by the runner
    const std::string failure =
        LastRunFailure(m_session.ExecEmu, ScriptProgramPath(m_session.Paths.EmuDir, m_session.Paths.EmuExe));
    if (!failure.empty())
        ShowError("The game listing of Korb failed.\r" + failure);
    else if (!HoldsGameList(m_session.Paths.ListInfoPath))
        ShowError("The game listing of Korb failed: its output " + m_session.Paths.ListInfoPath +
                  " holds no list of games.");
}

void TStartup::RemoveLeftovers() const
{
    const fs::path mainIni(m_session.Paths.MainIniPath);
    RemoveLeftoverTemporaries(mainIni.parent_path().string(), mainIni.filename().string());
    RemoveLeftoverTemporaries(m_session.Paths.IniFilesDir);
    DeleteFile(m_session.ExecEmu.StatusPath);
    DeleteFile(m_session.ExecEmu.ErrorsPath);
}

void TStartup::CreateDataFolders() const
{
    for (const std::string* dir :
         {&m_session.Paths.IniFilesDir, &m_session.Paths.GameplayDir, &m_session.Paths.TitlesDir,
          &m_session.Paths.CabinetsDir, &m_session.Paths.FlyersDir, &m_session.Paths.SoundDir}) {
        std::error_code ec;
        fs::create_directory(*dir, ec);
    }
}

void TStartup::ImportGames()
{
    const TImportResult result =
        ImportCatalogue(m_session.Catalogue, m_session.Paths.ListInfoPath, m_session.Paths.ReadmePath);
    if (!result.Message.empty())
        m_dialogs.ShowMessage(ErrorMessage(result.Message));
}

void TStartup::LoadMainSettings()
{
    if (NeedsScreenshotLayoutMigration(MainIni()) && OnScreenshotLayoutMigration) {
        OnScreenshotLayoutMigration();
        m_mainIni.reset(); // the migration may have rewritten the file
    }
    const TSettingsFile& file = MainIni();
    std::string problem;
    const TMainSettingsRecord record = ReadMainSettings(file, &problem);
    if (!problem.empty())
        ShowError(problem);
    for (size_t i = 0; i < m_session.ZipRomPaths.size(); ++i)
        m_session.ZipRomPaths[i] = record.ZipRomPath[i];
    if (OnApplyMainSettings)
        OnApplyMainSettings(record);
    m_session.LastListPos = record.LGLPos;
    AssignShots(file, record.CurScrShots);
}

void TStartup::AssignShots(const TSettingsFile& file,
                           const std::vector<std::pair<std::string, int32_t>>& stored)
{
    // The close writes the games in catalogue order, so the entry of a game is mostly the one after the
    // previous game's (or one further, past a game that left the catalogue). Each stored entry is the first
    // section of its name, which is what the file's own case-blind index answers for the others.
    size_t next = 0;
    for (int i = 0; i < m_session.Catalogue.Count(); ++i) {
        TGameObject& game = m_session.Catalogue.At(i);
        if (next < stored.size() && SameTextAscii(stored[next].first, game.ZipName)) {
            game.CurScrShot = stored[next++].second;
        } else if (next + 1 < stored.size() && SameTextAscii(stored[next + 1].first, game.ZipName)) {
            game.CurScrShot = stored[next + 1].second;
            next += 2;
        } else {
            game.CurScrShot = file.ReadInteger(game.ZipName, "CurScrShot", 0);
        }
    }
}

void TStartup::DeleteRunFiles() const
{
    DeleteFile(m_session.Paths.BatchPath);
    DeleteFile(m_session.Paths.OutputPath);
    DeleteFile(m_session.ExecEmu.StatusPath);
    DeleteFile(m_session.ExecEmu.ErrorsPath);
}

TLoadOutcome TStartup::LoadSequence(bool onlyIfStale)
{
    // Until the main settings are read again, what is in memory is not what the close may store.
    m_settingsLoaded = false;
    // The steps of one load share one reading of the main settings file; it is not kept past the load.
    m_mainIni.reset();
    m_loading = true;
    struct TEndOfLoad
    {
        TStartup& Startup;
        ~TEndOfLoad()
        {
            Startup.m_loading = false;
            Startup.m_mainIni.reset();
        }
    } endOfLoad{*this};
    try {
        ComputePaths();
        RemoveLeftovers();
        LocateEmulator();
        try {
            WriteEmulatorScript(m_session.Paths);
        } catch (const TFileError& e) {
            // Without a script no game starts, but the catalogue can still be browsed.
            ShowError(e.what());
        }
        if (!CheckRequiredFiles()) {
            m_mustEnd = true;
            DeleteRunFiles();
            return TLoadOutcome::MustEnd;
        }
        if (ListingIsStale(onlyIfStale)) {
            ListingRun();
            m_mainIni.reset(); // the emulator is not ours: read again whatever it may have left
        }
        CreateDataFolders();
        // Only settings with a "Game0" section have anything to migrate; asking first spares a reading.
        if (!IsRegularFile(m_session.Paths.IniFilesDir + "Default.ini") && MainIni().SectionExists("Game0"))
            MigrateLegacySettings(m_session.Paths.MainIniPath, m_session.Paths.IniFilesDir);
        ImportGames();
        LoadMainSettings();
        m_settingsLoaded = true;
        const bool dates = !ZipDatesWanted || ZipDatesWanted();
        UpdateInstallStates(m_session.Catalogue, m_session.ZipRomPaths,
                            dates ? TZipDateRead::Read : TZipDateRead::Skip);
        return TLoadOutcome::Loaded;
    } catch (const std::exception& e) {
        ShowError(e.what());
        return TLoadOutcome::StoppedAtImport;
    }
}

void TStartup::SaveSequence()
{
    if (m_mustEnd || m_session.Paths.MainIniPath.empty())
        return;
    // A load that stopped before the main settings leaves the window with built-in values; writing those
    // would throw away the user's stored settings.
    if (!m_settingsLoaded && IsRegularFile(m_session.Paths.MainIniPath)) {
        DeleteRunFiles();
        return;
    }
    TMainSettingsRecord record;
    record.EmuExeDate = FileModificationTime(m_session.Paths.EmuExe).value_or(kNeverDateTime);
    record.EmuExePath = m_session.Paths.EmuDir;
    for (size_t i = 0; i < m_session.ZipRomPaths.size(); ++i)
        record.ZipRomPath[i] = m_session.ZipRomPaths[i];
    record.LGLPos = m_session.LastListPos;
    record.CurScrShots.reserve(static_cast<size_t>(m_session.Catalogue.Count()));
    for (int i = 0; i < m_session.Catalogue.Count(); ++i)
        record.CurScrShots.emplace_back(m_session.Catalogue.At(i).ZipName,
                                        m_session.Catalogue.At(i).CurScrShot);
    if (OnCollectMainSettings)
        OnCollectMainSettings(record);
    try {
        SaveMainSettingsFile(m_session.Paths.MainIniPath, record);
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
    DeleteRunFiles();
}

TLoadOutcome TStartup::CheckForSupportedGames()
{
    SaveSequence();
    return LoadSequence(false);
}
