#include "catalogue/GameSettingsFiles.h"

#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {
class GameSettingsFiles : public testing::Test
{
protected:
    GameSettingsFiles() : m_iniDir(m_dir.Dir() + "IniFiles/") { fs::create_directory(m_iniDir); }

    TGameSettingsObject Load(const std::string& name) const
    {
        TGameSettingsObject settings;
        LoadSettings(settings, m_iniDir, name);
        return settings;
    }

    static TGameObject Game(const std::string& zipName)
    {
        TGameObject game;
        game.ZipName = zipName;
        return game;
    }

    std::set<std::string> FilesBelowTheTempDir() const
    {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.Path())) {
            files.insert(fs::relative(entry.path(), m_dir.Path()).string());
        }
        return files;
    }

    TTempDir m_dir;
    std::string m_iniDir;
};

void ExpectDefaults(const TGameSettingsObject& s)
{
    EXPECT_FALSE(s.VerticalDisplay);
    EXPECT_TRUE(s.Vsync);
    EXPECT_FALSE(s.ScanLines);
    EXPECT_EQ(s.Resolution, "Default");
    EXPECT_EQ(s.GammaCorrection, 10);
    EXPECT_EQ(s.SamplingRate, "Default");
    EXPECT_FALSE(s.Joystick);
    EXPECT_FALSE(s.QuickFire1 || s.QuickFire2 || s.QuickFire3 || s.QuickFire4);
    EXPECT_TRUE(s.PproOptimized);
    EXPECT_FALSE(s.PerfCounter);
    EXPECT_EQ(s.FrameSkip, "0");
    EXPECT_EQ(s.InterruptRate, 60);
    EXPECT_EQ(s.V30CpuClock, 12);
}

TGameSettingsObject Changed()
{
    TGameSettingsObject s;
    s.VerticalDisplay = true;
    s.Vsync = false;
    s.ScanLines = true;
    s.Resolution = "640x480";
    s.GammaCorrection = -3;
    s.SamplingRate = "22050";
    s.Joystick = true;
    s.QuickFire1 = true;
    s.QuickFire3 = true;
    s.PproOptimized = false;
    s.PerfCounter = true;
    s.FrameSkip = "2";
    s.InterruptRate = 55;
    s.V30CpuClock = 16;
    return s;
}

auto Fields(const TGameSettingsObject& s)
{
    return std::tie(s.VerticalDisplay, s.Vsync, s.ScanLines, s.Resolution, s.GammaCorrection, s.SamplingRate,
                    s.Joystick, s.QuickFire1, s.QuickFire2, s.QuickFire3, s.QuickFire4, s.PproOptimized,
                    s.PerfCounter, s.FrameSkip, s.InterruptRate, s.V30CpuClock);
}

void ExpectSame(const TGameSettingsObject& a, const TGameSettingsObject& b)
{
    EXPECT_TRUE(Fields(a) == Fields(b));
}

TEST_F(GameSettingsFiles, MissingFileGivesTheDefaults)
{
    ExpectDefaults(Load("abc"));
    ExpectDefaults(Load("Default"));
}

TEST_F(GameSettingsFiles, SaveThenLoadKeepsEveryField)
{
    SaveSettings(Changed(), m_iniDir, "abc");
    ExpectSame(Load("abc"), Changed());
    ExpectDefaults(Load("Default"));
}

