// Where the program runs: the start folder, the folder used last or a picked one, the remembered folders
// and their file, the emulator found whatever its letter case, and a switch to another folder.
#include "app/EmulatorFolder.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/Startup.h"
#include "base/FileKinds.h"
#include "base/SettingsFile.h"
#include "platform/FolderLock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char* const kListing = "Korb arcade emulator\r\nSupported games: \r\npacman galaga\r\n";
const char* const kReadme = "Korb\r\nGame name            Internal name\r\nPac Man              pacman\r\n"
                            "Galaga               galaga\r\n";
const char* const kMissingEmulator = "File not found: ./korb.exe\rThis file is needed by VantorKorb.";

// Every entry below the folder, relative, for "nothing was written" checks.
std::vector<std::string> Tree(const fs::path& folder)
{
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.push_back(fs::relative(entry.path(), folder).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

int Installed(TStartup& startup, const std::string& zipName)
{
    const int index = startup.Catalogue().IndexOf(zipName);
    return index < 0 ? -1 : startup.Catalogue().At(index).InstallState;
}

class EmulatorFolderTest : public ::testing::Test
{
protected:
    EmulatorFolderTest() : m_cwd(m_start.Path()) {}

    std::string EmuDir() const { return m_emu.Dir(); }
    std::string ConfigDir() const { return m_config.Dir() + "vantorkorb/"; }

    void MakeEmulator(const std::string& exeName = "korb.exe")
    {
        m_emu.WriteFile(exeName, "not run by the fake");
        m_emu.WriteFile("Readme.txt", kReadme);
        m_emu.WriteFile("ziproms/pacman.zip", "PK");
    }

    // The listing run leaves its output in the working directory it runs in.
    void ScriptListing()
    {
        TFakeProcesses::TOutcome outcome;
        outcome.OnRun = [] {
            std::ofstream(fs::current_path() / "KorbVantor.txt", std::ios::binary) << kListing;
        };
        m_processes.Outcomes.push_back(outcome);
    }

    TTempDir m_start;
    TTempDir m_emu;
    TTempDir m_config;
    TCurrentDirScope m_cwd;
    TFakeDialogs m_dialogs;
    TFakeProcesses m_processes;
};

} // namespace

TEST_F(EmulatorFolderTest, TheEmulatorIsFoundWhateverItsLetterCase)
{
    EXPECT_FALSE(FindEmulator(EmuDir()));
    EXPECT_FALSE(IsEmulatorFolder(EmuDir()));
    fs::create_directory(m_emu.Path() / "korb.exe");
    EXPECT_FALSE(FindEmulator(EmuDir())) << "a folder of that name is no emulator";
    fs::remove(m_emu.Path() / "korb.exe");
    m_emu.WriteFile("KORB.EXE", "x");
    EXPECT_EQ(FindEmulator(EmuDir()), EmuDir() + "KORB.EXE");
    m_emu.WriteFile("korb.exe", "x");
    EXPECT_EQ(FindEmulator(EmuDir()), EmuDir() + "korb.exe") << "the exact name first";
}

TEST_F(EmulatorFolderTest, AFolderWithItsOwnSettingsIsAnEmulatorFolder)
{
    m_emu.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\n");
    EXPECT_TRUE(IsEmulatorFolder(EmuDir()));
    EXPECT_EQ(FolderOf("/a/b/korb.exe"), "/a/b/");
    EXPECT_EQ(FolderOf("korb.exe"), "./");
}

TEST_F(EmulatorFolderTest, StartedInsideAnEmulatorFolderItStaysThere)
{
    MakeEmulator();
    const TFolderDecision decision = ChooseEmulatorFolder(EmuDir(), {m_start.Dir()}, m_dialogs);
    EXPECT_EQ(decision.Source, TFolderSource::StartFolder);
    EXPECT_EQ(decision.Folder, EmuDir());
    EXPECT_TRUE(m_dialogs.OpenFileRequests.empty());
}

TEST_F(EmulatorFolderTest, StartedElsewhereItGoesToTheRememberedFolder)
{
    MakeEmulator();
    const TFolderDecision decision = ChooseEmulatorFolder(m_start.Dir(), {EmuDir()}, m_dialogs);
    EXPECT_EQ(decision.Source, TFolderSource::Remembered);
    EXPECT_EQ(decision.Folder, EmuDir());
    EXPECT_TRUE(m_dialogs.OpenFileRequests.empty());
    EXPECT_TRUE(m_dialogs.Messages.empty());
}

TEST_F(EmulatorFolderTest, AGoneOrReplacedRememberedFolderAsksForTheEmulator)
{
    MakeEmulator();
    const std::string gone = m_config.Dir() + "media/gone/";
    const std::string file = m_config.WriteFile("replaced", "a file now") + "/";
    const std::string empty = m_config.Dir();
    for (const std::string& remembered : {gone, file, empty}) {
        m_dialogs = TFakeDialogs();
        m_dialogs.OpenFileResult = EmuDir() + "korb.exe";
        const TFolderDecision decision = ChooseEmulatorFolder(m_start.Dir(), {remembered}, m_dialogs);
        EXPECT_EQ(decision.Source, TFolderSource::Picked) << remembered;
        EXPECT_EQ(decision.Folder, EmuDir());
        ASSERT_EQ(m_dialogs.OpenFileRequests.size(), 1u);
        EXPECT_EQ(m_dialogs.OpenFileRequests[0].Title, "Please point to Korb.exe");
        EXPECT_EQ(m_dialogs.OpenFileRequests[0].InitialDir, remembered == empty ? empty : m_start.Dir());
    }
}

TEST_F(EmulatorFolderTest, PickingTheEmulatorInOtherLetterCaseIsAccepted)
{
    MakeEmulator("Korb.exe");
    m_dialogs.OpenFileResult = EmuDir() + "Korb.exe";
    const TFolderDecision decision = ChooseEmulatorFolder(m_start.Dir(), {}, m_dialogs);
    EXPECT_EQ(decision.Source, TFolderSource::Picked);
    EXPECT_TRUE(m_dialogs.Messages.empty());
}

TEST_F(EmulatorFolderTest, ACancelledQuestionShowsTheMessageAndWritesNothing)
{
    TRecentFolders recent(ConfigDir());
    recent.Load();
    const TFolderDecision decision = ChooseEmulatorFolder(m_start.Dir(), recent.Folders(), m_dialogs);
    EXPECT_EQ(decision.Source, TFolderSource::Cancelled);
    EXPECT_FALSE(EnterFolder(decision, m_dialogs));
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, kMissingEmulator);
    EXPECT_EQ(m_dialogs.Messages[0].Caption, "Error");
    EXPECT_EQ(m_dialogs.Messages[0].Buttons, std::vector<TMsgButton>{TMsgButton::Cancel});
    EXPECT_TRUE(Tree(m_start.Path()).empty());
    EXPECT_TRUE(Tree(m_config.Path()).empty());
    EXPECT_EQ(fs::current_path(), m_start.Path());
}

