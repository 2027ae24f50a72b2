// The creation and reload sequences of the window with the real start-up code in an emulator folder.
#include <filesystem>

#include <QPushButton>

#include "ui/MainWindowFixture.h"

namespace {
const char* const kReadme =
    "Readme\r\nName               Internal name\r\nALPHA ONE      alpha\r\nBeta Two   beta\r\n";
} // namespace

class TMainWindowStartupTest : public TMainWindowTest
{
protected:
    void SetUp() override
    {
        Dir().WriteFile("korb.exe", "#!/bin/sh\n");
        Dir().WriteFile("Readme.txt", kReadme);
        Dir().WriteFile("ziproms/beta.zip", "PK");
    }

    // Every listing run "prints" the two games into the output file.
    void ScriptListingRun()
    {
        TFakeProcesses::TOutcome outcome;
        outcome.OnRun = [this] {
            Dir().WriteFile("KorbVantor.txt", "Korb\r\nSupported games:\r\nalpha beta\r\n");
        };
        Processes.Outcomes.push_back(outcome);
    }
};

TEST_F(TMainWindowStartupTest, FormCreateLoadsTheCatalogueAndFillsTheList)
{
    ScriptListingRun();
    Window->FormCreate();
    EXPECT_FALSE(Window->MustEnd());
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [2 of 2 games]");
    EXPECT_EQ(Window->CurrentGame()->GameName, "Alpha One");
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(TMainWindowStartupTest, MissingReadmeEndsWithoutSaving)
{
    std::filesystem::remove(Dir().Path() / "Readme.txt");
    Window->FormCreate();
    EXPECT_TRUE(Window->MustEnd());
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    Window->close();
    EXPECT_FALSE(std::filesystem::exists(Dir().Path() / "Vantorkorb.ini"));
}

TEST_F(TMainWindowStartupTest, CheckForSupportedGamesKeepsStoredOptionsAndRereadsTheListing)
{
    ScriptListingRun();
    Window->FormCreate();
    Click("MSHotTracking");
    Click("MSIconsList");
    Window->GameListColumnClick(1);
    ASSERT_FALSE(Checked("MSHotTracking"));
    ScriptListingRun();
    Click("MenuCheckforSupportedgames");
    EXPECT_EQ(Processes.Starts.size(), 2u);
    EXPECT_FALSE(Checked("MSHotTracking"));
    EXPECT_TRUE(Checked("MSIconsList"));
    EXPECT_EQ(Window->SortColumn(), 1);
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [2 of 2 games]");
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->CurrentGame(), Window->Model().GameAt(0));
}

TEST_F(TMainWindowStartupTest, AFailedReloadLeavesAnEmptyListAndNoReleasedRecord)
{
    ScriptListingRun();
    Window->FormCreate();
    ASSERT_EQ(Window->Model().Count(), 2);
    // This time the listing run leaves no output: the import stops.
    Processes.Outcomes.push_back(TFakeProcesses::TOutcome{});
    Click("MenuCheckforSupportedgames");
    EXPECT_EQ(Window->Model().Count(), 0);
    EXPECT_EQ(Window->CurrentGame(), nullptr);
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    EXPECT_FALSE(Dialogs.Messages.empty());
}
