// The couch additions in the window over fake services: full screen, a random game, the pad's commands.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "catalogue/PlayLog.h"
#include "platform/qt/SdlGamepad.h"
#include "ui/GameListView.h"
#include "ui/MainCouch.h"
#include "ui/MainWindowFixture.h"
#include "ui/SearchField.h"

namespace {

class TCountingProcesses : public TFakeProcesses
{
public:
    void EndCurrentRun() override { ++EndRequests; }
    int EndRequests = 0;
};

class TCouchTest : public TMainWindowTest
{
protected:
    TCouchTest()
    {
        AddGames({{"pacman", "Pac-Man"},
                  {"mspacman", "Ms. Pac-Man"},
                  {"galaga", "Galaga"},
                  {"rtype", "R-Type"},
                  {"dkong", "Donkey Kong", 0}});
        Window->OpenPlayLog();
        Window->FillGameList(); // dkong, galaga, mspacman, pacman, rtype
        Couch = std::make_unique<TMainCouch>(*Window, Ends, Dialogs);
    }
    ~TCouchTest() override { Couch.reset(); }

    std::string Current() const { return Window->CurrentGame() ? Window->CurrentGame()->ZipName : "none"; }
    QStringList Captions(const char* menu) const
    {
        QStringList captions;
        for (QAction* item : Window->menuBar()->findChild<QMenu*>(menu)->actions())
            captions << (item->isSeparator() ? "-" : item->text());
        return captions;
    }
    void Escape()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QApplication::processEvents();
    }

    TCountingProcesses Ends;
    std::unique_ptr<TMainCouch> Couch;
};

TEST_F(TCouchTest, FullScreenIsRememberedAndEscapeLeavesItOnceTheSearchIsClosed)
{
    EXPECT_EQ(Captions("MenuView").mid(Captions("MenuView").size() - 2), (QStringList{"-", "Full Screen"}));
    EXPECT_EQ(Captions("MenuGame"), (QStringList{"&Favourite", "-", "Random Game"}));
    Window->show();
    QApplication::setActiveWindow(Window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Window->GameList().CurrentView()->setFocus();
    Couch->FullScreenItem().trigger();
    EXPECT_TRUE(Window->windowState() & Qt::WindowFullScreen);
    EXPECT_NE(Dir().ReadFile("Playlog.ini").find("FullScreen=1"), std::string::npos);

    Window->SearchField().setText("pac");
    Window->SearchField().setFocus();
    Escape();
    EXPECT_TRUE(Window->SearchField().text().isEmpty());
    EXPECT_TRUE(Couch->FullScreen());
    Escape();
    EXPECT_FALSE(Couch->FullScreen());
    EXPECT_FALSE(Couch->FullScreenItem().isChecked());
    EXPECT_NE(Dir().ReadFile("Playlog.ini").find("FullScreen=0"), std::string::npos);

    // Another filter choice keeps the full-screen key; the next start reads it back.
    Couch->SetFullScreen(true);
    Click("MSGamesFavourites");
    Click("MSGamesFavourites");
    Window->setWindowState(Qt::WindowNoState); // as a folder switch restores that folder's window
    Window->OpenPlayLog();
    EXPECT_TRUE(Couch->FullScreen()) << "the folder's play log brings full screen back";
    TMainCouch again(*Window, Ends, Dialogs);
    EXPECT_TRUE(again.FullScreen());
    EXPECT_TRUE(again.FullScreenItem().isChecked());
}

TEST_F(TCouchTest, ARandomGameIsAnInstalledOneShownAndNeverTheSameTwiceInARow)
{
    std::string last = Current();
    std::set<std::string> seen;
    for (int i = 0; i < 40; ++i) {
        Couch->RandomItem().trigger();
        ASSERT_NE(Current(), last);
        ASSERT_NE(Current(), "dkong");
        seen.insert(last = Current());
    }
    EXPECT_EQ(seen.size(), 4u);
    Window->SearchField().setText("ms");
    QApplication::processEvents();
    Couch->Command(TPadCommand::Random);
    EXPECT_EQ(Current(), "mspacman");
}

TEST_F(TCouchTest, ThePadMovesTheListInEveryStyleAndItsButtonsAct)
{
    for (const TListStyle style :
         {TListStyle::LargeIcons, TListStyle::SmallIcons, TListStyle::List, TListStyle::Details}) {
        Window->MenuIconsViewClick(style);
        Window->GameList().SelectRow(0);
        const bool icons = style == TListStyle::LargeIcons || style == TListStyle::SmallIcons;
        Couch->Command(icons ? TPadCommand::Right : TPadCommand::Down);
        EXPECT_EQ(Current(), "galaga") << int(style);
    }
    Couch->Command(TPadCommand::Favourite);
    EXPECT_TRUE(Window->PlayLog().Record(Current()).Favourite);
    Window->SearchField().setText("pac");
    Couch->Command(TPadCommand::Back);
    EXPECT_TRUE(Window->SearchField().text().isEmpty());
    // A starts the selected game when it is installed, as the Start button does.
    Window->GameList().SelectRow(0); // dkong, not installed
    Couch->Command(TPadCommand::Start);
    EXPECT_TRUE(Processes.Starts.empty());
    Window->GameList().SelectRow(1);
    Couch->Command(TPadCommand::Start);
    EXPECT_EQ(Processes.Starts.size(), 1u);
}

TEST_F(TCouchTest, BackAndStartHeldOnThePadEndTheRunAndAConnectIsAnnounced)
{
    TSdlGamepad gamepad;
    int64_t now = 0;
    Couch->SetClock([&now] { return now; });
    Couch->Attach(gamepad);
    emit gamepad.Connected("Test Pad");
    EXPECT_EQ(Window->StatusText().text(),
              "Controller connected: Test Pad - A start, B back, Y random, Back+Start ends a game");
    emit gamepad.ButtonChanged(TPadButton::Back, true);
    emit gamepad.ButtonChanged(TPadButton::Start, true);
    now = 999;
    emit gamepad.Polled();
    EXPECT_EQ(Ends.EndRequests, 0);
    now = 1000;
    emit gamepad.Polled();
    EXPECT_EQ(Ends.EndRequests, 1);
}

} // namespace