TEST_F(EmulatorFolderTest, APickedFileWithoutTheEmulatorBesideItIsNamedInTheMessage)
{
    m_dialogs.OpenFileResult = EmuDir() + "other.exe";
    EXPECT_EQ(ChooseEmulatorFolder(m_start.Dir(), {}, m_dialogs).Source, TFolderSource::Cancelled);
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text,
              "File not found: " + EmuDir() + "korb.exe\rThis file is needed by VantorKorb.");
}

TEST_F(EmulatorFolderTest, RememberedFoldersKeepTheLastFiveMostRecentFirst)
{
    std::vector<std::string> folders;
    {
        TRecentFolders recent(ConfigDir());
        for (int i = 1; i <= 7; ++i) {
            folders.push_back("/media/emu" + std::to_string(i) + "/");
            ASSERT_TRUE(recent.Remember("/media/emu" + std::to_string(i)));
        }
        ASSERT_TRUE(recent.Remember("/media/emu5/"));
    }
    TRecentFolders again(ConfigDir());
    again.Load();
    EXPECT_EQ(again.Folders(),
              (std::vector<std::string>{folders[4], folders[6], folders[5], folders[3], folders[2]}));
    EXPECT_EQ(again.FilePath(), ConfigDir() + "EmulatorFolders.ini");
    EXPECT_TRUE(fs::is_regular_file(again.FilePath()));
    EXPECT_FALSE(again.Remember("relative/folder")) << "only absolute folders are kept";
}

