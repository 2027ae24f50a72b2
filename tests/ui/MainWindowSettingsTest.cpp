// Applying the main settings record to the window and collecting it back, through the real settings file.
#include <QApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "app/MainSettings.h"
#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"

namespace {
// Every value the window restores, away from its default.
TMainSettingsRecord Unusual()
{
    TMainSettingsRecord r;
    r.Installed = false, r.UnInstalled = true, r.All = false;
    r.Large = false, r.Small = false, r.List = false, r.Details = true;
    r.HotTracking = false, r.StatBar = false, r.TabSheet = true;
    r.Sort = 2;
    r.FontType = "Courier";
    r.FontSize = 13;
    r.FgColor = 0x00123456;
    r.FontStyle = 1 | 2 | 8;
    r.BgColor = 0x80000018;
    r.State = 2;
    r.Width = 710, r.Height = 455, r.GLPWidth = 222;
    r.Original = true, r.Scaled = false, r.Stretched = false;
    r.Timer = 7;
    r.Title = false, r.Flyer = true, r.Cabinet = false, r.Game = true;
    r.ShowName = false, r.ShowControls = false, r.Play = false;
    r.Music = false, r.Samples = true, r.None = false;
    r.ColName = 123, r.ColZipName = 45, r.ColZipdate = 67;
    return r;
}

void ExpectWindowValuesEqual(const TMainSettingsRecord& a, const TMainSettingsRecord& b)
{
    EXPECT_EQ(a.Installed, b.Installed);
    EXPECT_EQ(a.UnInstalled, b.UnInstalled);
    EXPECT_EQ(a.All, b.All);
    EXPECT_EQ(a.Large, b.Large);
    EXPECT_EQ(a.Small, b.Small);
    EXPECT_EQ(a.List, b.List);
    EXPECT_EQ(a.Details, b.Details);
    EXPECT_EQ(a.HotTracking, b.HotTracking);
    EXPECT_EQ(a.StatBar, b.StatBar);
    EXPECT_EQ(a.TabSheet, b.TabSheet);
    EXPECT_EQ(a.Sort, b.Sort);
    EXPECT_EQ(a.FontType, b.FontType);
    EXPECT_EQ(a.FontSize, b.FontSize);
    EXPECT_EQ(a.FgColor, b.FgColor);
    EXPECT_EQ(a.FontStyle, b.FontStyle);
    EXPECT_EQ(a.BgColor, b.BgColor);
    EXPECT_EQ(a.State, b.State);
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.GLPWidth, b.GLPWidth);
    EXPECT_EQ(a.Original, b.Original);
    EXPECT_EQ(a.Scaled, b.Scaled);
    EXPECT_EQ(a.Stretched, b.Stretched);
    EXPECT_EQ(a.Timer, b.Timer);
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.Flyer, b.Flyer);
    EXPECT_EQ(a.Cabinet, b.Cabinet);
    EXPECT_EQ(a.Game, b.Game);
    EXPECT_EQ(a.ShowName, b.ShowName);
    EXPECT_EQ(a.ShowControls, b.ShowControls);
    EXPECT_EQ(a.Play, b.Play);
    EXPECT_EQ(a.Music, b.Music);
    EXPECT_EQ(a.Samples, b.Samples);
    EXPECT_EQ(a.None, b.None);
    EXPECT_EQ(a.ColName, b.ColName);
    EXPECT_EQ(a.ColZipName, b.ColZipName);
    EXPECT_EQ(a.ColZipdate, b.ColZipdate);
}
} // namespace

TEST_F(TMainWindowTest, AppliedValuesCollectBackUnchangedIncludingAMaximisedWindow)
{
    Window->show();
    const TMainSettingsRecord stored = Unusual();
    Window->ApplyMainSettings(stored);
    EXPECT_TRUE(Window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Window->GameList().ViewStyle(), TListStyle::Details);
    TMainSettingsRecord collected;
    Window->CollectMainSettings(collected);
    ExpectWindowValuesEqual(collected, stored);
    // Collecting leaves the window in its normal state, at the restored size.
    EXPECT_FALSE(Window->windowState() & Qt::WindowMaximized);
}

TEST_F(TMainWindowTest, SaveAndLoadThroughTheFileKeepEveryValue)
{
    AddGames({{"one", "One", 0}, {"two", "Two", 1}});
    Window->ApplyMainSettings(Unusual());
    Window->FillGameList();
    Window->close();
    const TMainSettingsRecord saved = ReadMainSettingsFile(Startup->Paths().MainIniPath);
    ExpectWindowValuesEqual(saved, Unusual());
    ASSERT_EQ(saved.CurScrShots.size(), 2u);

    TMain1 second(TPlatformServices{&Dialogs, &Shell, &Processes, &Media}, *Startup);
    second.ApplyMainSettings(saved);
    TMainSettingsRecord again;
    second.CollectMainSettings(again);
    ExpectWindowValuesEqual(again, saved);
}

