#include "launch/LaunchGame.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/Session.h"
#include "app/Startup.h"
#include "base/CommandText.h"
#include "base/FileError.h"
#include "catalogue/GameSettingsFiles.h"
#include "launch/CommandLine.h"
#include "launch/ExecEmu.h"
#include "launch/LaunchScript.h"
#include "platform/PosixProcesses.h"
#include "platform/qt/QtProcesses.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A temporary emulator folder whose korb.exe is a small script, launched through the real launch script.
class LaunchGameRun : public ::testing::Test
{
protected:
    TTempDir dir;
    TCurrentDirScope scope{dir.Path()};
    TWorkingPaths paths;
    TZipRomPaths zipRomPaths;
    TGameObject game;
    TQtProcesses processes;
    TExecFile execEmu{processes};
    TFakeDialogs dialogs;
    TFakeShell shell;
    std::vector<std::string> statusTexts;
    TLaunchContext context{paths,
                           zipRomPaths,
                           game,
                           execEmu,
                           dialogs,
                           shell,
                           [this](const std::string& text) { statusTexts.push_back(text); },
                           {},
                           {}};

    // Shell characters in the folder name prove that no path in the script is read by a shell, and a
    // double quote that no path is split again on its way to the process.
    std::string Emu() const { return dir.Dir() + "my $HOME; `x` 'games' dq\"dir/"; }

    void SetUp() override
    {
        fs::create_directories(Emu());
        paths.AppDir = Emu();
        paths.EmuDir = Emu();
        paths.EmuExe = Emu() + "korb.exe";
        paths.BatchPath = Emu() + "batch.sh";
        paths.OutputPath = Emu() + "KorbVantor.txt";
        paths.IniFilesDir = Emu() + "IniFiles/";
        paths.GameplayDir = Emu() + "Gameplay/";
        paths.PcxDir = Emu() + "pcx/";
        paths.PcxBackDir = Emu() + "pcxback/";
        fs::create_directories(paths.IniFilesDir);
        fs::create_directories(paths.GameplayDir);
        fs::create_directories(Emu() + "ziproms");
        game.ZipName = "abc";
        game.GameName = "Alpha Beta";
        game.InstallState = 1;
        WriteLaunchScript(paths.BatchPath, "Korb", paths.EmuExe, paths.OutputPath);
        ConfigureExecEmu(execEmu, dialogs, paths.BatchPath);
        execEmu.WindowStyle = TWindowStyle::wsHide; // never a terminal window in tests
    }

    // korb.exe records its arguments, one per line, in args.txt beside it, then runs body.
    void Emulator(const std::string& body)
    {
        const std::string path = Emu() + "korb.exe";
        std::ofstream(path) << "#!/bin/sh\nfor a do printf '%s\\n' \"$a\"; done > args.txt\n" << body;
        fs::permissions(path, fs::perms::owner_all);
    }
    std::string Read(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> Arguments() const
    {
        std::vector<std::string> words;
        std::istringstream text(Read(Emu() + "args.txt"));
        for (std::string line; std::getline(text, line);)
            words.push_back(line);
        return words;
    }
    bool Exists(const std::string& path) const { return fs::exists(fs::symlink_status(path)); }
};

const char* const kGoodRun = "echo 'Korb arcade emulator'\necho 'Resolution set to 640x480'\n"
                             "echo 'Average frame rate = 59.94'\n";

} // namespace

TEST_F(LaunchGameRun, ASuccessfulRunShowsItsSummaryAndStaysInTheEmulatorFolder)
{
    Emulator(kGoodRun);
    LaunchGame(context);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(statusTexts, std::vector<std::string>{"Alpha Beta: 59.94 @ 640x480"});
    EXPECT_EQ(Arguments(), SplitAtBlanks(BuildEmuCommandLine(game, paths.IniFilesDir)));
    EXPECT_EQ(fs::current_path(), fs::path(Emu()).parent_path());
}

TEST_F(LaunchGameRun, ARunThatReportsCannotOffersTheOutput)
{
    Emulator("echo 'Resolution 320x240'\necho 'cannot find abc.zip'\n");
    dialogs.Answers.push_back(TMsgButton::Yes);
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Errors found when running Korb\rDo you want to see Korb output?");
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_EQ(fs::path(shell.Opened[0]), fs::path(paths.OutputPath));
    EXPECT_NE(Read(paths.OutputPath).find("cannot find abc.zip"), std::string::npos);
    EXPECT_TRUE(statusTexts.empty());
}

