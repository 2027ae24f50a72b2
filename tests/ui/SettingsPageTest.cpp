// The settings page driven as a user drives it: focus moves, clicks and keys, with real settings files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"
#include "catalogue/GameSettingsFiles.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "ui/SettingsPage.h"
#include "ui/SettingsPageSpinEdit.h"
#include "ui/SettingsPageToolbar.h"

namespace {
class SettingsPageTest : public ::testing::Test
{
protected:
    SettingsPageTest()
    {
        auto* layout = new QHBoxLayout(&m_window);
        m_elsewhere = new QLineEdit(&m_window);
        layout->addWidget(m_elsewhere);
        m_pageControl = new QTabWidget(&m_window);
        layout->addWidget(m_pageControl);
        m_screenshot = new QLineEdit;
        m_pageControl->addTab(m_screenshot, "Screenshot");
        m_page = new TSettingsPage;
        m_pageControl->addTab(m_page, "Settings");
        m_page->SetPageControl(m_pageControl);
        m_page->SetIniFilesDir(m_dir.Dir());
        m_page->SetDialogs(&m_dialogs);
        m_window.resize(700, 700);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_game.ZipName = "pacman";
        m_game.GameName = "Pac Man";
        m_game.InstallState = 1;
        m_other.ZipName = "galaga";
        m_other.GameName = "Galaga";
    }

    void ShowSettingsTab() { m_pageControl->setCurrentWidget(m_page); }

    static void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // Lays out widgets shown a moment ago before the click lands on them; near the left edge, where a
    // check box that is wider than its caption takes clicks.
    static void Click(QWidget* widget)
    {
        QApplication::processEvents();
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
        QApplication::processEvents();
    }

    bool HasFile(const std::string& name) const
    {
        return std::filesystem::exists(m_dir.Path() / (name + ".ini"));
    }

    TGameSettingsObject Stored(const std::string& name) const
    {
        TGameSettingsObject settings;
        LoadSettings(settings, m_dir.Dir(), name);
        return settings;
    }

    void WriteSettings(const std::string& name, const std::string& lines) const
    {
        m_dir.WriteFile(name + ".ini", "[" + name + "]\n" + lines);
    }

    // Shows the game with its own settings file, so the panel is visible.
    void ShowOwnSettings(const std::string& lines)
    {
        WriteSettings(m_game.ZipName, lines);
        ShowSettingsTab();
        m_page->ShowGame(&m_game);
    }

