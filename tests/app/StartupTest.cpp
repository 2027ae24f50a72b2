// The start-up spine end to end in a temporary emulator folder: locate, required files, listing run,
// folders, import, main settings and the save sequence, with scripted dialogs and processes.
#include "app/Startup.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "base/DateTimeText.h"
#include "base/SettingsFile.h"
#include "launch/ExecEmu.h"
#include "launch/LaunchScript.h"
#include "platform/PosixProcesses.h"
#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The emulator writes CR LF line ends, as the Windows program does.
const char* const kStartupListing = "Korb arcade emulator\r\nSupported games: \r\npacman galaga\r\n";
const char* const kStartupReadme =
    "Korb\r\nGame name            Internal name\r\nPac Man              pacman\r\n"
    "Galaga               galaga\r\n";

// Real children, but never inside a terminal window.
TTerminalEnvironment NoTerminal()
{
    TTerminalEnvironment environment;
    environment.FindProgram = [](const std::string&) { return std::nullopt; };
    environment.ResolveLink = [](const std::string& path) { return path; };
    return environment;
}

class StartupTest : public ::testing::Test
{
protected:
    StartupTest() : m_cwd(m_dir.Path()) {}

    std::string Dir() const { return fs::current_path().string() + "/"; }

    void MakeEmulator(const std::string& folder = "")
    {
        m_dir.WriteFile(folder + "korb.exe", "not run by the fake");
        m_dir.WriteFile(folder + "Readme.txt", kStartupReadme);
    }

    // The next start "runs" the listing: the output file receives the listing text.
    void ScriptListing(const std::string& text = kStartupListing)
    {
        TFakeProcesses::TOutcome outcome;
        const std::string output = Dir() + "KorbVantor.txt";
        outcome.OnRun = [output, text] { std::ofstream(output, std::ios::binary) << text; };
        m_processes.Outcomes.push_back(outcome);
    }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const TMessage& m : m_dialogs.Messages)
            texts.push_back(m.Text);
        return texts;
    }

    TTempDir m_dir;
    TCurrentDirScope m_cwd;
    TFakeDialogs m_dialogs;
    TFakeProcesses m_processes;
};

TEST_F(StartupTest, FirstStartInAnEmulatorFolder)
{
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);

    const TWorkingPaths& p = startup.Paths();
    EXPECT_EQ(p.AppDir, Dir());
    EXPECT_EQ(p.MainIniPath, Dir() + "./Vantorkorb.ini");
    EXPECT_EQ(p.BatchPath, Dir() + "batch.sh");
    EXPECT_EQ(p.EmuDir, "./");
    EXPECT_EQ(p.EmuExe, "./korb.exe");
    EXPECT_EQ(p.ReadmePath, "./Readme.txt");
    EXPECT_EQ(p.PcxDir, "./pcx/");
    EXPECT_EQ(p.PcxBackDir, "./pcxback/");
    EXPECT_TRUE(m_dialogs.OpenFileRequests.empty());
    EXPECT_TRUE(m_dialogs.Messages.empty());

    ASSERT_EQ(m_processes.Starts.size(), 1u);
    EXPECT_EQ(m_processes.Starts[0].Program, Dir() + "batch.sh");
    EXPECT_EQ(m_processes.Starts[0].Arguments, std::vector<std::string>{"-list"});
    EXPECT_EQ(m_dir.ReadFile("listinfo.txt"), kStartupListing);
    EXPECT_FALSE(fs::exists("KorbVantor.txt"));
    EXPECT_TRUE(fs::exists("batch.sh"));
    for (const char* folder : {"IniFiles", "Gameplay", "Titles", "Cabinets", "Flyers", "Sound"})
        EXPECT_TRUE(fs::is_directory(folder)) << folder;

    ASSERT_EQ(startup.Catalogue().Count(), 2);
    EXPECT_EQ(startup.Catalogue().At(0).ZipName, "pacman");
    EXPECT_EQ(startup.Catalogue().At(1).GameName, "Galaga");
}