TEST_F(LaunchGameRun, MoreThanNineWordsReachTheEmulatorCutAfterTheNinth)
{
    TGameSettingsObject settings;
    LoadSettings(settings, paths.IniFilesDir, "abc");
    for (bool* flag : {&settings.VerticalDisplay, &settings.Vsync, &settings.ScanLines, &settings.Joystick,
                       &settings.QuickFire1, &settings.QuickFire2, &settings.QuickFire3, &settings.QuickFire4,
                       &settings.PproOptimized, &settings.PerfCounter})
        *flag = !*flag;
    SaveSettings(settings, paths.IniFilesDir, "abc");
    const std::vector<std::string> words = SplitAtBlanks(BuildEmuCommandLine(game, paths.IniFilesDir));
    ASSERT_GT(words.size(), 9u);
    Emulator(kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Arguments(), std::vector<std::string>(words.begin(), words.begin() + 9));
}

TEST_F(LaunchGameRun, NewShotsAreNumberedAfterTheExistingOnes)
{
    std::ofstream(paths.GameplayDir + "abc.001.pcx") << "old one";
    std::ofstream(paths.GameplayDir + "abc.003.jpg") << "old three";
    Emulator(std::string("mkdir -p pcx\nfor n in 1 2 3; do echo shot$n > pcx/korb000$n.pcx; done\n") +
             kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Read(paths.GameplayDir + "abc.001.pcx"), "old one");
    EXPECT_EQ(Read(paths.GameplayDir + "abc.003.jpg"), "old three");
    std::vector<std::string> shots;
    for (const char* name : {"abc.002.pcx", "abc.004.pcx", "abc.005.pcx"}) {
        ASSERT_TRUE(Exists(paths.GameplayDir + name)) << name;
        shots.push_back(Read(paths.GameplayDir + name));
    }
    std::sort(shots.begin(), shots.end());
    EXPECT_EQ(shots, (std::vector<std::string>{"shot1\n", "shot2\n", "shot3\n"}));
    EXPECT_FALSE(Exists(paths.PcxDir));
}

TEST_F(LaunchGameRun, WhatLayInTheCaptureFolderIsPutAsideAndAnEmptyOneRemoved)
{
    fs::create_directories(paths.PcxDir);
    std::ofstream(paths.PcxDir + "before.pcx") << "earlier";
    Emulator(kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Read(paths.PcxBackDir + "before.pcx"), "earlier");
    EXPECT_FALSE(Exists(paths.PcxDir));
    EXPECT_FALSE(Exists(paths.GameplayDir + "abc.001.pcx"));
}

TEST_F(LaunchGameRun, AGameOnAnExtraPathPlaysFromATemporaryCopyThatIsRemoved)
{
    const std::string extra = dir.Dir() + "cd rom";
    fs::create_directories(extra);
    std::ofstream(extra + "/abc.zip") << "archive";
    fs::permissions(extra + "/abc.zip", fs::perms::owner_read | fs::perms::group_read);
    zipRomPaths = {"", extra, ""};
    game.InstallState = 2;
    Emulator(std::string("cat ziproms/abc.zip > seen.txt\n") + kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Read(Emu() + "seen.txt"), "archive");
    EXPECT_FALSE(Exists(Emu() + "ziproms/abc.zip"));
    EXPECT_EQ(Read(extra + "/abc.zip"), "archive");
    EXPECT_EQ(statusTexts.size(), 1u);
}

TEST_F(LaunchGameRun, TheTemporaryCopyIsRemovedAlsoWhenTheScriptCannotStart)
{
    std::ofstream(Emu() + "abc.zip") << "archive";
    game.InstallState = 2;
    std::ofstream(paths.OutputPath) << "Resolution 1x1\n";
    fs::remove(paths.BatchPath);
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text.rfind("Failed to execute BatchFile", 0), 0u);
    EXPECT_FALSE(Exists(Emu() + "ziproms/abc.zip"));
    EXPECT_TRUE(Exists(Emu() + "abc.zip"));
    // The check reads what an earlier run left.
    EXPECT_EQ(statusTexts, std::vector<std::string>{"Alpha Beta: @ 1x1"});
}