    TTempDir m_dir;
    TFakeDialogs m_dialogs;
    QWidget m_window;
    QLineEdit* m_elsewhere = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QLineEdit* m_screenshot = nullptr;
    TSettingsPage* m_page = nullptr;
    TGameObject m_game;
    TGameObject m_other;
};

TEST_F(SettingsPageTest, FocusLeavingPanelCreatesOwnFileEvenWithoutChange)
{
    ShowSettingsTab();
    m_page->ShowGame(&m_game);
    ASSERT_TRUE(m_page->ChUseDefSettings->isChecked());
    EXPECT_FALSE(m_page->SettingsScrollBox->isVisibleTo(m_page));

    Click(m_page->ChUseDefSettings);
    EXPECT_FALSE(m_page->ChUseDefSettings->isChecked());
    EXPECT_TRUE(m_page->SettingsScrollBox->isVisible());
    EXPECT_TRUE(m_page->SetToolUndo->isVisible());
    EXPECT_FALSE(HasFile("pacman")) << "clearing the box writes nothing by itself";

    Focus(m_page->ChVsync);
    EXPECT_FALSE(HasFile("pacman"));
    Focus(m_elsewhere);
    ASSERT_TRUE(HasFile("pacman"));
    const TGameSettingsObject stored = Stored("pacman");
    EXPECT_TRUE(stored.Vsync);
    EXPECT_EQ(stored.Resolution, "Default");
    EXPECT_EQ(stored.InterruptRate, 60);

    m_page->ShowGame(&m_other);
    m_page->ShowGame(&m_game);
    EXPECT_FALSE(m_page->ChUseDefSettings->isChecked()) << "the game now has settings of its own";
}

TEST_F(SettingsPageTest, FocusMovesThatDoNotLeaveThePanelSaveNothing)
{
    ShowOwnSettings("Vsync=1\n");
    m_dir.WriteFile("pacman.ini", "");
    Focus(m_page->ChVsync);
    Focus(m_page->ChScanlines);
    EXPECT_EQ(m_dir.ReadFile("pacman.ini"), "") << "focus stayed inside the panel";
    Focus(m_page->SetToolUndo);
    EXPECT_EQ(m_dir.ReadFile("pacman.ini"), "") << "the page's own tool bar does not count as leaving";
    Focus(m_page->ChScanlines);
    Click(m_page->ChScanlines);
    Focus(m_elsewhere);
    EXPECT_TRUE(Stored("pacman").ScanLines);
}

TEST_F(SettingsPageTest, SwitchingToTheOtherTabSavesThePanel)
{
    ShowOwnSettings("PerfCounter=0\n");
    Focus(m_page->ChPerfCounter);
    QTest::keyClick(m_page->ChPerfCounter, Qt::Key_Space);
    m_pageControl->setCurrentWidget(m_screenshot);
    QApplication::processEvents();
    EXPECT_TRUE(Stored("pacman").PerfCounter);
}

TEST_F(SettingsPageTest, UseDefaultSettingsDeletesOwnFileAndShowsDefaults)
{
    WriteSettings("Default", "Resolution=800x600\nVsync=0\n");
    ShowOwnSettings("Resolution=640x480\nVsync=1\n");
    ASSERT_FALSE(m_page->ChUseDefSettings->isChecked());
    EXPECT_EQ(m_page->CBResolution->currentText(), "640x480");
    EXPECT_TRUE(m_page->ChVsync->isChecked());

    Focus(m_page->CBResolution);
    Click(m_page->ChUseDefSettings);
    QApplication::processEvents();
    EXPECT_FALSE(HasFile("pacman"));
    EXPECT_FALSE(m_page->SettingsScrollBox->isVisibleTo(m_page));
    EXPECT_FALSE(m_page->SetToolUndo->isVisibleTo(m_page));
    EXPECT_EQ(m_page->CBResolution->currentText(), "800x600");
    EXPECT_FALSE(m_page->ChVsync->isChecked());

    // Clearing it again shows the defaults and writes the game's file only when the focus leaves.
    Click(m_page->ChUseDefSettings);
    EXPECT_EQ(m_page->CBResolution->currentText(), "800x600");
    EXPECT_FALSE(HasFile("pacman"));
    Focus(m_page->CBResolution);
    Focus(m_elsewhere);
    EXPECT_EQ(Stored("pacman").Resolution, "800x600");
    EXPECT_TRUE(HasFile("Default"));
}

TEST_F(SettingsPageTest, ShownValuesAreClampedAndTheNextSaveStoresThem)
{
    ShowOwnSettings("GammaCorrection=0\nInterruptRate=1500\nV30CpuClock=-5\n");
    EXPECT_EQ(m_page->ChGammaCorrection->value(), 1);
    EXPECT_EQ(m_page->GammaLabel->text(), "0.1");
    EXPECT_EQ(m_page->ChInterruptRate->Value(), 999);
    EXPECT_EQ(m_page->ChV30CpuClock->Value(), 0);
    Focus(m_page->ChVsync);
    Focus(m_elsewhere);
    TGameSettingsObject stored = Stored("pacman");
    EXPECT_EQ(stored.GammaCorrection, 1);
    EXPECT_EQ(stored.InterruptRate, 999);
    EXPECT_EQ(stored.V30CpuClock, 0);

    WriteSettings("pacman", "GammaCorrection=25\n");
    m_page->SettingsResetButtonClick();
    EXPECT_EQ(m_page->ChGammaCorrection->value(), 20);
    EXPECT_EQ(m_page->GammaLabel->text(), "2.0");
    Focus(m_page->ChVsync);
    Focus(m_elsewhere);
    EXPECT_EQ(Stored("pacman").GammaCorrection, 20);
}

TEST_F(SettingsPageTest, LongTextsAreCutWhenStored)
{
    ShowOwnSettings("");
    Focus(m_page->CBResolution);
    m_page->CBResolution->lineEdit()->selectAll();
    QTest::keyClicks(m_page->CBResolution, "1234567890");
    m_page->CbSamplingRate->setEditText("441000000");
    Focus(m_page->ChFrameSkip);
    m_page->ChFrameSkip->lineEdit()->selectAll();
    QTest::keyClicks(m_page->ChFrameSkip, "34");
    EXPECT_EQ(m_page->ChFrameSkip->currentText(), "3") << "the frame-skip edit takes one character";
    Focus(m_elsewhere);
    const TGameSettingsObject stored = Stored("pacman");
    EXPECT_EQ(stored.Resolution, "12345678");
    EXPECT_EQ(stored.SamplingRate, "44100000");
    EXPECT_EQ(stored.FrameSkip, "3");
    m_page->ShowGame(&m_game);
    EXPECT_EQ(m_page->CBResolution->currentText(), "12345678");

    m_page->ChFrameSkip->setEditText("");
    Focus(m_page->ChFrameSkip);
    Focus(m_elsewhere);
    EXPECT_EQ(Stored("pacman").FrameSkip, "");
}

TEST_F(SettingsPageTest, SpinEditTextThatIsNoNumberIsStoredAsZero)
{
    ShowOwnSettings("InterruptRate=75\n");
    Focus(m_page->ChInterruptRate);
    m_page->ChInterruptRate->selectAll();
    QTest::keyClicks(m_page->ChInterruptRate, "ab");
    EXPECT_EQ(m_page->ChInterruptRate->Value(), 0);
    Focus(m_elsewhere);
    EXPECT_EQ(m_page->ChInterruptRate->text(), "0") << "the text is replaced when the focus leaves";
    EXPECT_EQ(Stored("pacman").InterruptRate, 0);

    Focus(m_page->ChV30CpuClock);
    m_page->ChV30CpuClock->selectAll();
    QTest::keyClicks(m_page->ChV30CpuClock, "1234");
    EXPECT_EQ(m_page->ChV30CpuClock->text(), "123") << "at most three characters";
    Focus(m_elsewhere);
    EXPECT_EQ(Stored("pacman").V30CpuClock, 123);
}

TEST_F(SettingsPageTest, ResetDropsUnsavedEdits)
{
    ShowOwnSettings("ScanLines=1\n");
    Focus(m_page->ChScanlines);
    QTest::keyClick(m_page->ChScanlines, Qt::Key_Space);
    ASSERT_FALSE(m_page->ChScanlines->isChecked());
    Click(m_page->SetToolUndo);
    EXPECT_TRUE(m_page->ChScanlines->isChecked());
    EXPECT_EQ(m_dir.ReadFile("pacman.ini"), "[pacman]\nScanLines=1\n") << "reset writes nothing";
}

TEST_F(SettingsPageTest, NoGameHidesCheckBoxAndPanelAndSavesNothing)
{
    ShowSettingsTab();
    m_page->ShowGame(&m_game);
    m_page->ShowGame(nullptr);
    EXPECT_FALSE(m_page->ChUseDefSettings->isVisibleTo(m_page));
    EXPECT_FALSE(m_page->SettingsScrollBox->isVisibleTo(m_page));
    EXPECT_EQ(m_page->CurrentGame(), nullptr);
    m_page->SaveSettingsPanel();
    m_page->SettingsScrollBoxExit(m_elsewhere);
    Focus(m_page->SetToolUndo);
    Focus(m_elsewhere);
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(SettingsPageTest, EnterPressesStartWithoutMovingTheFocusOrSaving)
{
    ShowOwnSettings("Vsync=1\n");
    QSignalSpy start(m_page, &TSettingsPage::StartRequested);
    const std::string before = m_dir.ReadFile("pacman.ini");
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_page->CBResolution, m_page->ChVsync, m_page->ChInterruptRate, m_page->ChGammaCorrection}) {
        Focus(control);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), control);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(start.count(), 5);
    EXPECT_EQ(m_dir.ReadFile("pacman.ini"), before);
    EXPECT_EQ(m_page->CBResolution->count(), 6) << "Enter adds no item to the drop-down list";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(start.count(), 5);
}

