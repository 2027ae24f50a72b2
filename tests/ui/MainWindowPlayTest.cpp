// Search as you type, favourites, play counts and our own view choices, in the window over fake services.
#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "catalogue/PlayLog.h"
#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"
#include "ui/SearchField.h"

namespace {

const std::vector<TGameRow> kGames = {{"pacman", "Pac-Man"},
                                      {"mspacman", "Ms. Pac-Man"},
                                      {"galaga", "Galaga"},
                                      {"rtype", "R-Type"},
                                      {"dkong", "Donkey Kong", 0}};

class TPlayWindowTest : public TMainWindowTest
{
protected:
    TPlayWindowTest()
    {
        AddGames(kGames);
        Window->OpenPlayLog();
        Window->FillGameList(); // by name: dkong, galaga, mspacman, pacman, rtype
    }

    void Search(const QString& text)
    {
        Window->SearchField().setText(text);
        QApplication::processEvents();
    }
    void Select(const std::string& zip) { Window->GameList().SelectRow(Window->Model().RowOf(Game(zip))); }
    TGameObject* Game(const std::string& zip) const
    {
        return &Startup->Catalogue().At(Startup->Catalogue().IndexOf(zip));
    }
    std::string Current() const { return Window->CurrentGame() ? Window->CurrentGame()->ZipName : "none"; }
    std::string PlayLogText() const { return Dir().ReadFile("Playlog.ini"); }
    void ShowAndFocusList()
    {
        Window->show();
        QApplication::setActiveWindow(Window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Window->GameList().CurrentView()->setFocus();
        QApplication::processEvents();
    }
    QStringList Captions(const QList<QAction*>& items) const
    {
        QStringList captions;
        for (QAction* item : items)
            captions << (item->isSeparator() ? "-" : item->text());
        return captions;
    }
};

} // namespace

TEST_F(TPlayWindowTest, SearchNarrowsTheListAndTheTitleCountsWhatIsShown)
{
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [5 of 5 games]");
    Search("PAC");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"mspacman", "pacman"}));
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [2 of 5 games]");
    Search("pac ms");
    EXPECT_EQ(ListedZips(), std::vector<std::string>{"mspacman"});
    Search("dkong"); // the zip name counts too
    EXPECT_EQ(ListedZips(), std::vector<std::string>{"dkong"});
    Search("zzz");
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [0 of 5 games]");
    EXPECT_FALSE(Window->StartEmuButton().isEnabled());
    Search("  ");
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [5 of 5 games]");
}

TEST_F(TPlayWindowTest, SearchWorksWithinTheFilterAndTheSort)
{
    Click("MSGamesInstalled");
    Search("N");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"mspacman", "pacman"}));
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [2 of 5 games]");
    Click("MSSortByZipname");
    Click("MSOrderDescending");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"pacman", "mspacman"}));
    Click("MSGamesAll");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"pacman", "mspacman", "dkong"}));
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [3 of 5 games]");
}

TEST_F(TPlayWindowTest, ClearingTheSearchSelectsTheGameAgain)
{
    Select("galaga");
    Search("pac");
    EXPECT_EQ(Window->GameList().SelectedRow(), 0);
    EXPECT_EQ(Current(), "mspacman");
    Search("zzz");
    EXPECT_EQ(Current(), "none");
    Search("");
    EXPECT_EQ(Current(), "galaga");
    EXPECT_EQ(Window->GameList().SelectedRow(), 1);

    // A game chosen during the search stays chosen when it is cleared.
    Search("pac");
    Select("pacman");
    Search("");
    EXPECT_EQ(Current(), "pacman");
    EXPECT_EQ(Window->GameList().SelectedRow(), 3);
}

TEST_F(TPlayWindowTest, TheListPositionSavedDuringASearchIsTheUnsearchedOne)
{
    Search("pac");
    Select("pacman");
    EXPECT_EQ(Window->GameList().SelectedRow(), 1);
    EXPECT_EQ(Startup->Session().LastListPos, 3);
    // A fill during the search finds the same game at that position.
    Window->FillGameList();
    EXPECT_EQ(Current(), "pacman");
    EXPECT_EQ(Startup->Session().LastListPos, 3);
    Search("");
    Window->FillGameList();
    EXPECT_EQ(Current(), "pacman");
}

