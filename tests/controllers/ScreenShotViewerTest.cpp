#include "controllers/ScreenShotViewer.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/SanitizedBuild.h"

#include <QImage>

#include "catalogue/GameObject.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Remembers whether the slideshow ran while each question was open.
class TObservingDialogs : public TFakeDialogs
{
public:
    TMsgButton ShowMessage(const TMessage& message) override
    {
        TimerEnabledDuringMessage.push_back(Viewer && Viewer->TimerEnabled());
        return TFakeDialogs::ShowMessage(message);
    }
    const TScreenShotViewer* Viewer = nullptr;
    std::vector<bool> TimerEnabledDuringMessage;
};

class ScreenShotViewer : public ::testing::Test
{
protected:
    ScreenShotViewer()
    {
        m_paths.AppDir = m_temp.Dir();
        m_paths.TitlesDir = m_temp.Dir() + "Titles/";
        m_paths.GameplayDir = m_temp.Dir() + "Gameplay/";
        m_paths.FlyersDir = m_temp.Dir() + "Flyers/";
        m_paths.CabinetsDir = m_temp.Dir() + "Cabinets/";
        m_viewer.SetPaths(m_paths);
        m_viewer.SetPanelSize(QSize(393, 246));
        m_dialogs.Viewer = &m_viewer;
        m_game.ZipName = "abc";
        m_other.ZipName = "xyz";
    }

    // A picture of one colour; the width tells the pictures apart.
    void Picture(const std::string& relative, int width, int height = 256, QColor colour = Qt::blue)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const fs::path path = m_temp.Path() / relative;
        fs::create_directories(path.parent_path());
        const char* format = path.extension() == ".png" ? "PNG" : "BMP";
        ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format));
    }
    void Garbage(const std::string& relative) { m_temp.WriteFile(relative, "this is no picture at all"); }
    void Select(TGameObject* game)
    {
        m_viewer.SetCurrentGame(game);
        m_viewer.LoadNew();
    }
    int ShownWidth() const { return m_viewer.Picture().width(); }

    TTempDir m_temp;
    TWorkingPaths m_paths;
    TObservingDialogs m_dialogs;
    TScreenShotViewer m_viewer{m_dialogs};
    TGameObject m_game, m_other;
};

} // namespace

TEST(ScreenShotScale, GivesTheFiguresOfEachMode)
{
    const QSize picture(384, 256), panel(393, 246);
    EXPECT_EQ(ScaledImageBounds(picture, panel, TScalingMode::Scaled), QRect(12, 0, 369, 246));
    EXPECT_EQ(ScaledImageBounds(picture, panel, TScalingMode::Original), QRect(4, -5, 384, 256));
    EXPECT_EQ(ScaledImageBounds(picture, panel, TScalingMode::None), QRect(4, -5, 384, 256));
    EXPECT_EQ(ScaledImageBounds(picture, panel, TScalingMode::Stretched), QRect(0, 0, 393, 246));
    EXPECT_EQ(ScaledImageBounds(QSize(100, 50), QSize(400, 400), TScalingMode::Scaled),
              QRect(0, 100, 400, 200));
    EXPECT_EQ(ScaledImageBounds(QSize(3, 2), QSize(10, 10), TScalingMode::Scaled), QRect(0, 2, 10, 6));
    EXPECT_TRUE(ScaledImageBounds(QSize(0, 0), panel, TScalingMode::Scaled).isNull());
}

TEST_F(ScreenShotViewer, PlacesTheLoadedPictureAndFollowsThePanelAndTheMode)
{
    Picture("Titles/abc.bmp", 384);
    Select(&m_game);
    EXPECT_EQ(m_viewer.ImageBounds(), QRect(12, 0, 369, 246));
    m_viewer.SetScalingMode(TScalingMode::Original);
    EXPECT_EQ(m_viewer.ImageBounds(), QRect(4, -5, 384, 256));
    m_viewer.SetScalingMode(TScalingMode::Stretched);
    EXPECT_EQ(m_viewer.ImageBounds(), QRect(0, 0, 393, 246));
    m_viewer.SetPanelSize(QSize(200, 100));
    EXPECT_EQ(m_viewer.ImageBounds(), QRect(0, 0, 200, 100));
}

