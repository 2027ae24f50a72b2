// The menus as the view state's face, the archive dates at each fill, the stored list position, and the
// Start button while default settings are edited.
#include <QPushButton>
#include <QStatusBar>

#include <stdexcept>

#include "base/DateTimeText.h"
#include "catalogue/InstalledGames.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"
#include "ui/SettingsPage.h"

namespace {
QString ShownZipDate(TMain& window, int row)
{
    return window.Model()
        .data(window.Model().index(row, static_cast<int>(TListColumn::ZipDate)), Qt::DisplayRole)
        .toString();
}
} // namespace

TEST_F(TMainWindowTest, MenuCommandsChangeTheStateAndTheMarksFollowIt)
{
    AddGames({{"a", "A", kInstalled}, {"b", "B", kNotInstalled}});
    Window->FillGameList();
    Click("MSGamesUninstalled");
    Click("MSIconsDetails");
    Click("MSSortByZipname");
    Click("MSOrderDescending");
    Click("MSSndSamples");
    Click("MSHotTracking");
    Click("MSStatbar");
    const TViewState& view = Window->ViewState();
    EXPECT_EQ(view.Filter, TGameFilter::Uninstalled);
    EXPECT_EQ(view.ListStyle, TListStyle::Details);
    EXPECT_EQ(view.SortColumn, TListColumn::ZipName);
    EXPECT_TRUE(view.Descending);
    EXPECT_EQ(view.Sound, TSoundMode::Samples);
    EXPECT_FALSE(view.HotTracking);
    EXPECT_FALSE(view.StatusBar);
    EXPECT_TRUE(Window->statusBar()->isHidden());
    // A second click on the checked filter item keeps it checked: a filter is always chosen by the menu.
    Click("MSGamesUninstalled");
    EXPECT_TRUE(Checked("MSGamesUninstalled"));
    EXPECT_EQ(Window->ViewState().Filter, TGameFilter::Uninstalled);
    Click("MSSndSamples");
    EXPECT_TRUE(Checked("MSSndSamples"));
}

TEST_F(TMainWindowTest, AppliedSettingsShowInTheMenus)
{
    TMainSettingsRecord record;
    record.All = false, record.Installed = true;
    record.Large = false, record.Small = true;
    record.Sort = 2;
    record.Music = false, record.None = true;
    record.TabSheet = false;
    Window->ApplyMainSettings(record);
    EXPECT_TRUE(Checked("MSGamesInstalled"));
    EXPECT_FALSE(Checked("MSGamesAll"));
    EXPECT_TRUE(Checked("MSIconsSmall"));
    EXPECT_TRUE(Checked("MenuSortbyZipdate"));
    EXPECT_FALSE(Checked("MSSortbyName"));
    EXPECT_TRUE(Checked("MSSndNone"));
    EXPECT_FALSE(Checked("MSSndMusic"));
    EXPECT_FALSE(Checked("MSTabsheet"));
    EXPECT_EQ(Window->GameList().ViewStyle(), TListStyle::SmallIcons);
    EXPECT_EQ(Window->SoundMode(), TSoundMode::None);
}

TEST_F(TMainWindowTest, FillingTheListReadsTheArchiveDatesAgain)
{
    Click("MSIconsDetails");
    AddGames({{"alpha", "Alpha", kInstalled, 10}, {"beta", "Beta", kInstalled}});
    // The load detects the games and their dates once.
    UpdateInstallStates(Startup->Catalogue(), Startup->ZipRomPaths());
    Window->FillGameList();
    const QString before = ShownZipDate(*Window, 0);
    ASSERT_FALSE(before.isEmpty());
    WriteArchive("alpha", 2);
    Click("MSGamesAll");
    const auto touched = FileModificationTime("ziproms/alpha.zip");
    ASSERT_TRUE(touched.has_value());
    EXPECT_EQ(ShownZipDate(*Window, 0).toStdString(), FormatDateTime(*touched));
    EXPECT_NE(ShownZipDate(*Window, 0), before);
    // A game whose archive went away shows no date after the next fill; its installed state stays.
    std::filesystem::remove(Dir().Path() / "ziproms/alpha.zip");
    Click("MSGamesInstalled");
    EXPECT_TRUE(ShownZipDate(*Window, 0).isEmpty());
    EXPECT_EQ(Startup->Catalogue().At(0).InstallState, kInstalled);
}

TEST_F(TMainWindowTest, StoredListPositionIsTheRowInTheOrderShownAtClose)
{
    std::vector<TGameRow> games;
    for (char letter = 'a'; letter <= 'j'; ++letter) {
        games.push_back({std::string(1, letter), std::string(1, char(letter - 'a' + 'A'))});
    }
    games[0].ArchiveAgeDays = 10;
    games[7].ArchiveAgeDays = 5;
    AddGames(games);
    Window->FillGameList();
    Window->GameList().SelectRow(7);
    ASSERT_EQ(Window->CurrentGame()->ZipName, "h");
    Click("MenuSortbyZipdate");
    ASSERT_EQ(Window->GameList().SelectedRow(), 1);
    Window->close();
    const TMainSettingsRecord saved = ReadMainSettingsFile(Startup->Paths().MainIniPath);
    EXPECT_EQ(saved.LGLPos, 1);
}

TEST_F(TMainWindowTest, ListPositionFollowsTheGameAfterTheSelectionWasCleared)
{
    AddGames({{"a", "A", kInstalled, 10}, {"b", "B", kInstalled}, {"c", "C", kInstalled, 20}});
    Window->FillGameList();
    Window->GameList().SelectRow(2);
    Window->GameList().ClearSelection();
    Click("MenuSortbyZipdate");
    EXPECT_EQ(Startup->Session().LastListPos, 0);
    Window->FillGameList();
    EXPECT_EQ(Window->CurrentGame()->ZipName, "c");
}

TEST_F(TMainWindowTest, StartStaysDisabledWhileDefaultSettingsAreEdited)
{
    AddGames({{"a", "A", kInstalled, 3}, {"b", "B", kInstalled, 3}});
    Window->FillGameList();
    ASSERT_TRUE(Window->StartEmuButton().isEnabled());
    Click("MenuSetDefaultSettings");
    for (const char* command : {"MSGamesAll", "MSGamesInstalled", "MenuCheckForInstalledGames"}) {
        Click(command);
        EXPECT_FALSE(Window->StartEmuButton().isEnabled()) << command;
        ASSERT_NE(Window->CurrentGame(), nullptr) << command;
        EXPECT_EQ(Window->CurrentGame()->ZipName, "Default") << command;
        Window->StartEmuButtonClick();
        Window->GameListDblClick();
        EXPECT_TRUE(Processes.Starts.empty()) << command;
    }
    EXPECT_TRUE(Window->GameList().isHidden());
    Window->SettingsPage().DefaultSettingsCancelButtonClick();
    EXPECT_TRUE(Window->StartEmuButton().isEnabled());
    EXPECT_EQ(Window->CurrentGame()->ZipName, "a");
}

TEST(MainWindowServices, EveryServiceIsRequired)
{
    TFakeDialogs dialogs;
    TFakeProcesses processes;
    TFakeShell shell;
    TStartup startup(dialogs, processes, &shell);
    EXPECT_THROW(TMain1(TPlatformServices{&dialogs, &shell, &processes, nullptr}, startup),
                 std::invalid_argument);
    EXPECT_THROW(TMain1(TPlatformServices{&dialogs, nullptr, &processes, nullptr}, startup),
                 std::invalid_argument);
}