TEST_F(TPlayWindowTest, KeysTypedInTheListGoToTheSearchField)
{
    ShowAndFocusList();
    QWidget* list = Window->GameList().CurrentView();
    QTest::keyClicks(list, "pac m");
    EXPECT_EQ(Window->SearchField().text(), "pac m");
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(Window->SearchField().text(), "pac ");
    QApplication::processEvents();
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"mspacman", "pacman"}));
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(Window->SearchField().text(), "");
    EXPECT_EQ(Window->Model().Count(), 5);

    // Return in the field starts the first match, and only once however long the key is held.
    Window->SearchField().setFocus();
    QTest::keyClicks(&Window->SearchField(), "pac");
    QApplication::processEvents();
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QTest::keyClick(&Window->SearchField(), Qt::Key_Return);
    QApplication::sendEvent(&Window->SearchField(), &held);
    EXPECT_EQ(Processes.Starts.size(), 1u);
    QTest::keyClick(&Window->SearchField(), Qt::Key_Down);
    EXPECT_TRUE(list->hasFocus());

    // Escape in the field clears it and gives the list the focus back.
    Window->SearchField().setFocus();
    QTest::keyClicks(&Window->SearchField(), "gal");
    QTest::keyClick(&Window->SearchField(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(Window->SearchField().text(), "");
    EXPECT_TRUE(Window->GameList().CurrentView()->hasFocus());
    // A blank alone is no search, and keys with Ctrl are commands.
    QTest::keyClick(list, Qt::Key_Space);
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Window->SearchField().text(), "");
}

TEST_F(TPlayWindowTest, OurMenusComeAfterTheSystemsOwnItems)
{
    QStringList bar;
    for (QAction* menu : Window->menuBar()->actions())
        bar << menu->text();
    ASSERT_GE(bar.size(), 3);
    EXPECT_EQ(bar.mid(0, 3), (QStringList{"&View", "&Game", "&Settings"}));
    QMenu* view = Window->menuBar()->findChild<QMenu*>("MenuView");
    EXPECT_EQ(Captions(view->actions()).mid(0, 7),
              (QStringList{"&Installed Games", "&Uninstalled Games", "&All Games", "-", "&Favourites",
                           "&Recently played", "-"}));
    EXPECT_EQ(Captions(Item("MSListSortby")->menu()->actions()),
              (QStringList{"Name", "Zipname", "Zipdate", "-", "Played", "Time", "Last played"}));
    EXPECT_EQ(Item("MenuFavourite")->shortcut(), QKeySequence("Ctrl+D"));
}

TEST_F(TPlayWindowTest, FavouritesAreMarkedFilteredAndKeptInThePlayLog)
{
    Select("pacman");
    Click("MenuFavourite");
    EXPECT_TRUE(Checked("MenuFavourite"));
    EXPECT_NE(PlayLogText().find("[pacman]\r\nFavourite=1\r\n"), std::string::npos);
    Select("rtype");
    EXPECT_FALSE(Checked("MenuFavourite"));
    Click("MenuFavourite");
    Click("MSGamesFavourites");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"pacman", "rtype"}));
    EXPECT_EQ(Window->windowTitle(), "VantorKorb 0.33.8 [2 of 5 games]");
    EXPECT_NE(PlayLogText().find("FavouritesFilter=1"), std::string::npos);

    // Unmarking a game in the favourites list takes it out.
    Select("rtype");
    Click("MenuFavourite");
    EXPECT_EQ(ListedZips(), std::vector<std::string>{"pacman"});

    // The system's own file knows nothing of it, and an empty favourites list leaves its filter alone.
    Select("pacman");
    Click("MenuFavourite");
    EXPECT_EQ(Window->Model().Count(), 0);
    Window->close();
    const std::string mainIni = Dir().ReadFile("Vantorkorb.ini");
    EXPECT_EQ(mainIni.find("avourite"), std::string::npos);
    EXPECT_NE(mainIni.find("All=1"), std::string::npos);
}