TEST_F(LaunchGameRun, AFileAlreadyAtTheTemporaryPathIsUsedAndKept)
{
    std::ofstream(Emu() + "abc.zip") << "from the extra path";
    std::ofstream(Emu() + "ziproms/abc.zip") << "the user's own";
    game.InstallState = 2;
    Emulator(std::string("cat ziproms/abc.zip > seen.txt\n") + kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Read(Emu() + "seen.txt"), "the user's own");
    EXPECT_EQ(Read(Emu() + "ziproms/abc.zip"), "the user's own");
}

TEST_F(LaunchGameRun, AZipNameThatLeavesTheRomFolderIsNeverCopiedOutsideIt)
{
    const std::string extra = dir.Dir() + "extra";
    fs::create_directories(extra + "/x");
    std::ofstream(extra + "/x/../evil.zip") << "archive";
    game.ZipName = "../evil";
    zipRomPaths = {extra + "/x/", "", ""};
    game.InstallState = 2;
    Emulator(std::string("if [ -e evil.zip ]; then echo copied; else echo none; fi > seen.txt\n") + kGoodRun);
    LaunchGame(context);
    EXPECT_EQ(Read(Emu() + "seen.txt"), "none\n");
    EXPECT_EQ(Read(extra + "/evil.zip"), "archive");
}

TEST_F(LaunchGameRun, WithoutAZipromsFolderTheCopyFailsSilentlyAndTheGameStillRuns)
{
    fs::remove(Emu() + "ziproms");
    std::ofstream(Emu() + "abc.zip") << "archive";
    game.InstallState = 2;
    Emulator(kGoodRun);
    LaunchGame(context);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(Exists(Emu() + "ziproms"));
    EXPECT_EQ(Arguments().front(), "abc");
}

TEST_F(LaunchGameRun, AnEmulatorThatCrashesOrIsKilledIsReportedInsteadOfTheSummary)
{
    for (const auto& [signal, number] : {std::pair<const char*, int>{"SEGV", 11}, {"KILL", 9}}) {
        Emulator(std::string("echo 'Resolution 800x600'\nkill -") + signal + " $$\n");
        statusTexts.clear();
        dialogs.Messages.clear();
        LaunchGame(context);
        EXPECT_TRUE(statusTexts.empty()) << signal;
        ASSERT_EQ(dialogs.Messages.size(), 1u) << signal;
        const std::string& text = dialogs.Messages[0].Text;
        EXPECT_NE(text.find("signal " + std::to_string(number)), std::string::npos) << text;
        EXPECT_NE(text.find(paths.EmuExe), std::string::npos) << text;
        EXPECT_EQ(dialogs.Messages[0].Caption, "Error");
    }
}

TEST_F(LaunchGameRun, AnEmulatorThatCannotStartIsReportedWithItsReason)
{
    // Missing: the shell answers 127.
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("not found"), std::string::npos) << dialogs.Messages[0].Text;
    EXPECT_NE(dialogs.Messages[0].Text.find(paths.EmuExe), std::string::npos);
    // Not executable: 126.
    Emulator(kGoodRun);
    fs::permissions(paths.EmuExe, fs::perms::owner_read | fs::perms::owner_write);
    dialogs.Messages.clear();
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("permission denied"), std::string::npos)
        << dialogs.Messages[0].Text;
    EXPECT_TRUE(statusTexts.empty());
    EXPECT_FALSE(Exists(paths.BatchPath + ".status"));
}

TEST_F(LaunchGameRun, AWrapperWhoseProgramIsMissingIsReportedWithWhatItWrote)
{
    Emulator("echo 'needs a 32-bit prefix' >&2\nexec wine-missing-here \"$@\"\n");
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    const std::string& text = dialogs.Messages[0].Text;
    EXPECT_NE(text.find("could not start a program it needs"), std::string::npos) << text;
    EXPECT_EQ(text.find("was not found"), std::string::npos) << text;
    EXPECT_NE(text.find("needs a 32-bit prefix\r"), std::string::npos) << text;
    EXPECT_NE(text.find("wine-missing-here"), std::string::npos) << text;
    EXPECT_FALSE(Exists(paths.BatchPath + ".errors"));
}