TEST_F(SettingsPageTest, CommandChangingTheGameKeepsEditsOfTheFocusedPanel)
{
    ShowOwnSettings("Joystick=0\n");
    Focus(m_page->ChJoystick);
    QTest::keyClick(m_page->ChJoystick, Qt::Key_Space);
    m_page->ShowGame(&m_other);
    EXPECT_TRUE(Stored("pacman").Joystick);
    EXPECT_FALSE(HasFile("galaga")) << "the new game uses the defaults; hiding the panel stores nothing";
    EXPECT_EQ(m_page->CurrentGame(), &m_other);
}

TEST_F(SettingsPageTest, DefaultSettingsModeSavesDefaultIniWithSave)
{
    ShowOwnSettings("Vsync=1\n");
    m_pageControl->setCurrentWidget(m_screenshot);
    QSignalSpy ended(m_page, &TSettingsPage::DefaultSettingsModeEnded);
    QObject::connect(m_page, &TSettingsPage::DefaultSettingsModeEnded, m_page,
                     [this] { m_page->ShowGame(&m_game); });

    m_page->EnterDefaultSettingsMode();
    ASSERT_TRUE(m_page->DefaultSettingsMode());
    ASSERT_NE(m_page->CurrentGame(), nullptr);
    EXPECT_EQ(m_page->CurrentGame()->ZipName, "Default");
    EXPECT_EQ(m_page->CurrentGame()->GameName, "Unknown");
    EXPECT_EQ(m_pageControl->currentWidget(), m_page);
    EXPECT_FALSE(m_page->ChUseDefSettings->isVisible());
    EXPECT_TRUE(m_page->DefSetLabel->isVisible());
    EXPECT_TRUE(m_page->SettingsScrollBox->isVisible());
    EXPECT_TRUE(m_page->SetToolSave->isVisible());
    EXPECT_TRUE(m_page->SetToolCancel->isVisible());
    EXPECT_TRUE(m_page->SetToolUndo->isVisible());
    EXPECT_TRUE(m_page->ChVsync->isChecked()) << "no Default.ini yet: the table's defaults";

    m_page->ShowGame(&m_other);
    EXPECT_EQ(m_page->CurrentGame()->ZipName, "Default")
        << "a selection during the editing waits for its end";
    m_page->SettingsResetButtonClick();
    EXPECT_FALSE(m_page->ChUseDefSettings->isVisible()) << "the label keeps its place after Reset";

    Focus(m_page->ChVsync);
    QTest::keyClick(m_page->ChVsync, Qt::Key_Space);
    EXPECT_FALSE(HasFile("Default"));
    Click(m_page->SetToolSave);
    ASSERT_TRUE(HasFile("Default"));
    EXPECT_FALSE(Stored("Default").Vsync);
    EXPECT_TRUE(Stored("pacman").Vsync) << "the game's own settings are untouched";

    EXPECT_FALSE(m_page->DefaultSettingsMode());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(m_page->CurrentGame(), &m_game);
    EXPECT_EQ(m_pageControl->currentWidget(), m_screenshot) << "the page active before is back";
    EXPECT_FALSE(m_page->SetToolSave->isVisibleTo(m_page));
    EXPECT_FALSE(m_page->SetToolCancel->isVisibleTo(m_page));
    EXPECT_FALSE(m_page->DefSetLabel->isVisibleTo(m_page));
    EXPECT_TRUE(m_page->ChUseDefSettings->isVisibleTo(m_page));
}

