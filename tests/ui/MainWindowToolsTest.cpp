// The commands that hand work to the report and the zipped rom paths dialog.
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"

namespace fs = std::filesystem;

TEST_F(TMainWindowTest, ReportNeededStuffWritesTheReportAndOpensIt)
{
    AddGames({{"abc", "Alpha Beta", 0}, {"xyz", "Xylophone", 1}});
    Click("MSReportNeeded");
    ASSERT_TRUE(fs::exists(Dir().Path() / "needed.txt"));
    EXPECT_NE(Dir().ReadFile("needed.txt").find("Alpha Beta"), std::string::npos);
    ASSERT_EQ(Shell.Opened.size(), 1u);
    EXPECT_EQ(fs::path(Shell.Opened[0]).filename(), "needed.txt");
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(TMainWindowTest, ZippedRompathsAreCheckedForGamesAfterTheDialogEvenWhenCancelled)
{
    AddGames({{"abc", "Alpha Beta", 0}});
    int shown = 0;
    // The dialog "adds" a folder by the archive appearing; a cancelled one changes nothing else.
    QObject::connect(Window.get(), &TMain::ZipRomPathsRequested, [&] {
        ++shown;
        Dir().WriteFile("ziproms/abc.zip", "PK");
    });
    Click("MenuSetAlternativeRompath");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Startup->Catalogue().At(0).InstallState, 1);
}
