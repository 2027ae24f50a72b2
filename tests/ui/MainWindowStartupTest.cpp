// The creation and reload sequences of the window with the real start-up code in an emulator folder.
#include <csignal>
#include <filesystem>

#include <QApplication>
#include <QPushButton>

#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"
#include "ui/SignalCloser.h"

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
    EXPECT_EQ(Window->SortColumn(), TListColumn::ZipName);
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
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [0 of 0 games]");
}

namespace {

// Sends the process a close signal and lets the event loop see it, as inside a modal box.
void SignalAndSpin()
{
    std::raise(SIGTERM);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

TEST_F(TMainWindowStartupTest, ASignalDuringAStartUpBoxActsOnceStartUpIsComplete)
{
    Dir().WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nZipRomPath0=/roms/\r\n[Screenshot]\r\nTitle=1\r\n");
    // One listed name is not in the readme: a box during the load.
    TFakeProcesses::TOutcome outcome;
    outcome.OnRun = [this] { Dir().WriteFile("KorbVantor.txt", "games:\r\nalpha beta gamma\r\n"); };
    Processes.Outcomes.push_back(outcome);
    TSignalCloser closer(*Window, Startup.get());
    bool scriptDuringBox = false;
    Dialogs.OnShow = [&](const TMessage&) {
        SignalAndSpin();
        scriptDuringBox = std::filesystem::exists(Dir().Path() / "batch.sh");
    };
    {
        const TSignalCloser::THold hold;
        Window->FormCreate();
        Window->show();
        EXPECT_TRUE(scriptDuringBox) << "the close ran in the middle of the load";
        EXPECT_EQ(closer.SignalsReceived(), 1);
        EXPECT_TRUE(closer.ClosePending());
        EXPECT_TRUE(Window->isVisible());
        EXPECT_EQ(Window->Model().Count(), 2);
    }
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(Dir().Path() / "batch.sh"));
    // Saved once, after the load: what was read is there, with the window's values.
    EXPECT_NE(Dir().ReadFile("Vantorkorb.ini").find("ZipRomPath0=/roms/\r\n"), std::string::npos);
    EXPECT_NE(Dir().ReadFile("Vantorkorb.ini").find("[alpha]\r\nCurScrShot="), std::string::npos);
}

TEST_F(TMainWindowStartupTest, AFailedSaveOnASignalGoesToStandardErrorNotToABox)
{
    ScriptListingRun();
    Window->FormCreate();
    Window->show();
    // A folder in place of the settings file cannot be replaced.
    std::filesystem::create_directory(Dir().Path() / "Vantorkorb.ini");
    TSignalCloser closer(*Window, Startup.get());
    Dialogs.Messages.clear();
    testing::internal::CaptureStderr();
    SignalAndSpin();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_NE(errors.find("Cannot create file"), std::string::npos) << errors;
}

TEST_F(TMainWindowStartupTest, StartStaysDisabledWhenTheCatalogueReloadsDuringDefaultSettings)
{
    ScriptListingRun();
    Window->FormCreate();
    Window->GameList().SelectRow(1);
    ASSERT_TRUE(Window->StartEmuButton().isEnabled());
    Click("MenuSetDefaultSettings");
    ScriptListingRun();
    Click("MenuCheckforSupportedgames");
    ASSERT_EQ(Window->Model().Count(), 2);
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "Default");
    const size_t runs = Processes.Starts.size();
    Window->StartEmuButtonClick();
    EXPECT_EQ(Processes.Starts.size(), runs);
}
