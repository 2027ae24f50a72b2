// The archive dates the list shows: read again at each fill while the Details style or a date sort uses
// them, except right after a detection of the whole catalogue, which has just read them. Otherwise they
// are read only when that style or that sort is chosen.
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

// The text of the game's Zipdate cell.
std::string ShownZipDate(TMain& window, const std::string& zipName)
{
    TGameListModel& model = window.Model();
    const int row = model.RowOf(&Game(window.Startup(), zipName));
    EXPECT_GE(row, 0) << zipName;
    const QModelIndex cell = model.index(row, static_cast<int>(TListColumn::ZipDate));
    return model.data(cell, Qt::DisplayRole).toString().toStdString();
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
    void WriteViewSettings(const std::string& view)
    {
        Dir().WriteFile("Vantorkorb.ini", "[View]\r\n" + view);
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
    Click("MSIconsDetails");
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
    Click("MSIconsDetails");
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
    WriteViewSettings("Large=0\r\nDetails=1\r\n");
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

TEST_F(TMainWindowTest, IconStylesReadNoDateUntilDetailsIsChosen)
{
    AddGames({{"alpha", "Alpha", kInstalled, 3}, {"beta", "Beta", kInstalled, 9}});
    UpdateInstallStates(Startup->Catalogue(), Startup->ZipRomPaths());
    const std::string detected = Game(*Startup, "alpha").ZipDate;
    Window->FillGameList();
    WriteArchive("alpha", 40);
    std::filesystem::remove(Dir().Path() / "ziproms/beta.zip");
    // Neither a fill, another icon style nor a detection in them reads a date.
    Window->FillGameList();
    Click("MSIconsSmall");
    Click("MSIconsList");
    Click("MenuCheckForInstalledGames");
    EXPECT_EQ(Game(*Startup, "beta").InstallState, kNotInstalled);
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, detected);
    EXPECT_NE(Game(*Startup, "beta").ZipDate, "");
    Click("MSIconsDetails");
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
    EXPECT_NE(Game(*Startup, "alpha").ZipDate, detected);
    EXPECT_EQ(ShownZipDate(*Window, "alpha"), DateOf("ziproms/alpha.zip"));
    EXPECT_EQ(ShownZipDate(*Window, "beta"), "");
    // Back in an icon style, a fill reads nothing again; Details once more shows the dates of its moment.
    Click("MSIconsLarge");
    WriteArchive("alpha", 80);
    Window->FillGameList();
    EXPECT_NE(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
    Click("MSIconsDetails");
    EXPECT_EQ(ShownZipDate(*Window, "alpha"), DateOf("ziproms/alpha.zip"));
}

TEST_F(TMainWindowTest, ASortByDateInIconsOrdersByTheDatesOnDiskNow)
{
    AddGames({{"a", "A", kInstalled, 10}, {"b", "B", kInstalled, 20}, {"c", "C", kInstalled, 30}});
    UpdateInstallStates(Startup->Catalogue(), Startup->ZipRomPaths());
    Window->FillGameList();
    WriteArchive("a", 50);
    WriteArchive("b", 5);
    Window->FillGameList();
    // Oldest first: the dates read at the detection would give c, b, a.
    Click("MenuSortbyZipdate");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"a", "c", "b"}));
    // Sorted by date, every fill reads them.
    WriteArchive("c", 70);
    Window->FillGameList();
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"c", "a", "b"}));
    // The column header's sort reads dates a fill by name skipped.
    Click("MSSortbyName");
    WriteArchive("b", 90);
    Window->FillGameList();
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"a", "b", "c"}));
    Window->GameListColumnClick(static_cast<int>(TListColumn::ZipDate));
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"b", "c", "a"}));
}

TEST_F(TZipDatesStartupTest, AStartInIconsSortedByNameReadsNoDateUntilDetailsIsChosen)
{
    ScriptListingRun();
    Window->FormCreate();
    ASSERT_FALSE(Window->MustEnd());
    EXPECT_EQ(Game(*Startup, "beta").InstallState, kInstalled);
    EXPECT_EQ(Game(*Startup, "beta").ZipDate, "");
    Click("MSIconsDetails");
    EXPECT_EQ(ShownZipDate(*Window, "beta"), DateOf("ziproms/beta.zip"));
}

TEST_F(TZipDatesStartupTest, DetailsAtStartShowsTheDates)
{
    WriteViewSettings("Large=0\r\nDetails=1\r\n");
    ScriptListingRun();
    Window->FormCreate();
    ASSERT_EQ(Window->ViewState().ListStyle, TListStyle::Details);
    EXPECT_EQ(ShownZipDate(*Window, "beta"), DateOf("ziproms/beta.zip"));
    EXPECT_EQ(ShownZipDate(*Window, "alpha"), "");
}

TEST_F(TZipDatesStartupTest, ADateSortAtStartOrdersByTheRealDates)
{
    WriteArchive("alpha", 5);
    WriteViewSettings("Sort=2\r\n");
    ScriptListingRun();
    Window->FormCreate();
    ASSERT_EQ(Window->ViewState().ListStyle, TListStyle::LargeIcons);
    // By name alpha comes first; beta's archive is the older.
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"beta", "alpha"}));
    EXPECT_EQ(Game(*Startup, "alpha").ZipDate, DateOf("ziproms/alpha.zip"));
}