TEST_F(LaunchGameRun, AProgramLeftHoldingTheErrorOutputDoesNotHoldTheRun)
{
    Emulator("echo 'Resolution 320x200'\nsleep 30 >/dev/null &\necho $! > daemon.pid\n");
    LaunchGame(context);
    const int daemon = std::stoi("0" + Read(Emu() + "daemon.pid"));
    ASSERT_GT(daemon, 0);
    EXPECT_EQ(::kill(daemon, 0), 0) << "the run ended only with what it left behind";
    ::kill(daemon, SIGKILL);
    EXPECT_EQ(statusTexts, std::vector<std::string>{"Alpha Beta: @ 320x200"});
}

TEST_F(LaunchGameRun, AnEmulatorThatEndsWithAnErrorCodeIsStillCheckedByItsOutput)
{
    Emulator("echo 'Resolution 320x200'\nexit 3\n");
    LaunchGame(context);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(statusTexts, std::vector<std::string>{"Alpha Beta: @ 320x200"});
}

TEST_F(LaunchGameRun, AZipNameWithQuotesReachesTheEmulatorAsOneWord)
{
    game.ZipName = "a\"b'c";
    Emulator(kGoodRun);
    LaunchGame(context);
    ASSERT_FALSE(Arguments().empty());
    EXPECT_EQ(Arguments().front(), "a\"b'c");
    EXPECT_EQ(statusTexts.size(), 1u);
}

TEST_F(LaunchGameRun, AnUnreachableEmulatorFolderEndsTheLaunchWithAnError)
{
    paths.EmuDir = dir.Dir() + "gone/";
    Emulator(kGoodRun);
    EXPECT_THROW(LaunchGame(context), TFileError);
    EXPECT_FALSE(Exists(Emu() + "args.txt"));
}

namespace {

// The stand-in emulator itself as korb.exe, told how to behave by its settings file beside it.
class LaunchGameWithStandIn : public LaunchGameRun
{
protected:
    void StandIn(const std::string& simSettings)
    {
        fs::copy_file(KORB_SIM_PATH, paths.EmuExe, fs::copy_options::overwrite_existing);
        std::ofstream(Emu() + "korb-sim.ini") << simSettings;
        std::ofstream(Emu() + "ziproms/abc.zip") << "archive";
    }
};

} // namespace

TEST_F(LaunchGameWithStandIn, ARunShowsTheResolutionAskedForAndFilesItsShots)
{
    TGameSettingsObject settings;
    LoadSettings(settings, paths.IniFilesDir, "abc");
    settings.Resolution = "640x480";
    SaveSettings(settings, paths.IniFilesDir, "abc");
    StandIn("RunMilliseconds=0\nShots=3\n");
    LaunchGame(context);
    EXPECT_TRUE(dialogs.Messages.empty());
    ASSERT_EQ(statusTexts.size(), 1u);
    EXPECT_EQ(statusTexts[0].rfind("Alpha Beta: ", 0), 0u) << statusTexts[0];
    EXPECT_EQ(statusTexts[0].substr(statusTexts[0].size() - 10), " @ 640x480") << statusTexts[0];
    for (const char* name : {"abc.001.pcx", "abc.002.pcx", "abc.003.pcx"})
        EXPECT_TRUE(Exists(paths.GameplayDir + name)) << name;
    EXPECT_FALSE(Exists(paths.GameplayDir + "abc.004.pcx"));
    EXPECT_FALSE(Exists(paths.PcxDir));
}

TEST_F(LaunchGameWithStandIn, AFailingRunAsksWhetherToShowTheOutput)
{
    StandIn("RunMilliseconds=0\nShots=0\nFail=1\n");
    dialogs.Answers.push_back(TMsgButton::No);
    LaunchGame(context);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Caption, "Error");
    EXPECT_TRUE(shell.Opened.empty());
    EXPECT_TRUE(statusTexts.empty());
}

namespace {

TTerminalEnvironment NoTerminal()
{
    TTerminalEnvironment environment;
    environment.FindProgram = [](const std::string&) { return std::nullopt; };
    environment.ResolveLink = [](const std::string& path) { return path; };
    return environment;
}

} // namespace