TEST_F(ScreenShotViewer, ShowsTheRelativePathAndSize)
{
    Picture("Gameplay/abc.001.bmp", 384);
    m_paths.AppDir = m_temp.Dir();
    std::transform(m_paths.AppDir.begin(), m_paths.AppDir.end(), m_paths.AppDir.begin(), ::toupper);
    m_viewer.SetPaths(m_paths);
    Select(&m_game);
    EXPECT_EQ(m_viewer.ShowNameText(), "Gameplay/abc.001.bmp (384x256)");
    EXPECT_TRUE(m_viewer.PanelVisible());
    EXPECT_FALSE(m_viewer.NoShotVisible());
    EXPECT_TRUE(m_dialogs.Messages.empty());
}

TEST_F(ScreenShotViewer, NextAndPrevWrapAround)
{
    Picture("Titles/abc.bmp", 101);
    Picture("Gameplay/abc.001.bmp", 102);
    Picture("Cabinets/abc.bmp", 103);
    Select(&m_game);
    EXPECT_EQ(ShownWidth(), 101);
    m_viewer.Next();
    m_viewer.Next();
    EXPECT_EQ(ShownWidth(), 103);
    m_viewer.Next();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 101);
    m_viewer.Prev();
    EXPECT_EQ(m_game.CurScrShot, 2);
    EXPECT_EQ(ShownWidth(), 103);
    m_viewer.Prev();
    EXPECT_EQ(ShownWidth(), 102);
}

TEST_F(ScreenShotViewer, NextAndPrevWithOneEntryReloadIt)
{
    Picture("Gameplay/abc.001.bmp", 120);
    Select(&m_game);
    fs::remove(m_temp.Path() / "Gameplay/abc.001.bmp");
    Picture("Gameplay/abc.001.bmp", 130);
    m_viewer.Next();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 130);
    fs::remove(m_temp.Path() / "Gameplay/abc.001.bmp");
    Picture("Gameplay/abc.001.bmp", 140);
    m_viewer.Prev();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 140);
}

TEST_F(ScreenShotViewer, NextAndPrevWithNoEntry)
{
    Select(&m_game);
    m_game.CurScrShot = 4;
    m_viewer.Next();
    EXPECT_EQ(m_game.CurScrShot, 0);
    m_viewer.Prev();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_TRUE(m_viewer.NoShotVisible());
}

TEST_F(ScreenShotViewer, WithoutAGameSteppingDoesNothing)
{
    Picture("Gameplay/abc.001.bmp", 120);
    Select(&m_game);
    Select(nullptr);
    EXPECT_TRUE(m_viewer.ScreenshotList().empty());
    EXPECT_TRUE(m_viewer.Picture().isNull());
    m_viewer.Next();
    m_viewer.Prev();
    m_viewer.Delete();
    EXPECT_TRUE(m_dialogs.Messages.empty());
    EXPECT_TRUE(fs::exists(m_temp.Path() / "Gameplay/abc.001.bmp"));
}

TEST_F(ScreenShotViewer, AStoredIndexBeyondTheListShowsTheFirst)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Picture("Gameplay/abc.002.bmp", 102);
    Picture("Gameplay/abc.003.bmp", 103);
    m_game.CurScrShot = 5;
    Select(&m_game);
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 101);
    m_game.CurScrShot = 2;
    Select(&m_game);
    EXPECT_EQ(ShownWidth(), 103);
    m_game.CurScrShot = -3;
    m_viewer.Load();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 101);
}

TEST_F(ScreenShotViewer, UncheckingTitleWhileItShowsMovesToTheFirstGameplayShot)
{
    Picture("Titles/abc.bmp", 101);
    Picture("Gameplay/abc.001.bmp", 102);
    Picture("Gameplay/abc.002.bmp", 103);
    Select(&m_game);
    ASSERT_EQ(ShownWidth(), 101);
    m_viewer.SetCategories({false, true, true, true});
    m_viewer.LoadNew();
    EXPECT_EQ(m_viewer.ScreenshotList().size(), 2u);
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 102);
}

