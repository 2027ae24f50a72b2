// The tab sheet, status bar and hot-tracking toggles, the size limits and default-settings editing.
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"
#include "ui/SettingsPage.h"

TEST_F(TMainWindowTest, TabSheetRoundTripRestoresThePanelWidth)
{
    Window->resize(800, 500);
    Window->show();
    Window->SetGameListPanelWidth(230);
    ASSERT_EQ(Window->GameListPanelWidth(), 230);
    Click("MSTabsheet");
    EXPECT_FALSE(Checked("MSTabsheet"));
    EXPECT_TRUE(Window->PageControl().isHidden());
    EXPECT_GT(Window->GameListPanelWidth(), 700);
    Click("MSTabsheet");
    EXPECT_TRUE(Checked("MSTabsheet"));
    EXPECT_FALSE(Window->PageControl().isHidden());
    EXPECT_EQ(Window->GameListPanelWidth(), 230);
}

TEST_F(TMainWindowTest, StatusBarToggleHidesAndShows)
{
    Window->show();
    Click("MSStatbar");
    EXPECT_FALSE(Window->statusBar()->isVisible());
    Click("MSStatbar");
    EXPECT_TRUE(Window->statusBar()->isVisible());
}

TEST_F(TMainWindowTest, WindowCannotShrinkBelowItsLimits)
{
    Window->show();
    Window->resize(50, 50);
    EXPECT_GE(Window->width(), 148);
    EXPECT_GE(Window->height(), 140);
    EXPECT_LE(Window->GameListPanelWidth(), Window->centralWidget()->width());
}

TEST_F(TMainWindowTest, DefaultSettingsModeHidesTheListUntilItEnds)
{
    AddGames({{"a", "A"}});
    Window->FillGameList();
    ASSERT_TRUE(Window->StartEmuButton().isEnabled());
    Click("MenuSetDefaultSettings");
    EXPECT_TRUE(Window->GameList().isHidden());
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "Default");
    Window->SettingsPage().DefaultSettingsCancelButtonClick();
    EXPECT_FALSE(Window->GameList().isHidden());
    EXPECT_EQ(Window->CurrentGame()->ZipName, "a");
    EXPECT_TRUE(Window->StartEmuButton().isEnabled());
}

TEST_F(TMainWindowTest, MenuBarHasEveryMenuInOrder)
{
    QStringList captions;
    for (QAction* menu : Window->menuBar()->actions()) {
        captions << menu->text();
    }
    // "&Game" is ours, between "&View" and "&Settings".
    EXPECT_EQ(captions,
              (QStringList{"&View", "&Game", "&Settings", "&Tools", "S&creenShot", "So&und", "&Help"}));
    EXPECT_EQ(Item("MSHotTracking")->shortcut(), QKeySequence("Ctrl+H"));
    EXPECT_EQ(Item("MSTabsheet")->shortcut(), QKeySequence("Ctrl+T"));
    EXPECT_FALSE(Item("MenuKorbHomepage")->isEnabled());
    EXPECT_EQ(Item("MenuCheckforSupportedgames")->text(), "Check for new &Supported games");
}

TEST_F(TMainWindowTest, HelpItemsOpenTheirDocuments)
{
    Click("MenuVantorKorbFaq");
    Click("MenuUrl3");
    ASSERT_EQ(Shell.Opened.size(), 2u);
    EXPECT_EQ(Shell.Opened[0], Startup->Paths().AppDir + "VantorKorbFaq.txt");
    EXPECT_EQ(Shell.Opened[1], Item("MenuUrl3")->text().toStdString());
}

TEST_F(TMainWindowTest, ListFontAndBackgroundFollowTheDialogsAndCancelKeepsThem)
{
    Dialogs.FontResult = TFontChoice{"Courier", 14, 1 | 4, 0x000000FF};
    Click("MSListChangefont");
    ASSERT_EQ(Dialogs.FontRequests.size(), 1u);
    EXPECT_EQ(Dialogs.FontRequests[0].Face, "Arial");
    const QFont font = Window->GameList().IconView()->font();
    EXPECT_EQ(font.family(), "Courier");
    EXPECT_EQ(font.pointSize(), 14);
    EXPECT_TRUE(font.bold() && font.underline() && !font.italic());
    EXPECT_EQ(Window->GameList().IconView()->palette().color(QPalette::Text), QColor(255, 0, 0));
    Dialogs.ColourResult = 0x00FF0000;
    Click("MSListBackgroundcolor");
    EXPECT_EQ(Window->GameList().DetailsView()->palette().color(QPalette::Base), QColor(0, 0, 255));
    Dialogs.FontResult.reset();
    Dialogs.ColourResult.reset();
    Click("MSListChangefont");
    Click("MSListBackgroundcolor");
    TMainSettingsRecord record;
    Window->CollectMainSettings(record);
    EXPECT_EQ(record.FontType, "Courier");
    EXPECT_EQ(record.FontStyle, 5);
    EXPECT_EQ(record.FgColor, 0x000000FFu);
    EXPECT_EQ(record.BgColor, 0x00FF0000u);
}