TEST(LaunchFromStartup, AnEmulatorFolderRelativeToTheProgramStillLaunches)
{
    TTempDir dir;
    TCurrentDirScope scope(dir.Path());
    // The screenshot key marks settings of the current layout, so no screenshot migration is offered.
    dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=emu/\r\n[Screenshot]\r\nTitle=1\r\n");
    dir.WriteFile("emu/Readme.txt", "Korb\r\nGame name     Internal name\r\nAlpha Beta    abc\r\n");
    const std::string exe = dir.WriteFile(
        "emu/korb.exe", "#!/bin/sh\nif [ \"$1\" = -list ]; then printf 'games:\\r\\nabc\\r\\n'; exit; fi\n"
                        "printf '%s\\n' \"$@\" > args.txt\necho 'Resolution 640x480'\n");
    fs::permissions(exe, fs::perms::owner_all);
    TPosixProcesses processes(NoTerminal());
    TFakeDialogs dialogs;
    TFakeShell shell;
    TStartup startup(dialogs, processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    ASSERT_EQ(startup.Catalogue().Count(), 1);
    TGameObject& game = startup.Catalogue().At(0);
    game.InstallState = 1;
    std::vector<std::string> statusTexts;
    TLaunchContext context{startup.Paths(),
                           startup.ZipRomPaths(),
                           game,
                           startup.ExecEmu(),
                           dialogs,
                           shell,
                           [&](const std::string& text) { statusTexts.push_back(text); },
                           {},
                           {}};
    LaunchGame(context);
    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
    EXPECT_EQ(dir.ReadFile("emu/args.txt").rfind("abc\n", 0), 0u);
    EXPECT_EQ(statusTexts, std::vector<std::string>{"Alpha Beta: @ 640x480"});
}

TEST_F(LaunchGameRun, ARunThatEndedReportsItsWholeSeconds)
{
    Emulator(std::string(kGoodRun) + "sleep 1\n");
    LaunchGame(context);
    EXPECT_TRUE(context.Result.Ran);
    EXPECT_GE(context.Result.Seconds, 1);
}

TEST_F(LaunchGameRun, ALaunchThatCouldNotStartDidNotRun)
{
    Emulator(kGoodRun);
    fs::remove(paths.BatchPath);
    context.Result.Ran = true;
    try {
        LaunchGame(context);
    } catch (const TFileError&) {
        // No run, no output file: what the window shows for that is not the point here.
    }
    EXPECT_FALSE(context.Result.Ran);
    EXPECT_EQ(context.Result.Seconds, 0);
    EXPECT_FALSE(Exists(Emu() + "args.txt"));

    // The script starts but the emulator does not: missing (127), then not executable (126).
    WriteLaunchScript(paths.BatchPath, "Korb", paths.EmuExe, paths.OutputPath);
    fs::remove(paths.EmuExe);
    context.Result.Ran = true;
    LaunchGame(context);
    EXPECT_FALSE(context.Result.Ran);
    Emulator(kGoodRun);
    fs::permissions(paths.EmuExe, fs::perms::owner_read | fs::perms::owner_write);
    context.Result.Ran = true;
    LaunchGame(context);
    EXPECT_FALSE(context.Result.Ran);
}

TEST_F(LaunchGameRun, AnEmulatorKilledDuringItsRunDidRun)
{
    Emulator("echo 'Resolution 800x600'\nkill -KILL $$\n");
    LaunchGame(context);
    EXPECT_TRUE(context.Result.Ran);
}

// The launch over the session's record says what it came to; the window decides nothing from its labels.
TEST_F(LaunchGameRun, TheSessionsLaunchReturnsWhatTheRunCameTo)
{
    TSession session(processes);
    session.Paths = paths;
    ConfigureExecEmu(session.ExecEmu, dialogs, paths.BatchPath);
    session.ExecEmu.WindowStyle = TWindowStyle::wsHide;
    const auto launch = [&] { return LaunchGame(session, game, dialogs, shell, nullptr); };
    Emulator(kGoodRun);
    TLaunchResult result = launch();
    EXPECT_TRUE(result.Ran);
    EXPECT_EQ(result.Summary, "Alpha Beta: 59.94 @ 640x480");
    EXPECT_EQ(result.Error, "");
    Emulator("echo 'cannot find abc.zip'\n");
    dialogs.Answers.push_back(TMsgButton::No);
    result = launch();
    EXPECT_TRUE(result.Ran);
    EXPECT_EQ(result.Summary, "");
    fs::remove(Emu() + "korb.exe");
    result = launch();
    EXPECT_FALSE(result.Ran);
    EXPECT_NE(result.RunFailure, "");
    session.Paths.EmuDir = dir.Dir() + "gone/";
    result = launch();
    EXPECT_NE(result.Error, "");
}
