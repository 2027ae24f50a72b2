// The main settings file: its exact written form, colours, defaults and the values it refuses.
#include "app/MainSettings.h"

#include <string>

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "base/SettingsFile.h"
#include "support/TempDir.h"

namespace {

const char* const kDefaultFile =
    "[VantorKorb]\r\nVersion=0.33.8\r\nEmuExeDate=1900-01-09\r\nEmuExePath=./\r\n"
    "ZipRomPath0=\r\nZipRomPath1=\r\nZipRomPath2=\r\n\r\n"
    "[View]\r\nInstalled=0\r\nUnInstalled=0\r\nAll=1\r\nLarge=1\r\nSmall=0\r\nList=0\r\n"
    "Details=0\r\nHotTracking=1\r\nStatBar=1\r\nTabSheet=1\r\nSort=0\r\n\r\n"
    "[GameList]\r\nFontType=Arial\r\nFontSize=9\r\nFgColor=clWindowText\r\nFontStyle=0\r\n"
    "BgColor=clWindow\r\n\r\n"
    "[Window]\r\nState=0\r\nWidth=600\r\nHeight=400\r\nGLPWidth=185\r\nLGLPos=0\r\n\r\n"
    "[Screenshot]\r\nOriginal=0\r\nScaled=1\r\nStretched=0\r\nTimer=2\r\nTitle=1\r\n"
    "Flyer=1\r\nCabinet=1\r\nGame=1\r\nShowName=1\r\nShowControls=1\r\nPlay=1\r\n\r\n"
    "[Sound]\r\nMusic=1\r\nSamples=0\r\nNone=0\r\n\r\n"
    "[Columns]\r\nName=160\r\nZipName=70\r\nZipdate=110\r\n\r\n";

TMainSettingsRecord Changed()
{
    TMainSettingsRecord r;
    r.EmuExeDate = *ParseDateTime("2023-07-01 08:09:10");
    r.EmuExePath = "/opt/korb/";
    r.ZipRomPath[0] = "/mnt/a/";
    r.ZipRomPath[2] = "/mnt/c d/";
    r.Installed = true;
    r.All = false;
    r.Large = false;
    r.Details = true;
    r.HotTracking = false;
    r.Sort = 2;
    r.FontType = "DejaVu Sans";
    r.FontSize = 12;
    r.FgColor = 0x00123456;
    r.FontStyle = 5;
    r.BgColor = 0x0000FF;
    r.State = 2;
    r.Width = 1024;
    r.Height = 768;
    r.GLPWidth = 250;
    r.LGLPos = 17;
    r.Stretched = true;
    r.Scaled = false;
    r.Timer = 0;
    r.Cabinet = false;
    r.Play = false;
    r.None = true;
    r.Music = false;
    r.ColName = -1;
    r.ColZipName = -2;
    r.ColZipdate = 90;
    r.CurScrShots = {{"pacman", 3}, {"galaga", 0}};
    return r;
}

TEST(MainSettingsWrite, DefaultRecordByteForByte)
{
    TTempDir dir;
    SaveMainSettingsFile(dir.Dir() + "Vantorkorb.ini", TMainSettingsRecord());
    EXPECT_EQ(dir.ReadFile("Vantorkorb.ini"), kDefaultFile);
}

TEST(MainSettingsWrite, GamesFollowColumnsAndUnknownEntriesDisappear)
{
    TTempDir dir;
    const std::string path =
        dir.WriteFile("m.ini", "[Game0]\r\nVsync=1\r\n[VantorKorb]\r\nNumOfGames=1\r\nOwn=x\r\n");
    TMainSettingsRecord r;
    r.CurScrShots = {{"pacman", 3}, {"galaga", 1}};
    SaveMainSettingsFile(path, r);
    const std::string expected =
        std::string(kDefaultFile) + "[pacman]\r\nCurScrShot=3\r\n\r\n[galaga]\r\nCurScrShot=1\r\n\r\n";
    EXPECT_EQ(dir.ReadFile("m.ini"), expected);
}

TEST(MainSettingsRoundTrip, EveryValueComesBack)
{
    TTempDir dir;
    SaveMainSettingsFile(dir.Dir() + "a.ini", Changed());
    std::string problem;
    const TMainSettingsRecord in = ReadMainSettingsFile(dir.Dir() + "a.ini", &problem);
    EXPECT_EQ(problem, "");
    // Writing what was read gives the same file, so every value came back unchanged.
    SaveMainSettingsFile(dir.Dir() + "b.ini", in);
    EXPECT_EQ(dir.ReadFile("b.ini"), dir.ReadFile("a.ini"));
    EXPECT_NE(dir.ReadFile("a.ini"), kDefaultFile);
    EXPECT_EQ(in.State, 2);
    EXPECT_EQ(in.Width, 1024);
    EXPECT_EQ(in.FgColor, 0x00123456u);
    EXPECT_EQ(in.CurScrShots, Changed().CurScrShots);
}

TEST(MainSettingsRead, MissingFileGivesDefaults)
{
    TTempDir dir;
    const TMainSettingsRecord r = ReadMainSettingsFile(dir.Dir() + "absent.ini");
    EXPECT_EQ(r.EmuExeDate, kNeverDateTime);
    EXPECT_EQ(r.EmuExePath, "./");
    EXPECT_EQ(r.FgColor, kClWindowText);
    EXPECT_EQ(r.BgColor, kClWindow);
    EXPECT_TRUE(r.All && r.Large && r.Play && r.Music);
    EXPECT_EQ(r.Timer, 2);
    EXPECT_TRUE(r.CurScrShots.empty());
}

TEST(MainSettingsRead, OutOfRangeValuesTakeTheirDefaults)
{
    struct
    {
        const char* Section;
        const char* Key;
        const char* Text;
        int TMainSettingsRecord::*Field;
        int Expected;
    } const rows[] = {
        {"View", "Sort", "3", &TMainSettingsRecord::Sort, 0},
        {"View", "Sort", "-1", &TMainSettingsRecord::Sort, 0},
        {"View", "Sort", "2", &TMainSettingsRecord::Sort, 2},
        {"Window", "State", "3", &TMainSettingsRecord::State, 0},
        {"Window", "State", "1", &TMainSettingsRecord::State, 1},
        {"Window", "LGLPos", "-4", &TMainSettingsRecord::LGLPos, 0},
        {"Window", "LGLPos", "oops", &TMainSettingsRecord::LGLPos, 0},
        {"Columns", "Name", "-3", &TMainSettingsRecord::ColName, 160},
        {"Columns", "Name", "-2", &TMainSettingsRecord::ColName, -2},
        {"Columns", "ZipName", "-100", &TMainSettingsRecord::ColZipName, 70},
        {"Columns", "Zipdate", "-9", &TMainSettingsRecord::ColZipdate, 110},
        {"Screenshot", "Timer", "-1", &TMainSettingsRecord::Timer, 2},
        {"Screenshot", "Timer", "2147484", &TMainSettingsRecord::Timer, 2},
        {"Screenshot", "Timer", "2147483", &TMainSettingsRecord::Timer, 2147483},
        {"Screenshot", "Timer", "0", &TMainSettingsRecord::Timer, 0},
        {"GameList", "FontSize", "x", &TMainSettingsRecord::FontSize, 9},
    };
    for (const auto& row : rows) {
        TTempDir dir;
        const std::string path = dir.WriteFile("m.ini", std::string("[") + row.Section + "]\r\n" + row.Key +
                                                            "=" + row.Text + "\r\n");
        EXPECT_EQ(ReadMainSettingsFile(path).*row.Field, row.Expected) << row.Key << "=" << row.Text;
    }
}

TEST(MainSettingsColours, NamesAndHexBothWays)
{
    EXPECT_EQ(ColorToText(0x000000), "clBlack");
    EXPECT_EQ(ColorToText(0xFFFF00), "clAqua");
    EXPECT_EQ(ColorToText(0x80000000), "clScrollBar");
    EXPECT_EQ(ColorToText(0x80000018), "clInfoBk");
    EXPECT_EQ(ColorToText(0x1FFFFFFF), "clNone");
    EXPECT_EQ(ColorToText(0x00123456), "$00123456");
    EXPECT_EQ(ColorToText(0x80000019), "$80000019");
    EXPECT_EQ(ColorToText(0x00ABCDEF), "$00ABCDEF");
    for (uint32_t c :
         {0x00000000u, 0x00ABCDEFu, 0x80000008u, 0x80000019u, 0x1FFFFFFFu, 0xFFFFFFFFu, 0x0000FFu})
        EXPECT_EQ(ColorFromText(ColorToText(c)), c) << ColorToText(c);
    EXPECT_EQ(ColorFromText("CLWINDOW"), kClWindow);
    EXPECT_EQ(ColorFromText("clwindowtext"), kClWindowText);
    EXPECT_EQ(ColorFromText("255"), 255u);
    EXPECT_EQ(ColorFromText("0xFF00"), 0xFF00u);
    EXPECT_EQ(ColorFromText("clWindo"), std::nullopt);
    EXPECT_EQ(ColorFromText(""), std::nullopt);
}

TEST(MainSettingsColours, UnreadableColourIsReportedAndDefaulted)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("m.ini", "[GameList]\r\nFgColor=purple\r\nBgColor=clRed\r\n"
                                                    "FontSize=14\r\n[g]\r\nCurScrShot=4\r\n");
    std::string problem;
    const TMainSettingsRecord r = ReadMainSettingsFile(path, &problem);
    EXPECT_EQ(problem, "'purple' is not a valid integer value");
    EXPECT_EQ(r.FgColor, kClWindowText);
    EXPECT_EQ(r.BgColor, 0x0000FFu);
    EXPECT_EQ(r.FontSize, 14);
    ASSERT_EQ(r.CurScrShots.size(), 1u);
    EXPECT_EQ(r.CurScrShots[0].second, 4);
}