TEST_F(StartupTest, ListingRunsOnlyWhenTheEmulatorChanged)
{
    MakeEmulator();
    ScriptListing();
    {
        TStartup first(m_dialogs, m_processes);
        ASSERT_EQ(first.LoadSequence(true), TLoadOutcome::Loaded);
        first.SaveSequence();
    }
    EXPECT_FALSE(fs::exists("batch.sh"));
    ASSERT_EQ(m_processes.Starts.size(), 1u);

    TStartup second(m_dialogs, m_processes);
    EXPECT_EQ(second.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(m_processes.Starts.size(), 1u) << "unchanged emulator, listing present";
    EXPECT_EQ(second.Catalogue().Count(), 2);

    fs::last_write_time("korb.exe", fs::last_write_time("korb.exe") - std::chrono::hours(30));
    ScriptListing("games:\r\nonly\r\n");
    TStartup third(m_dialogs, m_processes);
    third.LoadSequence(true);
    EXPECT_EQ(m_processes.Starts.size(), 2u) << "another modification time";
    EXPECT_EQ(m_dir.ReadFile("listinfo.txt"), "games:\r\nonly\r\n");
    third.SaveSequence();

    fs::remove("listinfo.txt");
    ScriptListing();
    TStartup fourth(m_dialogs, m_processes);
    fourth.LoadSequence(true);
    EXPECT_EQ(m_processes.Starts.size(), 3u) << "listing deleted";

    ScriptListing();
    TStartup fifth(m_dialogs, m_processes);
    fifth.LoadSequence(false);
    EXPECT_EQ(m_processes.Starts.size(), 4u) << "asked for a refresh";
}

TEST_F(StartupTest, MissingReadmeGivesExactlyOneMessage)
{
    m_dir.WriteFile("korb.exe", "x");
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::MustEnd);
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    const TMessage& m = m_dialogs.Messages[0];
    EXPECT_EQ(m.Caption, "Error");
    EXPECT_EQ(m.Text, "File not found: ./Readme.txt\rThis file is needed by VantorKorb.");
    EXPECT_EQ(m.Buttons, std::vector<TMsgButton>{TMsgButton::Cancel});
    EXPECT_TRUE(m_processes.Starts.empty());
    EXPECT_FALSE(fs::exists("batch.sh"));
    EXPECT_FALSE(fs::exists("IniFiles"));
    startup.SaveSequence();
    EXPECT_FALSE(fs::exists("Vantorkorb.ini")) << "an ending start-up saves nothing";
}

TEST_F(StartupTest, MissingEmulatorIsReportedAloneAfterTheCancelledDialog)
{
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::MustEnd);
    ASSERT_EQ(m_dialogs.OpenFileRequests.size(), 1u);
    const TOpenFileRequest& r = m_dialogs.OpenFileRequests[0];
    EXPECT_EQ(r.InitialDir, "./");
    EXPECT_EQ(r.Title, "Please point to Korb.exe");
    EXPECT_EQ(r.Filter, "Korb Executable|korb.exe");
    EXPECT_EQ(r.DefaultName, "korb.exe");
    EXPECT_EQ(r.DefaultExt, "exe");
    EXPECT_TRUE(r.MustExist);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"File not found: ./korb.exe\rThis file is needed by VantorKorb."});
}

TEST_F(StartupTest, AFolderNamedLikeTheEmulatorDoesNotCount)
{
    fs::create_directory("korb.exe");
    m_dir.WriteFile("Readme.txt", kStartupReadme);
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::MustEnd);
    EXPECT_EQ(m_dialogs.OpenFileRequests.size(), 1u);
}