TEST_F(SettingsPageTest, CancelAfterAFocusLeaveDoesNotUndoIt)
{
    ShowSettingsTab();
    m_page->EnterDefaultSettingsMode();
    Focus(m_page->ChScanlines);
    QTest::keyClick(m_page->ChScanlines, Qt::Key_Space);
    Focus(m_elsewhere);
    ASSERT_TRUE(HasFile("Default"));
    EXPECT_TRUE(Stored("Default").ScanLines);

    Focus(m_page->ChJoystick);
    QTest::keyClick(m_page->ChJoystick, Qt::Key_Space);
    Click(m_page->SetToolCancel);
    EXPECT_FALSE(m_page->DefaultSettingsMode());
    EXPECT_TRUE(Stored("Default").ScanLines);
    EXPECT_FALSE(Stored("Default").Joystick) << "cancel stores nothing";
    EXPECT_EQ(m_page->CurrentGame(), nullptr) << "nobody selected a game again";
    EXPECT_FALSE(m_page->SettingsScrollBox->isVisibleTo(m_page));
    EXPECT_EQ(m_pageControl->currentWidget(), m_page) << "the settings page was active before";
    Focus(m_elsewhere);
    EXPECT_FALSE(Stored("Default").Joystick);
}

TEST_F(SettingsPageTest, AFailedSaveIsReportedAndThePageKeepsWorking)
{
    ShowOwnSettings("Vsync=1\n");
    m_page->SetIniFilesDir(m_dir.Dir() + "missing/");
    Focus(m_page->ChVsync);
    Focus(m_elsewhere);
    QApplication::processEvents();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Caption, "Error");
    EXPECT_EQ(m_dialogs.Messages[0].Icon, TMsgIcon::Error);
    EXPECT_FALSE(m_dialogs.Messages[0].Text.empty());

    m_page->SetIniFilesDir(m_dir.Dir());
    Focus(m_page->ChVsync);
    Focus(m_elsewhere);
    EXPECT_TRUE(HasFile("pacman"));
}

