// The archive dates the list shows: read again at each fill, except right after a detection of the
// whole catalogue, which has just read them.
#include <filesystem>
#include <string>

#include "base/DateTimeText.h"
#include "catalogue/InstalledGames.h"
#include "ui/MainWindowFixture.h"

namespace {
std::string DateOf(const std::string& path)
{
    return FormatDateTime(*FileModificationTime(path));
}

const TGameObject& Game(TStartup& startup, const std::string& zipName)
{
    return startup.Catalogue().At(startup.Catalogue().IndexOf(zipName));
}

class TZipDatesStartupTest : public TMainWindowTest
{
protected:
    void SetUp() override
    {
        Dir().WriteFile("korb.exe", "#!/bin/sh\n");
        Dir().WriteFile("Readme.txt",
                        "Readme\r\nName         Internal name\r\nALPHA ONE   alpha\r\nBeta Two   beta\r\n");
        WriteArchive("beta", 9);
    }
    void ScriptListingRun()
    {
        TFakeProcesses::TOutcome outcome;
        outcome.OnRun = [this] {
            Dir().WriteFile("KorbVantor.txt", "Korb\r\nSupported games:\r\nalpha beta\r\n");
        };
        Processes.Outcomes.push_back(outcome);
    }
};
} // namespace

TEST_F(TMainWindowTest, AFillRightAfterADetectionKeepsItsDatesAndALaterFillReadsThemAgain)
{
    AddGames({{"alpha", "Alpha", kInstalled, 3}});
    UpdateInstallStates(Startup->Catalogue(), Startup->ZipRomPaths());
    const std::string detected = Game(*Startup, "alpha").ZipDate;
    ASSERT_EQ(detected, DateOf("ziproms/alpha.zip"));
    WriteArchive("alpha", 40);
    Window->FillGameList(TMain::TZipDates::JustDetected);
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, detected);
    Window->FillGameList();
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
    EXPECT_NE(Game(*Startup, "alpha").ZipDate, detected);
}

TEST_F(TMainWindowTest, CheckForInstalledGamesShowsTheArchivesAsTheyAreNow)
{
    AddGames({{"alpha", "Alpha", kNotInstalled}, {"beta", "Beta", kInstalled, 2}});
    Window->FillGameList();
    WriteArchive("alpha", 5);
    WriteArchive("beta", 60);
    Click("MenuCheckForInstalledGames");
    EXPECT_EQ(Game(*Startup, "alpha").InstallState, kInstalled);
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
    EXPECT_EQ(Game(*Startup, "beta").ZipDate, DateOf("ziproms/beta.zip"));
}

TEST_F(TZipDatesStartupTest, TheFirstFillAndAReloadShowTheDatesTheirDetectionRead)
{
    ScriptListingRun();
    Window->FormCreate();
    ASSERT_FALSE(Window->MustEnd());
    EXPECT_EQ(Game(*Startup, "beta").ZipDate, DateOf("ziproms/beta.zip"));
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, "");
    WriteArchive("alpha", 20);
    WriteArchive("beta", 700);
    ScriptListingRun();
    Click("MenuCheckforSupportedgames");
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
    EXPECT_EQ(Game(*Startup, "beta").ZipDate, DateOf("ziproms/beta.zip"));
}