TEST_F(StartupTest, EmulatorPickedInAnotherFolderIsRemembered)
{
    MakeEmulator("emu/");
    ScriptListing();
    m_dialogs.OpenFileResult = Dir() + "emu/korb.exe";
    {
        TStartup startup(m_dialogs, m_processes);
        EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
        EXPECT_EQ(startup.Paths().EmuDir, Dir() + "emu/");
        EXPECT_EQ(startup.Paths().ReadmePath, Dir() + "emu/Readme.txt");
        EXPECT_EQ(startup.Catalogue().Count(), 2);
        startup.SaveSequence();
    }
    const TSettingsFile saved = TSettingsFile::Open("Vantorkorb.ini");
    EXPECT_EQ(saved.ReadString("VantorKorb", "EmuExePath", ""), Dir() + "emu/");
    EXPECT_EQ(saved.ReadDateTime("VantorKorb", "EmuExeDate", kNeverDateTime),
              *FileModificationTime(Dir() + "emu/korb.exe"));

    m_dialogs.OpenFileResult.reset();
    TStartup again(m_dialogs, m_processes);
    EXPECT_EQ(again.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(m_dialogs.OpenFileRequests.size(), 1u) << "the stored folder holds the emulator";
    EXPECT_EQ(m_processes.Starts.size(), 1u);
}

TEST_F(StartupTest, FailedListingRunStopsAtTheImport)
{
    MakeEmulator();
    m_dir.WriteFile("listinfo.txt", "games:\r\nstale\r\n");
    TFakeProcesses::TOutcome fail;
    fail.ErrorCode = 2;
    m_processes.Outcomes.push_back(fail);
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(false), TLoadOutcome::StoppedAtImport);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{ExecEmuFailMessage().Text, "File not found"}));
    EXPECT_EQ(m_dialogs.Messages[1].Caption, "Error");
    EXPECT_FALSE(fs::exists("listinfo.txt"));
    EXPECT_EQ(startup.Catalogue().Count(), 0);
}

TEST_F(StartupTest, StoppedLoadKeepsTheStoredSettings)
{
    MakeEmulator();
    const std::string stored = "[VantorKorb]\r\nZipRomPath0=/roms/\r\n[pacman]\r\nCurScrShot=3\r\n";
    m_dir.WriteFile("Vantorkorb.ini", stored);
    TFakeProcesses::TOutcome noOutput; // the listing run leaves no output file
    m_processes.Outcomes.push_back(noOutput);
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::StoppedAtImport);
    startup.SaveSequence();
    EXPECT_EQ(m_dir.ReadFile("Vantorkorb.ini"), stored);
    EXPECT_FALSE(fs::exists("batch.sh"));

    ScriptListing();
    EXPECT_EQ(startup.CheckForSupportedGames(), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.ZipRomPaths()[0], "/roms/");
    EXPECT_EQ(startup.Catalogue().At(0).CurScrShot, 3);
}

TEST_F(StartupTest, UnmatchedNamesAreReportedAndTheLoadGoesOn)
{
    MakeEmulator();
    ScriptListing("games:\r\npacman ghost\r\n");
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Caption, "Error");
    EXPECT_NE(m_dialogs.Messages[0].Text.find("1 gamenames not found"), std::string::npos);
}

TEST_F(StartupTest, MainSettingsReachTheWindowAndTheCatalogue)
{
    MakeEmulator();
    ScriptListing();
    m_dir.WriteFile("ziproms/galaga.zip", "zip");
    m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nZipRomPath1=/extra/\r\n[Screenshot]\r\nTitle=1\r\n"
                                      "[Window]\r\nLGLPos=1\r\n[View]\r\nHotTracking=0\r\n"
                                      "[GALAGA]\r\nCurScrShot=4\r\n[other]\r\nCurScrShot=9\r\n");
    TStartup startup(m_dialogs, m_processes);
    int migrations = 0;
    std::vector<std::string> seenPaths;
    bool hotTracking = true;
    startup.OnScreenshotLayoutMigration = [&] { ++migrations; };
    startup.OnApplyMainSettings = [&](const TMainSettingsRecord& r) {
        hotTracking = r.HotTracking;
        seenPaths.assign(startup.ZipRomPaths().begin(), startup.ZipRomPaths().end());
        startup.Session().LastListPos = 0; // as a change of the view filter does
    };
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(migrations, 0);
    EXPECT_FALSE(hotTracking);
    EXPECT_EQ(seenPaths, (std::vector<std::string>{"", "/extra/", ""}));
    EXPECT_EQ(startup.Session().LastListPos, 1);
    EXPECT_EQ(startup.Catalogue().At(0).CurScrShot, 0);
    EXPECT_EQ(startup.Catalogue().At(1).CurScrShot, 4);
    EXPECT_EQ(startup.Catalogue().At(0).InstallState, 0);
    EXPECT_EQ(startup.Catalogue().At(1).InstallState, 1);
}