TEST_F(SettingsPageTest, SettingsThatCannotBeReadAreReportedOnceAndNotWrittenOnFocusLeave)
{
    std::filesystem::create_directory(m_dir.Path() / "Default.ini");
    ShowSettingsTab();
    m_page->EnterDefaultSettingsMode();
    Focus(m_page->ChVsync);
    Focus(m_elsewhere);
    QApplication::processEvents();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_NE(m_dialogs.Messages[0].Text.find("Default.ini"), std::string::npos)
        << m_dialogs.Messages[0].Text;
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "Default.ini"));
    m_page->DefaultSettingsCancelButtonClick();
    EXPECT_FALSE(m_page->DefaultSettingsMode());
}
} // namespace

namespace {
// The check box (or the label standing in for it) at the top and the tool bar at the bottom, whatever
// is shown in between.
TEST_F(SettingsPageTest, CheckBoxStaysAtTheTopAndToolBarAtTheBottomInEveryState)
{
    ShowSettingsTab();
    auto expectSteady = [&](const char* state) {
        QApplication::processEvents();
        const int bottom = m_page->height();
        EXPECT_EQ(m_page->SettingsToolbar->geometry().bottom() + 1, bottom) << state;
        for (QWidget* top :
             {static_cast<QWidget*>(m_page->ChUseDefSettings), static_cast<QWidget*>(m_page->DefSetLabel)}) {
            if (top->isVisible()) {
                EXPECT_LE(top->y(), 4) << state;
            }
        }
    };
    m_page->ShowGame(nullptr);
    expectSteady("no game");
    const int toolbarTop = m_page->SettingsToolbar->y();
    m_page->ShowGame(&m_game);
    ASSERT_TRUE(m_page->ChUseDefSettings->isChecked());
    expectSteady("uses the defaults");
    const int checkTop = m_page->ChUseDefSettings->y();
    Click(m_page->ChUseDefSettings);
    ASSERT_TRUE(m_page->SettingsScrollBox->isVisible());
    expectSteady("own settings");
    EXPECT_EQ(m_page->ChUseDefSettings->y(), checkTop);
    m_page->EnterDefaultSettingsMode();
    expectSteady("default settings");
    EXPECT_EQ(m_page->SettingsToolbar->y(), toolbarTop);
    m_page->DefaultSettingsCancelButtonClick();
    m_page->ShowGame(&m_game);
    expectSteady("back");
}
} // namespace
