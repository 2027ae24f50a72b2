// Filling the game list, its filter, the title, the selection and the Start button.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"

namespace {
const std::vector<TGameRow> kTwentyGames = [] {
    std::vector<TGameRow> games;
    for (int i = 0; i < 20; ++i) {
        const std::string zip = "game" + std::string(1, char('a' + i));
        games.push_back(
            {zip, "Game " + std::string(1, char('A' + i)), i % 4 == 0 ? 0 : (i % 4 == 1 ? 2 : 1)});
    }
    return games;
}();
} // namespace

TEST_F(TMainWindowTest, AllGamesFillTitleAndSelectFirst)
{
    AddGames(kTwentyGames);
    Window->FillGameList();
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [20 of 20 games]");
    EXPECT_EQ(Window->Model().Count(), 20);
    EXPECT_EQ(Window->GameList().SelectedRow(), 0);
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "gamea");
    EXPECT_EQ(Window->StatusZip().text(), "gamea");
    EXPECT_TRUE(Window->StatusText().text().startsWith("VantorKorb by "));
}

TEST_F(TMainWindowTest, FiltersCountInstalledStatesOneAndTwo)
{
    AddGames(kTwentyGames);
    Click("MSGamesInstalled");
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [15 of 20 games]");
    for (const std::string& zip : ListedZips()) {
        EXPECT_NE(Startup->Catalogue().At(Startup->Catalogue().IndexOf(zip)).InstallState, 0) << zip;
    }
    Click("MSGamesUninstalled");
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [5 of 20 games]");
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    EXPECT_TRUE(Checked("MSGamesUninstalled"));
    EXPECT_FALSE(Checked("MSGamesAll"));
}

TEST_F(TMainWindowTest, IconShowsInstalledState)
{
    AddGames({{"inst", "A", 2}, {"none", "B", 0}});
    Window->FillGameList();
    const QIcon installed =
        qvariant_cast<QIcon>(Window->Model().data(Window->Model().index(0, 0), Qt::DecorationRole));
    const QIcon missing =
        qvariant_cast<QIcon>(Window->Model().data(Window->Model().index(1, 0), Qt::DecorationRole));
    EXPECT_NE(installed.pixmap(16, 16).toImage(), missing.pixmap(16, 16).toImage());
    EXPECT_FALSE(installed.pixmap(32, 32).isNull());
}

TEST_F(TMainWindowTest, EmptyCatalogueShowsNoneAndDisabledStart)
{
    Window->FillGameList();
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [0 of 0 games]");
    EXPECT_EQ(Window->StatusZip().text(), "none");
    EXPECT_EQ(Window->CurrentGame(), nullptr);
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
}

TEST_F(TMainWindowTest, LastListPosSelectsAndFollowsInstalledSelection)
{
    AddGames({{"a", "A"}, {"b", "B"}, {"c", "C", 0}, {"d", "D"}});
    Startup->Session().LastListPos = 1;
    Window->FillGameList();
    EXPECT_EQ(Window->CurrentGame()->ZipName, "b");
    EXPECT_TRUE(Window->StartEmuButton().isEnabled());
    Window->GameList().SelectRow(3);
    EXPECT_EQ(Startup->Session().LastListPos, 3);
    EXPECT_TRUE(Window->StartEmuButton().isEnabled());
    // An uninstalled game disables Start and sends the next fill to the first entry.
    Window->GameList().SelectRow(2);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "c");
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    EXPECT_EQ(Startup->Session().LastListPos, 0);
}

TEST_F(TMainWindowTest, LastListPosBeyondTheListSelectsNothing)
{
    AddGames({{"a", "A"}, {"b", "B"}, {"c", "C"}});
    Startup->Session().LastListPos = 5;
    Window->FillGameList();
    EXPECT_EQ(Window->GameList().SelectedRow(), -1);
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    EXPECT_EQ(Window->StatusZip().text(), "none");
}

TEST_F(TMainWindowTest, FilterChangeResetsLastListPos)
{
    AddGames({{"a", "A"}, {"b", "B"}, {"c", "C"}});
    Startup->Session().LastListPos = 2;
    Window->FillGameList();
    EXPECT_EQ(Window->CurrentGame()->ZipName, "c");
    Click("MSGamesInstalled");
    EXPECT_EQ(Window->GameList().SelectedRow(), 0);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "a");
}

TEST_F(TMainWindowTest, ClearingTheSelectionKeepsCurrentGameButDisablesStart)
{
    AddGames({{"a", "A"}, {"b", "B"}});
    Window->FillGameList();
    Window->GameList().ClearSelection();
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "a");
    EXPECT_EQ(Window->StatusZip().text(), "a");
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
}