TEST_F(EmulatorFolderTest, ADamagedFolderFileGivesFewerFoldersNeverAnError)
{
    const std::string path = ConfigDir() + "EmulatorFolders.ini";
    const std::string binary("\x00\xff\x1b[Folders]\x00\n1=\x01/x\n\x89PNG", 20);
    const std::string cases[] = {
        "",
        binary,
        "[Folders]\n1=relative\n2=/ok/\n3=/ok\n4=/a\tb\n",
        "[Folders]\n1=/first\n" + std::string(100 * 1024, 'x'),
        "[Folders]\n1=/" + std::string(10000, 'a') + "\n",
    };
    const std::vector<std::vector<std::string>> expected = {{}, {}, {"/ok/"}, {}, {}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        m_config.WriteFile("vantorkorb/EmulatorFolders.ini", cases[i]);
        TRecentFolders recent(ConfigDir());
        recent.Load();
        EXPECT_EQ(recent.Folders(), expected[i]) << "case " << i;
        EXPECT_TRUE(recent.Remember(EmuDir())) << "case " << i;
        recent.Load();
        EXPECT_EQ(recent.Folders().front(), EmuDir());
    }
}

TEST_F(EmulatorFolderTest, AnUnwritableConfigurationPlaceIsNotFatal)
{
    m_config.WriteFile("vantorkorb", "a file where the folder should be");
    TRecentFolders recent(ConfigDir());
    recent.Load();
    EXPECT_TRUE(recent.Folders().empty());
    EXPECT_FALSE(recent.Remember(EmuDir()));
    EXPECT_EQ(recent.Folders().front(), EmuDir()) << "kept for this session";
}

TEST_F(EmulatorFolderTest, StartInAnEmptyFolderRunsInTheRememberedOneAndCreatesNothingWhereItStarted)
{
    MakeEmulator();
    TRecentFolders recent(ConfigDir());
    ASSERT_TRUE(recent.Remember(EmuDir()));
    recent.Load();
    const TFolderDecision decision = ChooseEmulatorFolder(m_start.Dir(), recent.Folders(), m_dialogs);
    ASSERT_TRUE(EnterFolder(decision, m_dialogs));

    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Paths().AppDir, EmuDir());
    ASSERT_EQ(startup.Catalogue().Count(), 2);
    EXPECT_EQ(Installed(startup, "pacman"), 1);
    EXPECT_EQ(Installed(startup, "galaga"), 0);
    startup.SaveSequence();

    EXPECT_TRUE(Tree(m_start.Path()).empty());
    EXPECT_TRUE(fs::is_regular_file(m_emu.Path() / "Vantorkorb.ini"));
    EXPECT_TRUE(fs::is_directory(m_emu.Path() / "IniFiles"));
    EXPECT_TRUE(m_dialogs.Messages.empty());
}