TEST_F(TPlayWindowTest, APlaySortIsOursAndTheSystemKeepsItsNameSort)
{
    TPlayLog& log = Window->PlayLog();
    log.RecordPlay("galaga", 100, ParseDateTime("2026-12-01").value());
    log.RecordPlay("galaga", 100, ParseDateTime("2026-12-02").value());
    log.RecordPlay("rtype", 10, ParseDateTime("2026-12-03").value());
    Click("MSSortByPlayed");
    Click("MSOrderDescending");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"galaga", "rtype", "dkong", "mspacman", "pacman"}));
    EXPECT_NE(PlayLogText().find("PlaySort=3"), std::string::npos);
    Window->GameListColumnClick(5); // "Last played", order kept
    EXPECT_EQ(ListedZips().front(), "rtype");
    EXPECT_NE(PlayLogText().find("PlaySort=5"), std::string::npos);
    TMainSettingsRecord record;
    Window->CollectMainSettings(record);
    EXPECT_EQ(record.Sort, 0);
    // Read again at the next load, over the system's name sort.
    Window->SortOn(TListColumn::Name);
    Window->OpenPlayLog();
    EXPECT_TRUE(Checked("MSSortByLastPlayed"));
    Window->FillGameList();
    EXPECT_EQ(ListedZips().front(), "rtype");
    Click("MSSortByZipname");
    EXPECT_NE(PlayLogText().find("PlaySort=-1"), std::string::npos);
}

TEST_F(TPlayWindowTest, RecentlyPlayedShowsTheLastThirtyDaysMostRecentFirst)
{
    TPlayLog& log = Window->PlayLog();
    const TDateTime now = LocalDateTimeNow();
    log.RecordPlay("galaga", 5, TDateTime{now.Seconds - 40 * 86400});
    log.RecordPlay("rtype", 5, TDateTime{now.Seconds - 2 * 86400});
    log.RecordPlay("dkong", 5, TDateTime{now.Seconds - 3600});
    Click("MSGamesRecent");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"dkong", "rtype"}));
    Click("MSGamesInstalled");
    EXPECT_EQ(ListedZips(), std::vector<std::string>{"rtype"});
    Click("MSGamesRecent");
    EXPECT_EQ(Window->Model().Count(), 4);
}

TEST_F(TPlayWindowTest, ALaunchThatRanCountsAndOneThatCouldNotStartDoesNot)
{
    Select("galaga");
    TFakeProcesses::TOutcome ran;
    ran.OnRun = [this] { Dir().WriteFile("KorbVantor.txt", "Resolution set to 640x480\n"); };
    Processes.Outcomes.push_back(ran);
    Window->StartEmuButtonClick();
    EXPECT_EQ(Window->PlayLog().Record("galaga").PlayCount, 1);
    EXPECT_TRUE(Window->PlayLog().Record("galaga").LastPlayed.has_value());
    EXPECT_NE(PlayLogText().find("PlayCount=1"), std::string::npos);
    const int row = Window->Model().RowOf(Game("galaga"));
    EXPECT_EQ(Window->Model().data(Window->Model().index(row, 3), Qt::DisplayRole).toString(), "1");
    EXPECT_TRUE(Window->Model()
                    .data(Window->Model().index(row, 0), Qt::ToolTipRole)
                    .toString()
                    .startsWith("Galaga\nPlayed 1 time, "));

    Processes.Outcomes.push_back(TFakeProcesses::Failing(2));
    Window->StartEmuButtonClick();
    EXPECT_EQ(Window->PlayLog().Record("galaga").PlayCount, 1);
}

TEST_F(TPlayWindowTest, AnUnreadablePlayLogIsReportedAndLeftAlone)
{
    std::filesystem::create_directory(Dir().Path() / "Playlog.ini");
    Dialogs.Messages.clear();
    Window->OpenPlayLog();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_NE(Dialogs.Messages[0].Text.find("Playlog.ini"), std::string::npos);
    Select("pacman");
    Click("MenuFavourite");
    EXPECT_TRUE(std::filesystem::is_directory(Dir().Path() / "Playlog.ini"));
}