TEST_F(ScreenShotViewer, AVanishedFileShowsThePlaceholder)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Picture("Gameplay/abc.002.bmp", 102);
    Select(&m_game);
    fs::remove(m_temp.Path() / "Gameplay/abc.002.bmp");
    m_viewer.Next();
    EXPECT_TRUE(m_viewer.NoShotVisible());
    EXPECT_FALSE(m_viewer.PanelVisible());
    EXPECT_EQ(m_viewer.ShowNameText(), "");
    m_viewer.Delete();
    EXPECT_TRUE(fs::exists(m_temp.Path() / "Gameplay/abc.001.bmp"));
}

TEST_F(ScreenShotViewer, ADamagedPictureIsReportedOnceAndNoOtherPictureStaysUnderItsName)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Garbage("Gameplay/abc.002.bmp");
    Garbage("Gameplay/abc.003.png");
    Select(&m_game);
    m_viewer.Next();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, "Invalid file format !");
    EXPECT_EQ(m_dialogs.Messages[0].Caption, "Error");
    EXPECT_EQ(m_dialogs.Messages[0].Buttons, std::vector<TMsgButton>{TMsgButton::Ok});
    EXPECT_EQ(m_viewer.ShowNameText(), "Gameplay/abc.002.bmp");
    EXPECT_TRUE(m_viewer.Picture().isNull());
    EXPECT_TRUE(m_viewer.NoShotVisible());
    m_viewer.Next();
    ASSERT_EQ(m_dialogs.Messages.size(), 2u);
    EXPECT_EQ(m_dialogs.Messages[1].Text, "Invalid file format.");
    EXPECT_EQ(m_viewer.ShowNameText(), "Gameplay/abc.003.png");
}

TEST_F(ScreenShotViewer, ASlideshowMovesOnAfterADamagedPicture)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Garbage("Gameplay/abc.002.bmp");
    Picture("Gameplay/abc.003.bmp", 103);
    Select(&m_game);
    m_viewer.SToolPlayClick();
    m_viewer.SSTimerTimer();
    EXPECT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_TRUE(m_viewer.TimerEnabled());
    m_viewer.SSTimerTimer();
    EXPECT_EQ(ShownWidth(), 103);
    EXPECT_EQ(m_viewer.ShowNameText(), "Gameplay/abc.003.bmp (103x256)");
    m_viewer.SSTimerTimer();
    EXPECT_EQ(ShownWidth(), 101);
    // Round again: the damaged picture was reported once and is not reported again.
    m_viewer.SSTimerTimer();
    EXPECT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_TRUE(m_viewer.Picture().isNull());
}

TEST_F(ScreenShotViewer, SwitchingGamesNeverShowsThePreviousGamesPicture)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Picture("Gameplay/abc.002.bmp", 102);
    Garbage("Gameplay/xyz.001.bmp");
    Picture("Gameplay/xyz.002.bmp", 202);
    Select(&m_game);
    m_viewer.SToolPlayClick();
    m_viewer.SSTimerTimer();
    ASSERT_EQ(ShownWidth(), 102);
    Select(&m_other);
    EXPECT_TRUE(m_viewer.Picture().isNull());
    EXPECT_TRUE(m_viewer.NoShotVisible());
    EXPECT_EQ(m_viewer.ShowNameText(), "Gameplay/xyz.001.bmp");
    m_viewer.SSTimerTimer();
    EXPECT_EQ(ShownWidth(), 202);
    EXPECT_EQ(m_game.CurScrShot, 1);
    EXPECT_EQ(m_other.CurScrShot, 1);
}

TEST_F(ScreenShotViewer, DeleteAsksAndRemovesTheFileOnYes)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Picture("Gameplay/ABC.002.BMP", 102);
    Picture("Gameplay/abc.003.bmp", 103);
    Select(&m_game);
    m_viewer.Next();
    m_dialogs.Answers = {TMsgButton::Yes};
    m_viewer.Delete();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, "Are you sure you want to delete\rthe current Screenshot ?");
    EXPECT_EQ(m_dialogs.Messages[0].Buttons, (std::vector<TMsgButton>{TMsgButton::Yes, TMsgButton::No}));
    EXPECT_FALSE(fs::exists(m_temp.Path() / "Gameplay/ABC.002.BMP"));
    EXPECT_EQ(m_viewer.ScreenshotList().size(), 2u);
    EXPECT_EQ(m_game.CurScrShot, 1);
    EXPECT_EQ(ShownWidth(), 103);
}