TEST_F(EmulatorFolderTest, FirstStartWithNothingRememberedPutsEverythingInThePickedFolder)
{
    MakeEmulator();
    m_dialogs.OpenFileResult = EmuDir() + "korb.exe";
    TRecentFolders recent(ConfigDir());
    recent.Load();
    ASSERT_TRUE(EnterFolder(ChooseEmulatorFolder(m_start.Dir(), recent.Folders(), m_dialogs), m_dialogs));
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(startup.Paths().EmuDir, "./") << "the emulator lies in the working directory";
    EXPECT_EQ(m_dialogs.OpenFileRequests.size(), 1u) << "asked once, not again by the load";
    startup.SaveSequence();
    EXPECT_TRUE(Tree(m_start.Path()).empty());
    EXPECT_TRUE(fs::is_regular_file(m_emu.Path() / "listinfo.txt"));
    EXPECT_TRUE(fs::is_regular_file(m_emu.Path() / "Vantorkorb.ini"));
}

TEST_F(EmulatorFolderTest, TheLoadFindsAnEmulatorPickedInOtherLetterCase)
{
    m_emu.WriteFile("Korb.exe", "x");
    m_emu.WriteFile("README.TXT", kReadme);
    m_dialogs.OpenFileResult = EmuDir() + "Korb.exe";
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    EXPECT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_TRUE(m_dialogs.Messages.empty()) << m_dialogs.Messages.front().Text;
    EXPECT_EQ(startup.Paths().EmuExe, EmuDir() + "Korb.exe");
    EXPECT_EQ(startup.Paths().ReadmePath, EmuDir() + "README.TXT");
    EXPECT_EQ(startup.Catalogue().Count(), 2);
}

TEST_F(EmulatorFolderTest, SwitchingSavesTheOldFolderAndLoadsTheNewOne)
{
    m_start.WriteFile("korb.exe", "x");
    m_start.WriteFile("Readme.txt", kReadme);
    MakeEmulator();
    ScriptListing();
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    ASSERT_TRUE(fs::exists(m_start.Path() / "batch.sh"));

    ScriptListing();
    EXPECT_EQ(SwitchEmulatorFolder(startup, EmuDir(), m_dialogs), TLoadOutcome::Loaded);
    EXPECT_TRUE(fs::is_regular_file(m_start.Path() / "Vantorkorb.ini")) << "saved as on close";
    EXPECT_FALSE(fs::exists(m_start.Path() / "batch.sh"));
    EXPECT_EQ(fs::current_path(), fs::path(EmuDir()).parent_path());
    EXPECT_EQ(startup.Paths().AppDir, EmuDir());
    EXPECT_EQ(Installed(startup, "pacman"), 1);

    EXPECT_FALSE(SwitchEmulatorFolder(startup, m_config.Dir(), m_dialogs)) << "no emulator there";
    EXPECT_EQ(m_dialogs.Messages.back().Text, "No emulator found in " + m_config.Dir());
    EXPECT_EQ(startup.Paths().AppDir, EmuDir());
}

TEST_F(EmulatorFolderTest, OneProgramPerFolderWhicheverWayTheFolderIsNamed)
{
    MakeEmulator();
    const std::string locks = m_config.Dir() + "locks";
    fs::create_directory_symlink(m_emu.Path(), m_config.Path() / "link");
    {
        TFolderLock first(locks);
        ASSERT_TRUE(EnterFolder({TFolderSource::StartFolder, EmuDir()}, m_dialogs, &first));
        TFolderLock second(locks);
        EXPECT_FALSE(EnterFolder({TFolderSource::Remembered, m_config.Dir() + "link/"}, m_dialogs, &second));
        ASSERT_EQ(m_dialogs.Messages.size(), 1u);
        EXPECT_EQ(m_dialogs.Messages[0].Text,
                  "VantorKorb is already running in " + m_config.Dir() +
                      "link/\rClose it first, or choose another emulator folder.");
        EXPECT_TRUE(second.Acquire(m_start.Dir())) << "another folder is free";
    }
    TFolderLock after(locks);
    EXPECT_TRUE(after.Acquire(EmuDir())) << "released with its holder";
}