TEST_F(TMainWindowTest, ClosingAnEmptyUninstalledViewSavesInstalled)
{
    AddGames({{"one", "One", 1}});
    Click("MSGamesUninstalled");
    ASSERT_EQ(Window->Model().Count(), 0);
    Window->close();
    const TMainSettingsRecord saved = ReadMainSettingsFile(Startup->Paths().MainIniPath);
    EXPECT_TRUE(saved.Installed);
    EXPECT_FALSE(saved.UnInstalled);
    EXPECT_FALSE(saved.All);
    EXPECT_EQ(saved.LGLPos, 0);
}

TEST_F(TMainWindowTest, StoredTogglesEqualToTheCurrentStateChangeNothing)
{
    TMainSettingsRecord record;
    record.HotTracking = false;
    Window->ApplyMainSettings(record);
    EXPECT_FALSE(Checked("MSHotTracking"));
    // Applying the same file again, as the reload of the catalogue does, keeps it off.
    Window->ApplyMainSettings(record);
    EXPECT_FALSE(Checked("MSHotTracking"));
    record.HotTracking = true;
    Window->ApplyMainSettings(record);
    EXPECT_TRUE(Checked("MSHotTracking"));
}

TEST_F(TMainWindowTest, FalseRadioValuesClearOnlyTheirOwnItem)
{
    TMainSettingsRecord record;
    record.All = false; // and Installed, UnInstalled false: nothing is checked
    record.Large = false;
    Window->ApplyMainSettings(record);
    EXPECT_FALSE(Checked("MSGamesAll") || Checked("MSGamesInstalled") || Checked("MSGamesUninstalled"));
    // All styles false leaves the style as it was.
    EXPECT_TRUE(Checked("MSIconsLarge"));
    AddGames({{"a", "A", 1}, {"b", "B", 0}});
    Window->FillGameList();
    EXPECT_EQ(Window->Model().Count(), 1);
}

TEST_F(TMainWindowTest, HiddenTabSheetIsRestoredHidden)
{
    Window->show();
    TMainSettingsRecord record;
    record.TabSheet = false;
    Window->ApplyMainSettings(record);
    EXPECT_TRUE(Window->PageControl().isHidden());
    EXPECT_FALSE(Checked("MSTabsheet"));
    record.TabSheet = true;
    record.GLPWidth = 200;
    Window->ApplyMainSettings(record);
    EXPECT_FALSE(Window->PageControl().isHidden());
    EXPECT_EQ(Window->GameListPanelWidth(), 200);
}

TEST_F(TMainWindowTest, ColumnWidthMinusOneFitsTheContents)
{
    AddGames({{"averyveryverylongzipname", "A", 1}});
    Window->FillGameList();
    TMainSettingsRecord record;
    record.ColZipName = -1;
    Window->ApplyMainSettings(record);
    EXPECT_GT(Window->GameList().ColumnWidth(TListColumn::ZipName), 70);
}

TEST_F(TMainWindowTest, AStoredSizeLargerThanTheScreenOpensOnItAndStaysStored)
{
    const QRect available = Window->screen()->availableGeometry();
    TMainSettingsRecord record;
    record.Width = available.width() + 800;
    record.Height = available.height() + 400;
    Window->ApplyMainSettings(record);
    EXPECT_LE(Window->width(), available.width());
    EXPECT_LE(Window->height(), available.height());
    TMainSettingsRecord collected;
    Window->CollectMainSettings(collected);
    EXPECT_EQ(collected.Width, record.Width);
    EXPECT_EQ(collected.Height, record.Height);
    // Once the user sizes the window, that size is the one kept.
    Window->resize(400, 300);
    Window->CollectMainSettings(collected);
    EXPECT_EQ(collected.Width, 400);
}

TEST_F(TMainWindowTest, PagesKeepAUsableWidthBesideAStoredWideList)
{
    TMainSettingsRecord record;
    record.TabSheet = true;
    record.Width = 600;
    record.GLPWidth = 898;
    Window->ApplyMainSettings(record);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    EXPECT_GE(Window->PageControl().width(), 200);
    Window->resize(300, Window->height());
    QApplication::processEvents();
    EXPECT_GE(Window->PageControl().width(), 200);
    EXPECT_GE(Window->width(), 145 + 3 + 200 + 3);
}
