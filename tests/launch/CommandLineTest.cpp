#include "launch/CommandLine.h"

#include <functional>

#include <gtest/gtest.h>

#include "catalogue/GameSettingsFiles.h"
#include "support/TempDir.h"

namespace {
// What loading gives when no settings file exists.
TGameSettingsObject Defaults()
{
    TTempDir dir;
    TGameSettingsObject settings;
    LoadSettings(settings, dir.Dir(), "Default");
    return settings;
}

struct TOptionRow
{
    const char* Name;
    std::function<void(TGameSettingsObject&)> Change;
    const char* Expected;
};

class EmuOptionRows : public testing::TestWithParam<TOptionRow>
{
};

TEST_P(EmuOptionRows, OneSettingAwayFromTheDefault)
{
    TGameSettingsObject settings = Defaults();
    GetParam().Change(settings);
    EXPECT_EQ(EmuOptions(settings), GetParam().Expected);
}

// The defaults alone give " -vsync -nojoy -ppro".
INSTANTIATE_TEST_SUITE_P(
    Settings, EmuOptionRows,
    testing::Values(
        TOptionRow{"Defaults", [](TGameSettingsObject&) {}, " -vsync -nojoy -ppro"},
        TOptionRow{"Vertical", [](auto& s) { s.VerticalDisplay = true; }, " -vert -vsync -nojoy -ppro"},
        TOptionRow{"NoVsync", [](auto& s) { s.Vsync = false; }, " -nojoy -ppro"},
        TOptionRow{"ScanLines", [](auto& s) { s.ScanLines = true; }, " -vsync -scanlines -nojoy -ppro"},
        TOptionRow{"Resolution", [](auto& s) { s.Resolution = "640x480"; },
                   " -vsync -res 640x480 -nojoy -ppro"},
        TOptionRow{"LowerCaseDefault", [](auto& s) { s.Resolution = "default"; },
                   " -vsync -res default -nojoy -ppro"},
        TOptionRow{"EmptyResolution", [](auto& s) { s.Resolution = ""; }, " -vsync -res  -nojoy -ppro"},
        TOptionRow{"Gamma15", [](auto& s) { s.GammaCorrection = 15; }, " -vsync -gamma 1.5 -nojoy -ppro"},
        TOptionRow{"Gamma5", [](auto& s) { s.GammaCorrection = 5; }, " -vsync -gamma 0.5 -nojoy -ppro"},
        TOptionRow{"Gamma20", [](auto& s) { s.GammaCorrection = 20; }, " -vsync -gamma 2.0 -nojoy -ppro"},
        TOptionRow{"Gamma0", [](auto& s) { s.GammaCorrection = 0; }, " -vsync -gamma 0.0 -nojoy -ppro"},
        TOptionRow{"Gamma100", [](auto& s) { s.GammaCorrection = 100; }, " -vsync -gamma 10.0 -nojoy -ppro"},
        TOptionRow{"NegativeGamma", [](auto& s) { s.GammaCorrection = -15; },
                   " -vsync -gamma -1.5 -nojoy -ppro"},
        TOptionRow{"SmallNegativeGamma", [](auto& s) { s.GammaCorrection = -5; },
                   " -vsync -gamma -0.5 -nojoy -ppro"},
        TOptionRow{"LowestGamma", [](auto& s) { s.GammaCorrection = INT32_MIN; },
                   " -vsync -gamma -214748364.8 -nojoy -ppro"},
        TOptionRow{"SamplingRate", [](auto& s) { s.SamplingRate = "22050"; },
                   " -vsync -r 22050 -nojoy -ppro"},
        TOptionRow{"EmptySamplingRate", [](auto& s) { s.SamplingRate = ""; }, " -vsync -r  -nojoy -ppro"},
        TOptionRow{"QuickFire2And4",
                   [](auto& s) {
                       s.QuickFire2 = true;
                       s.QuickFire4 = true;
                   },
                   " -vsync -qf 2 -qf 4 -nojoy -ppro"},
        TOptionRow{"Joystick", [](auto& s) { s.Joystick = true; }, " -vsync -ppro"},
        TOptionRow{"NoPpro", [](auto& s) { s.PproOptimized = false; }, " -vsync -nojoy"},
        TOptionRow{"PerfCounter", [](auto& s) { s.PerfCounter = true; }, " -vsync -nojoy -ppro -perf"},
        TOptionRow{"FrameSkip", [](auto& s) { s.FrameSkip = "2"; }, " -vsync -nojoy -ppro -skip 2"},
        TOptionRow{"EmptyFrameSkip", [](auto& s) { s.FrameSkip = ""; }, " -vsync -nojoy -ppro -skip "},
        TOptionRow{"InterruptRate0", [](auto& s) { s.InterruptRate = 0; }, " -vsync -nojoy -ppro -int 0"},
        TOptionRow{"InterruptRate55", [](auto& s) { s.InterruptRate = 55; }, " -vsync -nojoy -ppro -int 55"},
        TOptionRow{"NegativeCpu", [](auto& s) { s.V30CpuClock = -4; }, " -vsync -nojoy -ppro -cpu -4"},
        TOptionRow{"Cpu0", [](auto& s) { s.V30CpuClock = 0; }, " -vsync -nojoy -ppro -cpu 0"}),
    [](const testing::TestParamInfo<TOptionRow>& info) { return std::string(info.param.Name); });

TEST(EmuOptions, EverySettingActiveGivesSixteenOptionsInTableOrder)
{
    TGameSettingsObject s;
    s.VerticalDisplay = s.Vsync = s.ScanLines = true;
    s.Resolution = "640x480";
    s.GammaCorrection = 12;
    s.SamplingRate = "44100";
    s.QuickFire1 = s.QuickFire2 = s.QuickFire3 = s.QuickFire4 = true;
    s.Joystick = false;
    s.PproOptimized = s.PerfCounter = true;
    s.FrameSkip = "3";
    s.InterruptRate = 50;
    s.V30CpuClock = 16;
    EXPECT_EQ(EmuOptions(s),
              " -vert -vsync -scanlines -res 640x480 -gamma 1.2 -r 44100 -qf 1 -qf 2 -qf 3 -qf 4"
              " -nojoy -ppro -perf -skip 3 -int 50 -cpu 16");
}

class BuildEmuCommandLineTest : public testing::Test
{
protected:
    TGameObject Game(const std::string& zipName, int installState = 1) const
    {
        TGameObject game;
        game.ZipName = zipName;
        game.InstallState = installState;
        return game;
    }