TEST(MainSettingsRead, FirstSectionOfAGameAnswers)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("m.ini", "[Pac]\r\nCurScrShot=1\r\n[pac]\r\nCurScrShot=2\r\n"
                                                    "[nothing]\r\nOther=1\r\n");
    const TMainSettingsRecord r = ReadMainSettingsFile(path);
    ASSERT_EQ(r.CurScrShots.size(), 1u);
    EXPECT_EQ(r.CurScrShots[0], (std::pair<std::string, int32_t>{"Pac", 1}));
}

TEST(MainSettingsMigration, OfferedOnlyForOldFiles)
{
    TTempDir dir;
    EXPECT_FALSE(NeedsScreenshotLayoutMigration(dir.Dir() + "absent.ini"));
    EXPECT_TRUE(
        NeedsScreenshotLayoutMigration(dir.WriteFile("old.ini", "[VantorKorb]\r\nEmuExePath=./\r\n")));
    EXPECT_FALSE(
        NeedsScreenshotLayoutMigration(dir.WriteFile("empty.ini", "[VantorKorb]\r\n[Screenshot]\r\n")));
    const std::string saved = dir.Dir() + "new.ini";
    SaveMainSettingsFile(saved, TMainSettingsRecord());
    EXPECT_FALSE(NeedsScreenshotLayoutMigration(saved));
}

} // namespace