// The window decides from its applied settings whether the load's detection reads the archive dates.
TEST_F(StartupTest, TheDetectionReadsTheZipDatesOnlyWhenTheWindowWantsThem)
{
    MakeEmulator();
    m_dir.WriteFile("ziproms/galaga.zip", "zip");
    const std::string date = FormatDateTime(*FileModificationTime("ziproms/galaga.zip"));
    std::vector<std::string> calls;
    for (const bool wanted : {false, true}) {
        ScriptListing();
        TStartup startup(m_dialogs, m_processes);
        startup.OnApplyMainSettings = [&](const TMainSettingsRecord&) { calls.push_back("apply"); };
        startup.ZipDatesWanted = [&, wanted] {
            calls.push_back("dates?");
            return wanted;
        };
        ASSERT_EQ(startup.LoadSequence(false), TLoadOutcome::Loaded);
        EXPECT_EQ(startup.Catalogue().At(1).InstallState, 1);
        EXPECT_EQ(startup.Catalogue().At(1).ZipDate, wanted ? date : "");
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"apply", "dates?", "apply", "dates?"}));
    // Nobody asked: the dates are read.
    ScriptListing();
    TStartup unasked(m_dialogs, m_processes);
    ASSERT_EQ(unasked.LoadSequence(false), TLoadOutcome::Loaded);
    EXPECT_EQ(unasked.Catalogue().At(1).ZipDate, date);
}

TEST_F(StartupTest, OldSettingsOfferTheScreenshotMigrationOnce)
{
    MakeEmulator();
    ScriptListing();
    m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=./\r\n");
    int migrations = 0;
    {
        TStartup startup(m_dialogs, m_processes);
        startup.OnScreenshotLayoutMigration = [&] { ++migrations; };
        startup.LoadSequence(true);
        startup.SaveSequence();
    }
    TStartup again(m_dialogs, m_processes);
    again.OnScreenshotLayoutMigration = [&] { ++migrations; };
    again.LoadSequence(true);
    EXPECT_EQ(migrations, 1);
}

TEST_F(StartupTest, BadColourIsShownAndEverythingElseLoads)
{
    MakeEmulator();
    ScriptListing();
    m_dir.WriteFile("ziproms/pacman.zip", "zip");
    m_dir.WriteFile("Vantorkorb.ini", "[GameList]\r\nBgColor=nope\r\n[pacman]\r\nCurScrShot=2\r\n");
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"'nope' is not a valid integer value"});
    EXPECT_EQ(startup.Catalogue().At(0).CurScrShot, 2);
    EXPECT_EQ(startup.Catalogue().At(0).InstallState, 1);
}

TEST_F(StartupTest, SaveCollectsTheWindowAndDeletesTheRunFiles)
{
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    startup.Catalogue().At(1).CurScrShot = 5;
    startup.ZipRomPaths()[2] = "/z/";
    startup.Session().LastListPos = 3;
    startup.OnCollectMainSettings = [](TMainSettingsRecord& r) {
        EXPECT_EQ(r.LGLPos, 3);
        EXPECT_EQ(r.CurScrShots.size(), 2u);
        r.Width = 999;
        r.FgColor = 0x00010203;
    };
    m_dir.WriteFile("KorbVantor.txt", "output");
    startup.SaveSequence();
    EXPECT_FALSE(fs::exists("KorbVantor.txt"));
    EXPECT_FALSE(fs::exists("batch.sh"));
    const std::string text = m_dir.ReadFile("Vantorkorb.ini");
    EXPECT_NE(text.find("ZipRomPath2=/z/\r\n"), std::string::npos);
    EXPECT_NE(text.find("LGLPos=3\r\n"), std::string::npos);
    EXPECT_NE(text.find("Width=999\r\n"), std::string::npos);
    EXPECT_NE(text.find("FgColor=$00010203\r\n"), std::string::npos);
    EXPECT_NE(text.find("[galaga]\r\nCurScrShot=5\r\n"), std::string::npos);
}