    TTempDir m_dir;
};

TEST_F(BuildEmuCommandLineTest, WithoutAnySettingsFileTheDefaultsAreUsed)
{
    EXPECT_EQ(BuildEmuCommandLine(Game("xyz"), m_dir.Dir()), "xyz -vsync -nojoy -ppro");
}

TEST_F(BuildEmuCommandLineTest, OwnFileIsReadAfresh)
{
    TGameSettingsObject settings = Defaults();
    settings.Resolution = "800x600";
    settings.GammaCorrection = 12;
    settings.QuickFire2 = true;
    SaveSettings(settings, m_dir.Dir(), "xyz");
    EXPECT_EQ(BuildEmuCommandLine(Game("xyz"), m_dir.Dir()),
              "xyz -vsync -res 800x600 -gamma 1.2 -qf 2 -nojoy -ppro");
    settings.Vsync = false;
    SaveSettings(settings, m_dir.Dir(), "xyz");
    EXPECT_EQ(BuildEmuCommandLine(Game("xyz"), m_dir.Dir()),
              "xyz -res 800x600 -gamma 1.2 -qf 2 -nojoy -ppro");
}

TEST_F(BuildEmuCommandLineTest, GameWithoutOwnFileTakesTheDefaultSettingsFile)
{
    TGameSettingsObject settings = Defaults();
    settings.Resolution = "320x240";
    SaveSettings(settings, m_dir.Dir(), "Default");
    EXPECT_EQ(BuildEmuCommandLine(Game("abc", 2), m_dir.Dir()), "abc -vsync -res 320x240 -nojoy -ppro");
}

TEST_F(BuildEmuCommandLineTest, StoredTextsAreCutBeforeTheComparison)
{
    m_dir.WriteFile("abc.ini", "[abc]\r\nResolution=1024x768yy\r\nFrameSkip=03\r\n");
    EXPECT_EQ(BuildEmuCommandLine(Game("abc"), m_dir.Dir()), "abc -vsync -res 1024x768 -nojoy -ppro");
}

TEST_F(BuildEmuCommandLineTest, GameNotInstalledGivesNothing)
{
    EXPECT_EQ(BuildEmuCommandLine(Game("abc", 0), m_dir.Dir()), "");
}
} // namespace
