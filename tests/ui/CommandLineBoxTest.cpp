// The command line under the settings page: the text the next launch passes, the unforwarded words marked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettingsFiles.h"
#include "launch/CommandLine.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "ui/CommandLineBox.h"
#include "ui/SettingsPage.h"
#include "ui/SettingsPageSpinEdit.h"

namespace {

class CommandLineBoxTest : public ::testing::Test
{
protected:
    CommandLineBoxTest()
    {
        m_page.SetIniFilesDir(m_dir.Dir());
        m_page.SetDialogs(&m_dialogs);
        m_game.ZipName = "xyz";
        m_game.InstallState = 1;
    }

    QString Shown() const { return m_page.CommandLineBox->Arguments(); }
    bool Marked() const { return m_page.CommandLineBox->DroppedLine()->isVisibleTo(&m_page); }
    // The field shows the dropped words struck through.
    bool StruckAt(int position) const
    {
        QTextCursor cursor(m_page.CommandLineBox->Field()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontStrikeOut();
    }

    TTempDir m_dir;
    TFakeDialogs m_dialogs;
    TSettingsPage m_page;
    TGameObject m_game;
};

} // namespace

TEST_F(CommandLineBoxTest, FollowsTheControlsAndMatchesTheLaunchOnceSaved)
{
    EXPECT_EQ(Shown(), "");
    m_page.ShowGame(&m_game);
    m_page.CommandLineBox->Refresh();
    EXPECT_EQ(Shown(), "xyz -vsync -nojoy -ppro");
    EXPECT_FALSE(Marked());

    m_page.ChUseDefSettings->setChecked(false);
    m_page.ChUseDefSettingsClick();
    m_page.ChVerticalDisplay->setChecked(true);
    m_page.CBResolution->setEditText("640x480");
    m_page.CbSamplingRate->setEditText("22050");
    m_page.ChQuickFire1->setChecked(true);
    m_page.ChInterruptRate->SetValue(0);
    m_page.ChV30CpuClock->SetValue(150);
    const QString expected = "xyz -vert -vsync -res 640x480 -r 22050 -qf 1 -nojoy -ppro -int 0 -cpu 150";
    EXPECT_EQ(Shown(), expected);
    EXPECT_TRUE(Marked());
    EXPECT_NE(m_page.CommandLineBox->DroppedLine()->text().indexOf("will not receive"), -1);
    EXPECT_FALSE(StruckAt(int(expected.indexOf("-qf 1")) + 4)); // the ninth word
    EXPECT_TRUE(StruckAt(int(expected.indexOf("-nojoy"))));
    EXPECT_TRUE(StruckAt(int(expected.indexOf("150"))));

    m_page.SaveSettingsPanel();
    EXPECT_EQ(QString::fromStdString(BuildEmuCommandLine(m_game, m_dir.Dir())), expected);

    m_page.ChVerticalDisplay->setChecked(false);
    m_page.ChQuickFire1->setChecked(false);
    m_page.ChInterruptRate->SetValue(60);
    EXPECT_EQ(Shown(), "xyz -vsync -res 640x480 -r 22050 -nojoy -ppro -cpu 150");
    EXPECT_TRUE(Marked()); // ten words
    m_page.ChVsync->setChecked(false);
    EXPECT_EQ(Shown(), "xyz -res 640x480 -r 22050 -nojoy -ppro -cpu 150");
    EXPECT_FALSE(Marked());
    EXPECT_FALSE(StruckAt(int(Shown().indexOf("150"))));
}

TEST_F(CommandLineBoxTest, ANewGameWithTheSameSettingsGetsItsOwnName)
{
    TGameObject other = m_game;
    other.ZipName = "abc";
    m_page.ShowGame(&m_game);
    m_page.ShowGame(&other);
    m_page.CommandLineBox->Refresh();
    EXPECT_EQ(Shown(), "abc -vsync -nojoy -ppro");
    m_page.ShowGame(nullptr);
    m_page.CommandLineBox->Refresh();
    EXPECT_EQ(Shown(), "");
}

TEST_F(CommandLineBoxTest, KeepsDoubleBlanksAndIsReadOnly)
{
    m_page.CommandLineBox->ShowArguments("xyz -res  -nojoy");
    EXPECT_EQ(Shown(), "xyz -res  -nojoy");
    EXPECT_TRUE(m_page.CommandLineBox->Field()->isReadOnly());
    EXPECT_TRUE(m_page.CommandLineBox->Field()->textInteractionFlags() & Qt::TextSelectableByMouse);
}