TEST_F(ScreenShotViewer, DeleteKeepsTheFileOnNo)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Select(&m_game);
    m_dialogs.Answers = {TMsgButton::No};
    m_viewer.Delete();
    EXPECT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_TRUE(fs::exists(m_temp.Path() / "Gameplay/abc.001.bmp"));
    EXPECT_EQ(ShownWidth(), 101);
}

TEST_F(ScreenShotViewer, DeletingTheOnlyPictureShowsThePlaceholder)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Select(&m_game);
    m_dialogs.Answers = {TMsgButton::Yes};
    m_viewer.Delete();
    EXPECT_TRUE(m_viewer.ScreenshotList().empty());
    EXPECT_TRUE(m_viewer.NoShotVisible());
    EXPECT_EQ(m_viewer.ShowNameText(), "");
    m_viewer.Delete();
    EXPECT_EQ(m_dialogs.Messages.size(), 1u);
}

TEST_F(ScreenShotViewer, DeletingTheLastPictureShowsTheFirst)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Picture("Gameplay/abc.002.bmp", 102);
    Select(&m_game);
    m_viewer.Prev();
    ASSERT_EQ(ShownWidth(), 102);
    m_dialogs.Answers = {TMsgButton::Yes};
    m_viewer.Delete();
    EXPECT_EQ(m_game.CurScrShot, 0);
    EXPECT_EQ(ShownWidth(), 101);
}

TEST_F(ScreenShotViewer, DeletePausesTheSlideshowOnlyWhileAsking)
{
    Picture("Gameplay/abc.001.bmp", 101);
    Select(&m_game);
    m_viewer.SToolPlayClick();
    m_dialogs.Answers = {TMsgButton::No};
    m_viewer.Delete();
    ASSERT_EQ(m_dialogs.TimerEnabledDuringMessage.size(), 1u);
    EXPECT_FALSE(m_dialogs.TimerEnabledDuringMessage[0]);
    EXPECT_TRUE(m_viewer.PlayDown());
    EXPECT_TRUE(m_viewer.TimerEnabled());

    m_viewer.SToolPauseClick();
    m_viewer.Delete();
    EXPECT_FALSE(m_viewer.PlayDown());
    EXPECT_FALSE(m_viewer.TimerEnabled());
}

TEST_F(ScreenShotViewer, PlayAndPauseDriveTheTimer)
{
    EXPECT_FALSE(m_viewer.PlayDown());
    EXPECT_FALSE(m_viewer.TimerActive());
    m_viewer.SToolPlayClick();
    EXPECT_TRUE(m_viewer.TimerActive());
    m_viewer.SetInterval(0);
    EXPECT_TRUE(m_viewer.TimerEnabled());
    EXPECT_FALSE(m_viewer.TimerActive());
    m_viewer.SetInterval(15000);
    EXPECT_TRUE(m_viewer.TimerActive());
    EXPECT_EQ(m_viewer.Interval(), 15000);
    m_viewer.SToolPauseClick();
    EXPECT_FALSE(m_viewer.TimerActive());
    EXPECT_FALSE(m_viewer.PlayDown());
}

namespace {

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

} // namespace

TEST_F(ScreenShotViewer, SteppingThroughManyPicturesDoesNotGrowMemory)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer holds freed memory back on purpose";
    for (int i = 1; i <= 100; ++i)
        Picture("Gameplay/abc." + GameplayNumberText(i) + ".bmp", 400 + i, 300);
    Select(&m_game);
    m_viewer.SToolPlayClick();
    for (int i = 0; i < 100; ++i)
        m_viewer.SSTimerTimer();
    const long before = ResidentKilobytes();
    for (int i = 0; i < 300; ++i)
        m_viewer.SSTimerTimer();
    // 300 kept pictures would take more than 140 MB.
    EXPECT_LT(ResidentKilobytes() - before, 20 * 1024);
    EXPECT_EQ(ShownWidth(), 401);
    EXPECT_TRUE(m_dialogs.Messages.empty());
}