TEST_F(TMainWindowTest, ViewStylesSwitchTheShownView)
{
    AddGames({{"a", "A"}});
    Window->FillGameList();
    Click("MSIconsDetails");
    EXPECT_EQ(Window->GameList().ViewStyle(), TListStyle::Details);
    EXPECT_EQ(Window->GameList().currentWidget(), static_cast<QWidget*>(Window->GameList().DetailsView()));
    Click("MSIconsSmall");
    EXPECT_EQ(Window->GameList().ViewStyle(), TListStyle::SmallIcons);
    EXPECT_TRUE(Checked("MSIconsSmall"));
    EXPECT_FALSE(Checked("MSIconsDetails"));
    // One selection serves every style.
    EXPECT_EQ(Window->GameList().SelectedRow(), 0);
}

TEST_F(TMainWindowTest, DetailsRowsStayOneLineAfterLargeIcons)
{
    AddGames({{"a", "A"}, {"b", "B"}});
    Window->FillGameList();
    Click("MSIconsLarge");
    Click("MSIconsDetails");
    QTreeView* details = Window->GameList().DetailsView();
    EXPECT_LT(details->visualRect(Window->Model().index(0, 0)).height(),
              2 * details->fontMetrics().lineSpacing());
}

TEST_F(TMainWindowTest, CheckForInstalledGamesRedetectsFromTheFolder)
{
    AddGames({{"alpha", "Alpha", 0}, {"beta", "Beta", 0}});
    Window->FillGameList();
    Click("MSGamesInstalled");
    EXPECT_EQ(Window->Model().Count(), 0);
    Dir().WriteFile("ziproms/beta.zip", "PK");
    Click("MenuCheckForInstalledGames");
    ASSERT_EQ(ListedZips(), std::vector<std::string>{"beta"});
    EXPECT_TRUE(Window->StartEmuButton().isEnabled());
    // The date column is on screen in Details only.
    Click("MSIconsDetails");
    EXPECT_FALSE(Window->Model().data(Window->Model().index(0, 2), Qt::DisplayRole).toString().isEmpty());
}

TEST_F(TMainWindowTest, AHeldEnterKeyStartsOneGameOnly)
{
    AddGames({{"here", "Here", 1}});
    Window->FillGameList();
    Window->show();
    QWidget* list = Window->GameList().CurrentView();
    QTest::keyPress(list, Qt::Key_Return);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), true);
        QApplication::sendEvent(list, &repeat);
    }
    EXPECT_EQ(Processes.Starts.size(), 1u);
    Window->StartEmuButton().setFocus();
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier, QString("\r"), true);
    QApplication::sendEvent(Window.get(), &repeat);
    EXPECT_EQ(Processes.Starts.size(), 1u);
    QTest::keyClick(&Window->StartEmuButton(), Qt::Key_Enter);
    EXPECT_EQ(Processes.Starts.size(), 2u);
}

TEST_F(TMainWindowTest, TheStatusBarNamesTheGameWhileItRuns)
{
    AddGames({{"here", "Here", 1}});
    Window->FillGameList();
    QString during;
    TFakeProcesses::TOutcome outcome;
    outcome.OnRun = [&] { during = Window->findChild<QLabel*>("StatusPanel1")->text(); };
    Processes.Outcomes.push_back(outcome);
    Window->StartEmuButtonClick();
    EXPECT_EQ(during, QString::fromUtf8("Starting Here \u2026"));
    EXPECT_EQ(Processes.QuietWaits, 1);
    // No summary came (the output file is missing): the status is what it was before.
    EXPECT_EQ(Window->findChild<QLabel*>("StatusPanel1")->text(), "VantorKorb by the VantorKorb team");
}

TEST_F(TMainWindowTest, StartButtonLaunchesOnlyInstalledGames)
{
    AddGames({{"none", "A missing game", 0}, {"here", "Here", 1}});
    Window->FillGameList();
    ASSERT_EQ(Window->CurrentGame()->ZipName, "none");
    Window->StartEmuButtonClick();
    Window->GameListDblClick();
    QTest::keyClick(Window->GameList().CurrentView(), Qt::Key_Return);
    EXPECT_TRUE(Processes.Starts.empty());
    Window->GameList().SelectRow(1);
    ASSERT_EQ(Window->CurrentGame()->ZipName, "here");
    QTest::keyClick(Window->GameList().CurrentView(), Qt::Key_Return);
    ASSERT_EQ(Processes.Starts.size(), 1u);
    ASSERT_FALSE(Processes.Starts[0].Arguments.empty());
    EXPECT_EQ(Processes.Starts[0].Arguments.front(), "here");
    Window->GameListDblClick();
    EXPECT_EQ(Processes.Starts.size(), 2u);
    Window->show();
    Window->StartEmuButton().setFocus();
    QTest::keyClick(&Window->StartEmuButton(), Qt::Key_Enter);
    EXPECT_EQ(Processes.Starts.size(), 3u);
}
