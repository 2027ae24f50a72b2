// The settings editor without its page: the record it edits, the defaults mode and its end, and a file
// that cannot be read, which must never be written over by what the page happens to show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/GameSettingsFiles.h"
#include "controllers/SettingsEditor.h"
#include "support/TempDir.h"

namespace {
class TSettingsEditorTest : public ::testing::Test
{
protected:
    TSettingsEditorTest()
    {
        m_game.ZipName = "pacman";
        m_editor.SetIniFilesDir(m_dir.Dir());
        m_editor.OnFailure = [this](const std::string& text) { m_failures.push_back(text); };
    }
    TGameSettingsObject Stored(const std::string& name) const
    {
        TGameSettingsObject settings;
        LoadSettings(settings, m_dir.Dir(), name);
        return settings;
    }

    TTempDir m_dir;
    TGameObject m_game;
    TSettingsEditor m_editor;
    std::vector<std::string> m_failures;
};
} // namespace

TEST_F(TSettingsEditorTest, AGameReadsTheDefaultsUntilItsOwnFileIsSavedAndDeleted)
{
    TGameSettingsObject defaults;
    defaults.Vsync = true;
    SaveSettings(defaults, m_dir.Dir(), kDefaultSettingsName);
    m_editor.ShowGame(&m_game);
    EXPECT_TRUE(m_editor.UsesDefaults());
    EXPECT_TRUE(m_editor.Load()->Vsync);
    TGameSettingsObject own;
    own.Joystick = true;
    m_editor.Save(own);
    EXPECT_FALSE(m_editor.UsesDefaults());
    EXPECT_TRUE(m_editor.Load()->Joystick);
    m_editor.UseDefaults();
    EXPECT_TRUE(m_editor.UsesDefaults());
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(TSettingsEditorTest, TheDefaultsModeIgnoresSelectionsAndItsEndAsksForOne)
{
    m_editor.ShowGame(&m_game);
    ASSERT_TRUE(m_editor.EnterDefaultMode());
    EXPECT_FALSE(m_editor.EnterDefaultMode());
    EXPECT_EQ(m_editor.CurrentGame()->ZipName, kDefaultSettingsName);
    EXPECT_FALSE(m_editor.ShowGame(&m_game));
    TGameSettingsObject settings;
    settings.ScanLines = true;
    m_editor.Save(settings);
    EXPECT_TRUE(Stored(kDefaultSettingsName).ScanLines);
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "pacman.ini"));
    // The window selects again while the end is announced, or the caller shows no game.
    EXPECT_FALSE(m_editor.LeaveDefaultMode([this] { m_editor.ShowGame(&m_game); }));
    EXPECT_EQ(m_editor.CurrentGame(), &m_game);
    m_editor.EnterDefaultMode();
    EXPECT_TRUE(m_editor.LeaveDefaultMode([] {}));
    EXPECT_EQ(m_editor.CurrentGame(), nullptr);
    EXPECT_FALSE(m_editor.SavesOnLeave());
}

TEST_F(TSettingsEditorTest, AFileThatCannotBeReadIsReportedAndNotSavedOverOnLeave)
{
    std::filesystem::create_directory(m_dir.Path() / "Default.ini");
    m_editor.ShowGame(&m_game);
    EXPECT_TRUE(m_editor.SavesOnLeave());
    EXPECT_FALSE(m_editor.Load());
    EXPECT_FALSE(m_editor.SavesOnLeave());
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_NE(m_failures[0].find("Default.ini"), std::string::npos) << m_failures[0];
    std::filesystem::remove(m_dir.Path() / "Default.ini");
    EXPECT_TRUE(m_editor.Load());
    EXPECT_TRUE(m_editor.SavesOnLeave());
}

TEST_F(TSettingsEditorTest, AFailureIsReportedOnceUntilTheGameChangesOrTheFileReadsAgain)
{
    std::filesystem::create_directory(m_dir.Path() / "Default.ini");
    TGameObject other;
    other.ZipName = "galaga";
    m_editor.ShowGame(&m_game);
    for (int focusChange = 0; focusChange < 3; ++focusChange) {
        m_editor.ShowGame(&m_game);
        m_editor.Load();
    }
    EXPECT_EQ(m_failures.size(), 1u);
    m_editor.ShowGame(&other);
    m_editor.Load();
    EXPECT_EQ(m_failures.size(), 2u) << "another game is another action";
    std::filesystem::remove(m_dir.Path() / "Default.ini");
    EXPECT_TRUE(m_editor.Load());
    std::filesystem::create_directory(m_dir.Path() / "Default.ini");
    m_editor.Load();
    EXPECT_EQ(m_failures.size(), 3u) << "the file failed again after it had read";
}