TEST_F(GameSettingsFiles, SaveWritesTheSixteenKeysInOrderAndNothingElse)
{
    m_dir.WriteFile("IniFiles/abc.ini", "[Other]\r\nx=1\r\n[abc]\r\nStale=1\r\nVsync=0\r\n");
    SaveSettings(Changed(), m_iniDir, "abc");
    std::string text = m_dir.ReadFile("IniFiles/abc.ini");
    EXPECT_EQ(text.find("Other"), std::string::npos);
    EXPECT_EQ(text.find("Stale"), std::string::npos);
    EXPECT_EQ(text.rfind("[abc]", 0), 0u);
    size_t last = 0;
    for (const char* key :
         {"VerticalDisplay=1", "Vsync=0", "ScanLines=1", "Resolution=640x480", "GammaCorrection=-3",
          "SamplingRate=22050", "Joystick=1", "QuickFire1=1", "QuickFire2=0", "QuickFire3=1", "QuickFire4=0",
          "PproOptimized=0", "PerfCounter=1", "FrameSkip=2", "InterruptRate=55", "V30CpuClock=16"}) {
        size_t at = text.find(std::string("\n") + key + "\r");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST_F(GameSettingsFiles, LongTextsAreCutWhenRead)
{
    m_dir.WriteFile("IniFiles/abc.ini",
                    "[abc]\r\nResolution=1024x768xx\r\nSamplingRate=441000000\r\nFrameSkip=10\r\n");
    TGameSettingsObject settings = Load("abc");
    EXPECT_EQ(settings.Resolution, "1024x768");
    EXPECT_EQ(settings.SamplingRate, "44100000");
    EXPECT_EQ(settings.FrameSkip, "1");
    SaveSettings(settings, m_iniDir, "abc");
    EXPECT_NE(m_dir.ReadFile("IniFiles/abc.ini").find("Resolution=1024x768\r\n"), std::string::npos);
}

TEST_F(GameSettingsFiles, ForeignSectionOrBadValuesReadAsDefaults)
{
    m_dir.WriteFile("IniFiles/abc.ini", "[xyz]\r\nVsync=0\r\nGammaCorrection=15\r\n");
    ExpectDefaults(Load("abc"));
    m_dir.WriteFile("IniFiles/abc.ini", "[ABC]\r\nGammaCorrection=1.5\r\nVsync=\r\nInterruptRate=0x37\r\n");
    TGameSettingsObject settings = Load("abc");
    EXPECT_EQ(settings.GammaCorrection, 10);
    EXPECT_TRUE(settings.Vsync);
    EXPECT_EQ(settings.InterruptRate, 55);
}

TEST_F(GameSettingsFiles, OwnFileDecidesBetweenOwnAndDefaultSettings)
{
    TGameObject game = Game("abc");
    EXPECT_TRUE(UsesDefaultSettings(game, m_iniDir));
    EXPECT_EQ(EffectiveSettingsName(game, m_iniDir), "Default");
    SaveSettings(Changed(), m_iniDir, "abc");
    EXPECT_FALSE(UsesDefaultSettings(game, m_iniDir));
    EXPECT_EQ(EffectiveSettingsName(game, m_iniDir), "abc");
    SetUseDefaultSettings(game, m_iniDir, false);
    EXPECT_TRUE(fs::exists(m_iniDir + "abc.ini"));
    SetUseDefaultSettings(game, m_iniDir, true);
    EXPECT_FALSE(fs::exists(m_iniDir + "abc.ini"));
    EXPECT_EQ(EffectiveSettingsName(game, m_iniDir), "Default");
}

TEST_F(GameSettingsFiles, NamesThatWouldLeaveTheFolderAddressNoFile)
{
    // A settings file beside the folder that a "../" name would reach.
    m_dir.WriteFile("evil.ini", "[../evil]\r\nVsync=0\r\n[evil]\r\nVsync=0\r\n");
    m_dir.WriteFile("IniFiles/sub/x.ini", "[sub/x]\r\nVsync=0\r\n");
    const std::set<std::string> before = FilesBelowTheTempDir();
    for (const std::string& name :
         std::vector<std::string>{"../evil", "sub/x", "..", ".", "", "a\\b", std::string("evil\0x", 6)}) {
        ExpectDefaults(Load(name));
        SaveSettings(Changed(), m_iniDir, name);
        TGameObject game = Game(name);
        EXPECT_TRUE(UsesDefaultSettings(game, m_iniDir)) << name;
        EXPECT_EQ(EffectiveSettingsName(game, m_iniDir), "Default") << name;
        SetUseDefaultSettings(game, m_iniDir, true);
    }
    EXPECT_EQ(FilesBelowTheTempDir(), before);
    // Names that merely look odd are still names of their own.
    for (const char* name : {"..x", "x..", "Default"}) {
        SaveSettings(Changed(), m_iniDir, name);
        EXPECT_FALSE(UsesDefaultSettings(Game(name), m_iniDir)) << name;
    }
}

// The old layout kept every game's settings in the main settings file.
class LegacyMigration : public GameSettingsFiles
{
protected:
    std::string MainIni(const std::string& text) { return m_dir.WriteFile("Vantorkorb.ini", text); }
};

TEST_F(LegacyMigration, WritesDefaultAndOwnSettingsButSkipsGamesOnDefaults)
{
    const std::string text = "[VantorKorb]\r\nNumOfGames=3\r\n"
                             "[Game0]\r\nZipName=Default\r\nUseDefSettings=1\r\nResolution=800x600\r\n"
                             "[Game1]\r\nZipName=abc\r\nUseDefSettings=1\r\nVsync=0\r\n"
                             "[Game2]\r\nZipName=xyz\r\nUseDefSettings=0\r\nGammaCorrection=15\r\n"
                             "FrameSkip=34\r\nResolution=1280x1024z\r\n";
    std::string mainIni = MainIni(text);
    MigrateLegacySettings(mainIni, m_iniDir);
    EXPECT_EQ(Load("Default").Resolution, "800x600");
    EXPECT_FALSE(fs::exists(m_iniDir + "abc.ini"));
    TGameSettingsObject xyz = Load("xyz");
    EXPECT_EQ(xyz.GammaCorrection, 15);
    EXPECT_EQ(xyz.FrameSkip, "3");
    EXPECT_EQ(xyz.Resolution, "1280x102");
    EXPECT_TRUE(xyz.Vsync);
    EXPECT_EQ(m_dir.ReadFile("Vantorkorb.ini"), text);
    EXPECT_EQ(EffectiveSettingsName(Game("abc"), m_iniDir), "Default");

    // Once "Default.ini" exists the next start leaves the files alone.
    SaveSettings(Changed(), m_iniDir, "xyz");
    MigrateLegacySettings(mainIni, m_iniDir);
    ExpectSame(Load("xyz"), Changed());
}

TEST_F(LegacyMigration, WithoutAFilledGame0NothingIsMigrated)
{
    std::string mainIni = MainIni("[VantorKorb]\r\nNumOfGames=3\r\n[Game0]\r\n"
                                  "[Game1]\r\nZipName=abc\r\nUseDefSettings=0\r\n");
    MigrateLegacySettings(mainIni, m_iniDir);
    EXPECT_TRUE(fs::is_empty(m_iniDir));
    MigrateLegacySettings(m_dir.Dir() + "missing.ini", m_iniDir);
    EXPECT_TRUE(fs::is_empty(m_iniDir));
}

TEST_F(LegacyMigration, SectionWithoutZipNameGoesToTheErrorFile)
{
    std::string mainIni = MainIni("[VantorKorb]\r\nNumOfGames=2\r\n[Game0]\r\nV30CpuClock=8\r\n"
                                  "[Game1]\r\nZipName=abc\r\nUseDefSettings=0\r\n");
    MigrateLegacySettings(mainIni, m_iniDir);
    EXPECT_EQ(Load("error").V30CpuClock, 8);
    EXPECT_TRUE(fs::exists(m_iniDir + "abc.ini"));
}

TEST_F(LegacyMigration, OnlySectionsBelowTheCountAreRead)
{
    std::string mainIni = MainIni("[VantorKorb]\r\nNumOfGames=2\r\n[Game0]\r\nZipName=Default\r\n"
                                  "[game1]\r\nZipName=one\r\nUseDefSettings=0\r\n"
                                  "[Game01]\r\nZipName=padded\r\nUseDefSettings=0\r\n"
                                  "[Game2]\r\nZipName=two\r\nUseDefSettings=0\r\n");
    MigrateLegacySettings(mainIni, m_iniDir);
    EXPECT_TRUE(fs::exists(m_iniDir + "Default.ini"));
    EXPECT_TRUE(fs::exists(m_iniDir + "one.ini"));
    EXPECT_FALSE(fs::exists(m_iniDir + "padded.ini"));
    EXPECT_FALSE(fs::exists(m_iniDir + "two.ini"));
}

TEST_F(LegacyMigration, HugeCountStillFindsThePresentSectionsAndHostileNamesWriteNothing)
{
    std::string mainIni = MainIni("[VantorKorb]\r\nNumOfGames=2147483647\r\n[Game0]\r\nZipName=Default\r\n"
                                  "[Game2000000000]\r\nZipName=far\r\nUseDefSettings=0\r\n"
                                  "[Game7]\r\nZipName=../outside\r\nUseDefSettings=0\r\n");
    MigrateLegacySettings(mainIni, m_iniDir);
    EXPECT_TRUE(fs::exists(m_iniDir + "far.ini"));
    EXPECT_FALSE(fs::exists(m_dir.Dir() + "outside.ini"));
}
} // namespace
