// The selected game's music or sample through the media service, and the Sound menu.
#include "controllers/GameSound.h"
#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"

class TMainWindowSoundTest : public TMainWindowTest
{
protected:
    void SetUp() override
    {
        Dir().WriteFile("Sound/alpha.mid", "MThd");
        Dir().WriteFile("Sound/BETA.WAV", "RIFF");
        AddGames({{"alpha", "Alpha"}, {"beta", "Beta"}, {"gamma", "Gamma"}});
    }
};

TEST_F(TMainWindowSoundTest, SelectionPlaysTheGamesMusic)
{
    Window->FillGameList();
    ASSERT_EQ(Media.Opened.size(), 1u);
    EXPECT_EQ(Media.Opened[0], Startup->Paths().SoundDir + "alpha.mid");
    EXPECT_EQ(Media.PlayCount, 1);
    // A game without music stops what plays.
    Window->GameList().SelectRow(2);
    EXPECT_FALSE(Media.IsPlaying());
    EXPECT_EQ(Media.Opened.size(), 1u);
}

TEST_F(TMainWindowSoundTest, SamplesFindTheFileInAnyLetterCase)
{
    Window->FillGameList();
    Click("MSSndSamples");
    Window->GameList().SelectRow(1);
    ASSERT_FALSE(Media.Opened.empty());
    EXPECT_EQ(Media.Opened.back(), Startup->Paths().SoundDir + "BETA.WAV");
    EXPECT_TRUE(Checked("MSSndSamples"));
    EXPECT_FALSE(Checked("MSSndMusic"));
}

TEST_F(TMainWindowSoundTest, NoSoundPlaysNothing)
{
    Click("MSSndNone");
    Window->FillGameList();
    EXPECT_TRUE(Media.Opened.empty());
    EXPECT_EQ(Window->SoundMode(), TSoundMode::None);
}

TEST_F(TMainWindowSoundTest, AFileThatWillNotPlayBeepsOnce)
{
    Media.OpenResult = false;
    Window->FillGameList();
    EXPECT_EQ(Dialogs.BeepCount, 1);
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(TMainWindowSoundTest, LaunchStopsTheMusic)
{
    Window->FillGameList();
    ASSERT_TRUE(Media.IsPlaying());
    Window->StartEmuButtonClick();
    EXPECT_FALSE(Media.IsPlaying());
    EXPECT_EQ(Media.StopCount, 1);
}

TEST(FindFileIgnoringCase, ExactFirstThenAnyCaseNeverOutside)
{
    TTempDir dir;
    dir.WriteFile("Mix.Mid", "x");
    EXPECT_EQ(FindFileIgnoringCase(dir.Dir(), "mix.mid"), dir.Dir() + "Mix.Mid");
    EXPECT_EQ(FindFileIgnoringCase(dir.Dir(), "Mix.Mid"), dir.Dir() + "Mix.Mid");
    EXPECT_EQ(FindFileIgnoringCase(dir.Dir(), "other.mid"), "");
    dir.WriteFile("sub/x.mid", "x");
    EXPECT_EQ(FindFileIgnoringCase(dir.Dir(), "sub/x.mid"), "");
    EXPECT_EQ(FindFileIgnoringCase(dir.Dir() + "missing/", "x.mid"), "");
}
