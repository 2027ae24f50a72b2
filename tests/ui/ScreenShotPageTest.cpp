#include "ui/ScreenShotPage.h"

#include <filesystem>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "catalogue/GameObject.h"
#include "controllers/ScreenShotViewer.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "ui/ScreenShot.h"
#include "ui/ScreenShotWidgets.h"

namespace fs = std::filesystem;

namespace {

class ScreenShotPage : public ::testing::Test
{
protected:
    ScreenShotPage()
    {
        m_paths.AppDir = m_temp.Dir();
        m_paths.TitlesDir = m_temp.Dir() + "Titles/";
        m_paths.GameplayDir = m_temp.Dir() + "Gameplay/";
        m_paths.FlyersDir = m_temp.Dir() + "Flyers/";
        m_paths.CabinetsDir = m_temp.Dir() + "Cabinets/";
        m_page.SetWorkingPaths(m_paths);
        m_page.FillScreenShotMenu(&m_menu);
        m_game.ZipName = "abc";
    }
    void Picture(const std::string& relative, const QImage& image)
    {
        const fs::path path = m_temp.Path() / relative;
        fs::create_directories(path.parent_path());
        ASSERT_TRUE(image.save(QString::fromStdString(path.string())));
    }
    void Picture(const std::string& relative, int width)
    {
        QImage image(width, 256, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        Picture(relative, image);
    }
    void OpenMenu() { emit m_menu.aboutToShow(); }
    QStringList MenuCaptions() const
    {
        QStringList captions;
        for (QAction* item : m_menu.actions())
            captions << (item->isSeparator() ? QString("-") : item->text());
        return captions;
    }

    TTempDir m_temp;
    TWorkingPaths m_paths;
    TFakeDialogs m_dialogs;
    TScreenShotPage m_page{nullptr, m_dialogs};
    QMenu m_menu;
    TGameObject m_game;
};

} // namespace

TEST_F(ScreenShotPage, FillsTheMenuWithTheViewerItems)
{
    EXPECT_EQ(MenuCaptions(),
              (QStringList{"Or&iginal", "&Scaled", "St&reched", "-", "&Title", "&Gameplay", "&Flyer",
                           "&Cabinet", "-", "&Delete current screenshot", "Con&vert all to PNG",
                           "Convert to new St&yle", "-", "Show C&ontrols", "Show File&name"}));
    EXPECT_TRUE(m_page.MSSCRScaled->isChecked());
    EXPECT_FALSE(m_page.MSSCROriginal->isChecked());
    for (QAction* item : {m_page.MSSCRTitle, m_page.MSSCRGameplay, m_page.MSSCRFlyer, m_page.MSSCRCabinet,
                          m_page.MSSCRControls, m_page.MSSCRName})
        EXPECT_TRUE(item->isChecked()) << item->text().toStdString();
    EXPECT_EQ(m_page.MSSCRControls->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(m_page.MSSCRName->shortcut(), QKeySequence("Ctrl+F"));
    EXPECT_TRUE(m_page.MSSCRDelete->isEnabled());
    EXPECT_EQ(m_page.SSShowName->text(), "None");
}

TEST_F(ScreenShotPage, ToolBarButtonsCarryTheirHintsAndShareTheWidth)
{
    QStringList hints;
    for (QToolButton* button : {m_page.SToolPlay, m_page.SToolPause, m_page.SToolPrev, m_page.SToolNext,
                                m_page.SToolTimer, m_page.SToolKill, m_page.SToolClose})
        hints << button->toolTip();
    EXPECT_EQ(hints, (QStringList{"Play", "Pause", "Previous", "Next", "Set Timer", "Delete Screenshot",
                                  "Hide Controls"}));
    EXPECT_TRUE(m_page.SToolPause->isChecked());
    m_page.show();
    m_page.SToolBar->resize(703, TSToolBar::kButtonHeight);
    EXPECT_EQ(m_page.SToolPlay->width(), 100);
    EXPECT_EQ(m_page.SToolClose->geometry(), QRect(600, 0, 100, 35));
}

TEST_F(ScreenShotPage, MenuEnablingFollowsListConverterAndOldFolder)
{
    TCurrentDirScope inTemp(m_temp.Path());
    m_page.LoadNew(&m_game);
    OpenMenu();
    EXPECT_FALSE(m_page.MSSCRDelete->isEnabled());
    EXPECT_FALSE(m_page.MSSCRConvertFormat->isEnabled());
    EXPECT_FALSE(m_page.MSSCRConvertToNewStyle->isEnabled());

    Picture("Gameplay/abc.001.bmp", 50);
    m_temp.WriteFile("nconvert.exe", "");
    fs::create_directories(m_temp.Path() / "pcx");
    m_page.LoadNew(&m_game);
    OpenMenu();
    EXPECT_TRUE(m_page.MSSCRDelete->isEnabled());
    EXPECT_TRUE(m_page.MSSCRConvertFormat->isEnabled());
    EXPECT_TRUE(m_page.MSSCRConvertToNewStyle->isEnabled());
}

TEST_F(ScreenShotPage, TheDeleteButtonWorksOnlyThroughAnEnabledMenuItem)
{
    m_page.LoadNew(&m_game);
    OpenMenu();
    Picture("Gameplay/abc.001.bmp", 50);
    m_page.LoadNew(&m_game);
    m_page.SToolKill->click();
    EXPECT_TRUE(m_dialogs.Messages.empty());
    OpenMenu();
    m_dialogs.Answers = {TMsgButton::Yes};
    m_page.SToolKill->click();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_FALSE(fs::exists(m_temp.Path() / "Gameplay/abc.001.bmp"));
    EXPECT_TRUE(m_page.NoShotImage->isVisibleTo(&m_page));
    EXPECT_EQ(m_page.SSShowName->text(), "");
}

TEST_F(ScreenShotPage, CategoryItemsRebuildTheList)
{
    Picture("Titles/abc.bmp", 60);
    Picture("Gameplay/abc.001.bmp", 70);
    m_page.LoadNew(&m_game);
    ASSERT_EQ(m_page.ScreenshotList().size(), 2u);
    m_page.MSSCRTitle->trigger();
    EXPECT_FALSE(m_page.MSSCRTitle->isChecked());
    ASSERT_EQ(m_page.ScreenshotList().size(), 1u);
    EXPECT_EQ(m_page.SSImage->Picture().width(), 70);
    m_page.MSSCRGameplay->trigger();
    EXPECT_TRUE(m_page.ScreenshotList().empty());
    EXPECT_TRUE(m_page.NoShotImage->isVisibleTo(&m_page));
    EXPECT_FALSE(m_page.SSPanel->isVisibleTo(&m_page));
}

TEST_F(ScreenShotPage, ScalingItemsAreOneRadioGroupAndPlaceThePicture)
{
    Picture("Gameplay/abc.001.bmp", 384);
    m_page.resize(393, 400);
    m_page.show();
    m_page.LoadNew(&m_game);
    const QSize panel = m_page.SSPanel->size();
    m_page.MSSCRStretched->trigger();
    EXPECT_TRUE(m_page.MSSCRStretched->isChecked());
    EXPECT_FALSE(m_page.MSSCRScaled->isChecked());
    EXPECT_EQ(m_page.SSImage->geometry(), QRect(QPoint(0, 0), panel));
    m_page.MSSCROriginal->trigger();
    EXPECT_FALSE(m_page.MSSCRStretched->isChecked());
    EXPECT_EQ(m_page.SSImage->size(), QSize(384, 256));
    m_page.MSSCRScaled->trigger();
    EXPECT_EQ(m_page.SSImage->geometry(), ScaledImageBounds(QSize(384, 256), panel, TScalingMode::Scaled));
}

TEST_F(ScreenShotPage, ControlsAndFileNameFollowTheirItems)
{
    m_page.show();
    m_page.ApplyScreenshotControls();
    EXPECT_TRUE(m_page.SToolBar->isVisible());
    EXPECT_TRUE(m_page.SSShowName->isVisible());
    m_page.SToolClose->click();
    EXPECT_FALSE(m_page.MSSCRControls->isChecked());
    EXPECT_FALSE(m_page.SToolBar->isVisible());
    m_page.MSSCRControls->trigger();
    EXPECT_TRUE(m_page.SToolBar->isVisible());
    m_page.MSSCRName->trigger();
    EXPECT_FALSE(m_page.SSShowName->isVisible());
    m_page.ApplyScreenshotControls();
    EXPECT_FALSE(m_page.SSShowName->isVisible());
}

TEST_F(ScreenShotPage, SettingsComeBackAsTheyWereApplied)
{
    TMainSettingsRecord in;
    in.Original = true;
    in.Scaled = false;
    in.Timer = 7;
    in.Title = false;
    in.Cabinet = false;
    in.ShowName = false;
    in.Play = true;
    m_page.ApplySettings(in);
    EXPECT_TRUE(m_page.MSSCROriginal->isChecked());
    EXPECT_FALSE(m_page.MSSCRTitle->isChecked());
    EXPECT_EQ(m_page.Viewer().Interval(), 7000);
    EXPECT_TRUE(m_page.Viewer().TimerEnabled());
    EXPECT_TRUE(m_page.SToolPlay->isChecked());
    TMainSettingsRecord out;
    m_page.CollectSettings(out);
    EXPECT_TRUE(out.Original);
    EXPECT_FALSE(out.Scaled);
    EXPECT_FALSE(out.Stretched);
    EXPECT_EQ(out.Timer, 7);
    EXPECT_FALSE(out.Title);
    EXPECT_TRUE(out.Game);
    EXPECT_TRUE(out.Flyer);
    EXPECT_FALSE(out.Cabinet);
    EXPECT_FALSE(out.ShowName);
    EXPECT_TRUE(out.ShowControls);
    EXPECT_TRUE(out.Play);
}

TEST_F(ScreenShotPage, SettingsWithNoScalingModeOrAZeroTimer)
{
    TMainSettingsRecord in;
    in.Scaled = false;
    in.Timer = 0;
    in.Play = false;
    m_page.ApplySettings(in);
    EXPECT_FALSE(m_page.MSSCROriginal->isChecked() || m_page.MSSCRScaled->isChecked() ||
                 m_page.MSSCRStretched->isChecked());
    EXPECT_FALSE(m_page.Viewer().PlayDown());
    m_page.SToolPlay->click();
    EXPECT_TRUE(m_page.Viewer().TimerEnabled());
    EXPECT_FALSE(m_page.Viewer().TimerActive());
    TMainSettingsRecord out;
    m_page.CollectSettings(out);
    EXPECT_FALSE(out.Original || out.Scaled || out.Stretched);
    EXPECT_EQ(out.Timer, 0);
    EXPECT_TRUE(out.Play);
}

TEST_F(ScreenShotPage, ALaunchStopsTheSlideshowAndRestoresItOnlyWhenPlaying)
{
    m_page.SToolPlay->click();
    EXPECT_TRUE(m_page.SToolPlay->isChecked());
    EXPECT_FALSE(m_page.SToolPause->isChecked());
    m_page.StopSlideshow();
    EXPECT_FALSE(m_page.Viewer().TimerEnabled());
    m_page.RestoreSlideshow();
    EXPECT_TRUE(m_page.Viewer().TimerEnabled());
    m_page.SToolPlay->click();
    EXPECT_TRUE(m_page.SToolPlay->isChecked());
    m_page.SToolPause->click();
    m_page.StopSlideshow();
    m_page.RestoreSlideshow();
    EXPECT_FALSE(m_page.Viewer().TimerEnabled());
}

TEST_F(ScreenShotPage, WorksBeforeTheTimerDialogExists)
{
    Picture("Gameplay/abc.001.bmp", 80);
    Picture("Gameplay/abc.002.bmp", 90);
    EXPECT_EQ(m_page.TimerDialog(), nullptr);
    m_page.LoadNew(&m_game);
    m_page.SToolNext->click();
    EXPECT_EQ(m_page.SSImage->Picture().width(), 90);
    m_page.SToolPrev->click();
    EXPECT_EQ(m_page.SSImage->Picture().width(), 80);
    m_page.CreateTimerDialog();
    ASSERT_NE(m_page.TimerDialog(), nullptr);
    EXPECT_EQ(m_page.TimerDialog()->windowTitle(), "ScreenShot Timer");
}

TEST_F(ScreenShotPage, SmoothPaintingWhenScaled)
{
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    checker.setPixel(1, 1, qRgb(0, 0, 0));
    checker.setPixel(1, 0, qRgb(255, 255, 255));
    checker.setPixel(0, 1, qRgb(255, 255, 255));
    m_page.SSImage->SetPicture(checker);
    m_page.SSImage->resize(20, 20);
    const QImage painted = m_page.SSImage->PaintedPicture();
    ASSERT_EQ(painted.size(), QSize(20, 20));
    const int grey = qGray(painted.pixel(10, 10));
    EXPECT_GT(grey, 20);
    EXPECT_LT(grey, 235);
}

TEST_F(ScreenShotPage, ThePanelShowsThroughTransparentPixels)
{
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(QRect(10, 10, 20, 20), QColor(200, 0, 0));
    Picture("Gameplay/abc.001.png", picture);
    QPalette palette = m_page.SSPanel->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    m_page.SSPanel->setPalette(palette);
    m_page.resize(300, 300);
    m_page.show();
    m_page.MSSCROriginal->trigger();
    m_page.LoadNew(&m_game);
    ASSERT_TRUE(m_dialogs.Messages.empty());
    const QImage shot = m_page.SSPanel->grab().toImage();
    const QPoint topLeft = m_page.SSImage->geometry().topLeft();
    EXPECT_EQ(QColor(shot.pixel(topLeft + QPoint(2, 2))), QColor(0, 0, 255));
    EXPECT_EQ(QColor(shot.pixel(topLeft + QPoint(20, 20))), QColor(200, 0, 0));
}

TEST_F(ScreenShotPage, PlayIsShownReleasedWhileTheDeleteQuestionIsOpen)
{
    Picture("Gameplay/abc.001.bmp", 50);
    m_page.LoadNew(&m_game);
    m_page.SToolPlayClick();
    ASSERT_TRUE(m_page.SToolPlay->isChecked());
    OpenMenu();
    bool playDrawnDown = true;
    bool pauseDrawnDown = false;
    m_dialogs.OnShow = [&](const TMessage&) {
        playDrawnDown = m_page.SToolPlay->isChecked();
        pauseDrawnDown = m_page.SToolPause->isChecked();
    };
    m_dialogs.Answers = {TMsgButton::No};
    m_page.SToolKill->click();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_FALSE(playDrawnDown);
    EXPECT_TRUE(pauseDrawnDown);
    // Answered, the slideshow plays on as before.
    EXPECT_TRUE(m_page.SToolPlay->isChecked());
    EXPECT_FALSE(m_page.SToolPause->isChecked());
}
