// The settings page's value rules, its tool bar and its layout at the sizes the main window allows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "catalogue/GameObject.h"
#include "controllers/SettingsPageText.h"
#include "support/TempDir.h"
#include "ui/SettingsPage.h"
#include "ui/SettingsPageSpinEdit.h"
#include "ui/SettingsPageToolbar.h"

namespace {
TEST(SettingsPageText, GammaCaptionCountsTenths)
{
    const struct
    {
        int Position;
        const char* Text;
    } cases[] = {{1, "0.1"}, {7, "0.7"}, {10, "1.0"}, {15, "1.5"}, {19, "1.9"}, {20, "2.0"}};
    for (const auto& row : cases) {
        EXPECT_EQ(GammaText(row.Position), row.Text) << row.Position;
    }
}

TEST(SettingsPageText, SpinEditTextReadsAsClampedDecimal)
{
    const struct
    {
        const char* Text;
        int Value;
    } cases[] = {{"60", 60}, {"0", 0},  {"999", 999}, {"1500", 999}, {"-5", 0},          {"", 0},
                 {"abc", 0}, {"1a", 0}, {" 42 ", 42}, {"007", 7},    {"99999999999", 0}, {"0x10", 0}};
    for (const auto& row : cases) {
        EXPECT_EQ(SpinEditTextValue(row.Text, 0, 999), row.Value) << '"' << row.Text << '"';
    }
    EXPECT_EQ(SpinEditTextValue("xyz", 5, 10), 5) << "no number reads as the minimum";
}

TEST(SettingsPageText, StoredTextIsCutToWholeCharacters)
{
    EXPECT_EQ(StoredText("1024x768", 8), "1024x768");
    EXPECT_EQ(StoredText("1234567890", 8), "12345678");
    EXPECT_EQ(StoredText("", 8), "");
    EXPECT_EQ(StoredText("34", 1), "3");
    EXPECT_EQ(StoredText(QString::fromUtf8("1234567\xC3\xA9"), 8), "1234567") << "no half of a character";
    EXPECT_EQ(StoredText(QString::fromUtf8("\xC3\xA9t\xC3\xA9"), 8), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(StoredText(QString::fromUtf8("\xF0\x9F\x8E\xAE!"), 8), "\xF0\x9F\x8E\xAE!");
    EXPECT_EQ(StoredText(QString::fromUtf8("\xC3\xA9"), 1), "");
}

TEST(SettingsPageSpinEdit, SetValueClampsAndTextFollows)
{
    TSpinEdit edit(0, 999, 3);
    edit.SetValue(1500);
    EXPECT_EQ(edit.Value(), 999);
    EXPECT_EQ(edit.text(), "999");
    edit.SetValue(-1);
    EXPECT_EQ(edit.Value(), 0);
    edit.SetValue(12);
    EXPECT_EQ(edit.text(), "12");
    edit.stepBy(1);
    EXPECT_EQ(edit.Value(), 13);
}

TEST(SettingsPageToolbar, ButtonsShareTheWidthHiddenOnesCounting)
{
    TSettingsToolbar toolbar;
    QToolButton* save = toolbar.AddButton("Save", "Save as Default Settings", QIcon());
    QToolButton* cancel = toolbar.AddButton("Cancel", "Cancel", QIcon());
    QToolButton* reset = toolbar.AddButton("Reset", "Undo Changes", QIcon());
    toolbar.resize(301, toolbar.sizeHint().height());
    toolbar.show();
    EXPECT_EQ(toolbar.ButtonWidth(), 100);
    for (QToolButton* button : {save, cancel, reset}) {
        EXPECT_EQ(button->width(), 100) << button->text().toStdString();
    }
    EXPECT_EQ(cancel->x(), 100);

    save->hide();
    cancel->hide();
    toolbar.LayOut();
    EXPECT_EQ(reset->x(), 0);
    EXPECT_EQ(reset->width(), 100) << "the hidden buttons still count";
    toolbar.resize(600, toolbar.height());
    EXPECT_EQ(reset->width(), 200);
}

class SettingsPageLookTest : public ::testing::Test
{
protected:
    SettingsPageLookTest()
    {
        m_page.SetIniFilesDir(m_dir.Dir());
        m_game.ZipName = "pacman";
        m_dir.WriteFile("pacman.ini", "[pacman]\n");
        m_page.ShowGame(&m_game);
        m_page.show();
    }

    void ResizeTo(int width, int height)
    {
        m_page.resize(width, height);
        QApplication::processEvents();
    }

    // Keeps a picture of the page for a person to look at when asked to.
    void Snapshot(const std::string& name)
    {
        const char* dir = std::getenv("KORB_SNAPSHOT_DIR");
        if (dir) {
            m_page.grab().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
        }
    }

    TTempDir m_dir;
    TGameObject m_game;
    TSettingsPage m_page;
};

TEST_F(SettingsPageLookTest, GroupsAreInTheirOrderInsideTheScrollingPanel)
{
    const QGroupBox* order[] = {m_page.GrDisplay, m_page.GrSound, m_page.GrControls, m_page.GrPerformance,
                                m_page.GrEmulation};
    const char* captions[] = {"Display", "Sound", "Controls", "Performance", "Emulation"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(order[i]->title(), captions[i]);
        EXPECT_TRUE(m_page.SettingsScrollBox->widget()->isAncestorOf(order[i]));
        if (i > 0) {
            EXPECT_LT(order[i - 1]->y(), order[i]->y());
        }
    }
    EXPECT_FALSE(m_page.SettingsScrollBox->isAncestorOf(m_page.ChUseDefSettings));
    EXPECT_LT(m_page.ChUseDefSettings->y(), m_page.SettingsScrollBox->y());
    EXPECT_LT(m_page.SettingsScrollBox->y(), m_page.SettingsToolbar->y());
}

TEST_F(SettingsPageLookTest, ControlsHaveTheirCaptionsItemsAndRanges)
{
    EXPECT_EQ(m_page.ChUseDefSettings->text(), "Use Default Settings");
    EXPECT_EQ(m_page.DefSetLabel->text(), "Configure Default Settings");
    EXPECT_EQ(m_page.ChPproOptimized->text(), "Pentium Pro / P2/ Celeron");
    EXPECT_EQ(m_page.ChScanlines->text(), "Scan Lines");
    EXPECT_EQ(m_page.SetToolSave->toolTip(), "Save as Default Settings");
    EXPECT_EQ(m_page.SetToolCancel->toolTip(), "Cancel");
    EXPECT_EQ(m_page.SetToolUndo->text(), "Reset");
    EXPECT_EQ(m_page.SetToolUndo->toolTip(), "Undo Changes");
    const QStringList resolutions = {"Default", "400x300", "512x384", "640x480", "800x600", "1024x768"};
    ASSERT_EQ(m_page.CBResolution->count(), resolutions.size());
    for (int i = 0; i < resolutions.size(); ++i) {
        EXPECT_EQ(m_page.CBResolution->itemText(i), resolutions[i]);
    }
    EXPECT_EQ(m_page.CbSamplingRate->itemText(3), "44100");
    EXPECT_EQ(m_page.ChFrameSkip->itemText(5), "5");
    EXPECT_TRUE(m_page.CBResolution->isEditable());
    EXPECT_EQ(m_page.ChGammaCorrection->minimum(), 1);
    EXPECT_EQ(m_page.ChGammaCorrection->maximum(), 20);
    EXPECT_EQ(m_page.ChInterruptRate->maximum(), 999);
    EXPECT_EQ(m_page.ChV30CpuClock->minimum(), 0);

    TSettingsPage fresh;
    EXPECT_EQ(fresh.ChGammaCorrection->value(), 10);
    EXPECT_EQ(fresh.GammaLabel->text(), "1.0");
    EXPECT_EQ(fresh.ChInterruptRate->Value(), 60);
    EXPECT_EQ(fresh.ChV30CpuClock->Value(), 12);
    EXPECT_EQ(fresh.ChFrameSkip->currentText(), "0");
    EXPECT_EQ(fresh.CbSamplingRate->currentText(), "Default");
    EXPECT_FALSE(fresh.SetToolSave->isVisibleTo(&fresh));
    EXPECT_TRUE(fresh.SetToolUndo->isVisibleTo(&fresh));
}

TEST_F(SettingsPageLookTest, MovingTheTrackBarUpdatesTheGammaCaption)
{
    m_page.ChGammaCorrection->setValue(7);
    EXPECT_EQ(m_page.GammaLabel->text(), "0.7");
    QTest::keyClick(m_page.ChGammaCorrection, Qt::Key_End);
    EXPECT_EQ(m_page.GammaLabel->text(), "2.0");
}

TEST_F(SettingsPageLookTest, ScrollBarAppearsExactlyWhenTheGroupsDoNotFit)
{
    ResizeTo(420, 1000);
    Snapshot("settings-420x1000");
    EXPECT_FALSE(m_page.SettingsScrollBox->verticalScrollBar()->isVisible());
    ResizeTo(420, 260);
    Snapshot("settings-420x260");
    EXPECT_TRUE(m_page.SettingsScrollBox->verticalScrollBar()->isVisible());
    m_page.SettingsScrollBox->ensureWidgetVisible(m_page.ChV30CpuClock);
    QApplication::processEvents();
    const QRect viewport = m_page.SettingsScrollBox->viewport()->rect();
    const QPoint corner = m_page.ChV30CpuClock->mapTo(m_page.SettingsScrollBox->viewport(), QPoint(0, 0));
    EXPECT_TRUE(viewport.contains(QRect(corner, m_page.ChV30CpuClock->size())))
        << "the last control can be reached";
}

TEST_F(SettingsPageLookTest, WheelOverAnUnfocusedValueScrollsThePanelInstead)
{
    ResizeTo(420, 200);
    QScrollBar* bar = m_page.SettingsScrollBox->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    const QPoint inside(5, 5);
    QWheelEvent down(inside, m_page.ChGammaCorrection->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_page.ChGammaCorrection, &down);
    EXPECT_EQ(m_page.ChGammaCorrection->value(), 10);
    EXPECT_GT(bar->value(), 0);

    m_page.ChGammaCorrection->setFocus();
    QWheelEvent again(inside, m_page.ChGammaCorrection->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_page.ChGammaCorrection, &again);
    EXPECT_NE(m_page.ChGammaCorrection->value(), 10) << "a focused track bar takes the wheel";
}

TEST_F(SettingsPageLookTest, NothingIsCutAtNarrowOrWideSizes)
{
    m_page.EnterDefaultSettingsMode();
    for (const QSize size :
         {QSize(m_page.minimumSizeHint().width(), 200), QSize(260, 400), QSize(900, 700)}) {
        ResizeTo(size.width(), size.height());
        Snapshot("settings-" + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        for (QToolButton* button : {m_page.SetToolSave, m_page.SetToolCancel, m_page.SetToolUndo}) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
            EXPECT_LE(button->geometry().right(), m_page.SettingsToolbar->width());
        }
        // Inside the scrolling content, every check box and label has room for its whole caption.
        for (QAbstractButton* box : m_page.SettingsScrollBox->widget()->findChildren<QCheckBox*>()) {
            EXPECT_GE(box->width(), box->sizeHint().width()) << box->text().toStdString();
        }
        for (QLabel* label : m_page.SettingsScrollBox->widget()->findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
        }
        EXPECT_GE(m_page.DefSetLabel->width(), m_page.DefSetLabel->sizeHint().width());
    }
}
} // namespace