TEST_F(StartupTest, UnwritableSettingsAreReportedNotThrown)
{
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    fs::create_directory("Vantorkorb.ini");
    std::vector<std::string> errors;
    startup.OnError = [&](const std::string& text) { errors.push_back(text); };
    startup.SaveSequence();
    EXPECT_EQ(errors, std::vector<std::string>{"Cannot create file " + Dir() + "./Vantorkorb.ini"});
    EXPECT_FALSE(fs::exists("batch.sh"));
}

TEST_F(StartupTest, CheckForSupportedGamesSavesThenRefreshes)
{
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    startup.Catalogue().At(0).CurScrShot = 7;
    ScriptListing("games:\r\ngalaga pacman\r\n");
    EXPECT_EQ(startup.CheckForSupportedGames(), TLoadOutcome::Loaded);
    EXPECT_EQ(m_processes.Starts.size(), 2u);
    ASSERT_EQ(startup.Catalogue().Count(), 2);
    EXPECT_EQ(startup.Catalogue().At(startup.Catalogue().IndexOf("pacman")).CurScrShot, 7)
        << "kept through the save";
}

TEST_F(StartupTest, RealListingRunThroughTheLaunchScript)
{
    m_dir.WriteFile("Readme.txt", kStartupReadme);
    const std::string exe =
        m_dir.WriteFile("korb.exe", "#!/bin/sh\n[ \"$1\" = -list ] && printf 'Korb\\r\\ngames:\\r\\n"
                                    "galaga pacman\\r\\n'\n");
    fs::permissions(exe, fs::perms::owner_all);
    TPosixProcesses processes(NoTerminal());
    TStartup startup(m_dialogs, processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_TRUE(m_dialogs.Messages.empty());
    EXPECT_EQ(m_dir.ReadFile("listinfo.txt"), "Korb\r\ngames:\r\ngalaga pacman\r\n");
    ASSERT_EQ(startup.Catalogue().Count(), 2);
    EXPECT_EQ(startup.Catalogue().At(0).GameName, "Pac Man");
}

TEST_F(StartupTest, CrashingEmulatorLeavesTheProgramRunning)
{
    m_dir.WriteFile("Readme.txt", kStartupReadme);
    const std::string exe = m_dir.WriteFile("korb.exe", "#!/bin/sh\nkill -SEGV $$\n");
    fs::permissions(exe, fs::perms::owner_all);
    TPosixProcesses processes(NoTerminal());
    TStartup startup(m_dialogs, processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Catalogue().Count(), 0) << "an empty listing gives an empty catalogue";
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_NE(m_dialogs.Messages[0].Text.find("signal 11"), std::string::npos) << m_dialogs.Messages[0].Text;
    EXPECT_NE(m_dialogs.Messages[0].Text.find("korb.exe"), std::string::npos);
}

TEST_F(StartupTest, AListingRunThatCouldNotStartTheEmulatorIsReportedAndNotKept)
{
    m_dir.WriteFile("Readme.txt", kStartupReadme);
    const std::string exe = m_dir.WriteFile("korb.exe", "#!/bin/sh\nprintf 'games:\\r\\npacman\\r\\n'\n");
    fs::permissions(exe, fs::perms::owner_read | fs::perms::owner_write);
    TPosixProcesses processes(NoTerminal());
    {
        TStartup startup(m_dialogs, processes);
        EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
        EXPECT_EQ(startup.Catalogue().Count(), 0);
        ASSERT_EQ(m_dialogs.Messages.size(), 1u);
        EXPECT_EQ(m_dialogs.Messages[0].Caption, "Error");
        EXPECT_NE(m_dialogs.Messages[0].Text.find("permission denied"), std::string::npos)
            << m_dialogs.Messages[0].Text;
        startup.SaveSequence();
    }
    // Made executable, with the same date: the listing without games is stale all the same.
    const auto date = fs::last_write_time(exe);
    fs::permissions(exe, fs::perms::owner_all);
    fs::last_write_time(exe, date);
    m_dialogs.Messages.clear();
    TStartup again(m_dialogs, processes);
    EXPECT_EQ(again.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_TRUE(m_dialogs.Messages.empty());
    EXPECT_EQ(again.Catalogue().Count(), 1);
}

TEST_F(StartupTest, AListingRunWithoutAListOfGamesIsReported)
{
    MakeEmulator();
    ScriptListing("Korb arcade emulator\r\nusage: korb.exe <game>\r\n");
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_NE(m_dialogs.Messages[0].Text.find("listinfo.txt"), std::string::npos);
    EXPECT_TRUE(startup.ListingIsStale(true));
}

TEST_F(StartupTest, AFailedReloadKeepsTheStoredPerGameValues)
{
    MakeEmulator();
    ScriptListing();
    m_dir.WriteFile("Vantorkorb.ini", "[pacman]\r\nCurScrShot=3\r\n[galaga]\r\nCurScrShot=2\r\n");
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    startup.Catalogue().At(1).CurScrShot = 6;
    // The reload's listing run leaves no output: the import stops with an empty catalogue.
    m_processes.Outcomes.push_back(TFakeProcesses::TOutcome{});
    EXPECT_EQ(startup.CheckForSupportedGames(), TLoadOutcome::StoppedAtImport);
    EXPECT_EQ(startup.Catalogue().Count(), 0);
    const std::string beforeClose = m_dir.ReadFile("Vantorkorb.ini");
    EXPECT_NE(beforeClose.find("[galaga]\r\nCurScrShot=6\r\n"), std::string::npos);
    startup.SaveSequence();
    EXPECT_EQ(m_dir.ReadFile("Vantorkorb.ini"), beforeClose);
}

TEST_F(StartupTest, LeftoverTemporarySettingsFilesAreRemovedAtTheStart)
{
    MakeEmulator();
    ScriptListing();
    const char* leftovers[] = {"Vantorkorb.ini.tmp012345", "IniFiles/pacman.ini.tmp999999",
                               "IniFiles/Default.ini.tmp7"};
    for (const char* name : leftovers)
        m_dir.WriteFile(name, "half written");
    const char* kept[] = {"IniFiles/pacman.ini", "Readme.txt.tmp123456", "IniFiles/notes.txt"};
    for (const char* name : kept)
        m_dir.WriteFile(name, "[x]\r\n");
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    for (const char* name : leftovers)
        EXPECT_FALSE(fs::exists(name)) << name;
    for (const char* name : kept)
        EXPECT_TRUE(fs::exists(name)) << name;
}

TEST_F(StartupTest, AnEmulatorFolderGivenRelativeIsNamedAbsoluteInTheScript)
{
    MakeEmulator("emu/");
    ScriptListing();
    m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=emu/\r\n");
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Paths().EmuExe, "emu/korb.exe");
    EXPECT_EQ(m_dir.ReadFile("batch.sh"), LaunchScriptText(TScriptFlavour::PosixShell, "Korb",
                                                           Dir() + "emu/korb.exe", Dir() + "KorbVantor.txt"));
}

TEST_F(StartupTest, TheDefaultEmulatorFolderStaysRelativeInTheScript)
{
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(m_dir.ReadFile("batch.sh"),
              LaunchScriptText(TScriptFlavour::PosixShell, "Korb", "./korb.exe", Dir() + "KorbVantor.txt"));
}

TEST_F(StartupTest, StandInEmulatorAnswersTheListingRun)
{
    if (!fs::is_regular_file(KORB_SIM_PATH))
        GTEST_SKIP() << "the stand-in emulator is not built";
    fs::copy_file(KORB_SIM_PATH, m_dir.Path() / "korb.exe");
    m_dir.WriteFile("Readme.txt", kStartupReadme);
    TPosixProcesses processes(NoTerminal());
    TStartup startup(m_dialogs, processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_NE(m_dir.ReadFile("listinfo.txt").find("games:"), std::string::npos);
    EXPECT_FALSE(fs::exists("KorbVantor.txt"));
}

TEST_F(StartupTest, SettingsRewrittenByTheMigrationAreTheOnesLoaded)
{
    MakeEmulator();
    ScriptListing();
    m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=./\r\n[Window]\r\nLGLPos=0\r\n");
    TStartup startup(m_dialogs, m_processes);
    startup.OnScreenshotLayoutMigration = [&] {
        m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=./\r\n[Screenshot]\r\nTitle=1\r\n"
                                          "[Window]\r\nLGLPos=1\r\n[galaga]\r\nCurScrShot=4\r\n");
    };
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Session().LastListPos, 1);
    EXPECT_EQ(startup.Catalogue().At(1).CurScrShot, 4);
}

TEST_F(StartupTest, SettingsWrittenDuringTheListingRunAreTheOnesLoaded)
{
    MakeEmulator();
    m_dir.WriteFile("Vantorkorb.ini", "[Window]\r\nLGLPos=0\r\n");
    TFakeProcesses::TOutcome outcome;
    const std::string dir = Dir();
    outcome.OnRun = [dir] {
        std::ofstream(dir + "KorbVantor.txt", std::ios::binary) << kStartupListing;
        std::ofstream(dir + "Vantorkorb.ini", std::ios::binary)
            << "[Window]\r\nLGLPos=1\r\n[pacman]\r\nCurScrShot=2\r\n";
    };
    m_processes.Outcomes.push_back(outcome);
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Session().LastListPos, 1);
    EXPECT_EQ(startup.Catalogue().At(0).CurScrShot, 2);
}

TEST_F(StartupTest, EachGameGetsTheShotOfTheFirstSectionOfItsNameInAnyOrder)
{
    MakeEmulator();
    struct
    {
        const char* File;
        int Pacman, Galaga;
    } const rows[] = {
        {"[pacman]\r\nCurScrShot=2\r\n[galaga]\r\nCurScrShot=3\r\n", 2, 3},
        {"[pacman]\r\nCurScrShot=2\r\n[gone]\r\nCurScrShot=5\r\n[galaga]\r\nCurScrShot=3\r\n", 2, 3},
        {"[gone]\r\nCurScrShot=5\r\n[more]\r\nCurScrShot=6\r\n[GALAGA]\r\nCurScrShot=4\r\n", 0, 4},
        {"[galaga]\r\nCurScrShot=1\r\n[PacMan]\r\nCurScrShot=9\r\n", 9, 1},
        {"[Pacman]\r\nother=1\r\n[pacman]\r\nCurScrShot=7\r\n[galaga]\r\nCurScrShot=$10\r\n", 0, 16},
        {"[pacman]\r\nCurScrShot=x\r\n[galaga]\r\nCurScrShot=1\r\n[galaga]\r\nCurScrShot=8\r\n", 0, 1},
    };
    for (const auto& row : rows) {
        ScriptListing();
        m_dir.WriteFile("Vantorkorb.ini", row.File);
        TStartup startup(m_dialogs, m_processes);
        ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded) << row.File;
        ASSERT_EQ(startup.Catalogue().At(0).ZipName, "pacman");
        EXPECT_EQ(startup.Catalogue().At(0).CurScrShot, row.Pacman) << row.File;
        EXPECT_EQ(startup.Catalogue().At(1).CurScrShot, row.Galaga) << row.File;
    }
}

} // namespace
