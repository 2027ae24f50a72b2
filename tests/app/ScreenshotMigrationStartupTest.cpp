// The screenshot migration as start-up offers it: asked once for settings of an older layout, moving the
// catalogue's shots, and never again once the settings were saved.
#include "app/Startup.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char* const kQuestion =
    "VantorKorb has changed screenshots placement.\rAutomatically move and rename you Screenshots?";

class MigrationAtStart : public ::testing::Test
{
protected:
    MigrationAtStart() : m_cwd(m_dir.Path())
    {
        m_dir.WriteFile("korb.exe", "not run by the fake");
        m_dir.WriteFile("Readme.txt", "Korb\r\nGame name            Internal name\r\n"
                                      "Galaxy Raiders       galaxyrd\r\nGalaxy Raiders II    galaxyr2\r\n");
        TFakeProcesses::TOutcome outcome;
        const std::string output = m_dir.Dir() + "KorbVantor.txt";
        outcome.OnRun = [output] {
            std::ofstream(output, std::ios::binary) << "Supported games:\r\ngalaxyrd galaxyr2\r\n";
        };
        m_processes.Outcomes.push_back(outcome);
    }

    int Questions() const
    {
        int count = 0;
        for (const TMessage& message : m_dialogs.Messages)
            count += message.Text == kQuestion;
        return count;
    }

    TTempDir m_dir;
    TCurrentDirScope m_cwd;
    TFakeDialogs m_dialogs;
    TFakeProcesses m_processes;
};

TEST_F(MigrationAtStart, OldSettingsAreAskedOnceAndTheShotsMoveForTheCatalogue)
{
    m_dir.WriteFile("Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=./\r\n");
    m_dir.WriteFile("pcx/galaxy01.pcx", "title");
    m_dir.WriteFile("pcx/galaxy02.pcx", "play");
    m_dialogs.Answers = {TMsgButton::Yes};
    {
        TStartup startup(m_dialogs, m_processes);
        ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
        EXPECT_EQ(Questions(), 1);
        EXPECT_EQ(m_dialogs.BeepCount, 1);
        // The readme lists galaxyrd first, so it takes the shared prefix.
        EXPECT_EQ(m_dir.ReadFile("Titles/galaxyrd.pcx"), "title");
        EXPECT_EQ(m_dir.ReadFile("Gameplay/galaxyrd.001.pcx"), "play");
        EXPECT_FALSE(fs::exists("pcx"));
        startup.SaveSequence();
    }
    m_dir.WriteFile("pcx/galaxy03.pcx", "later");
    TStartup again(m_dialogs, m_processes);
    ASSERT_EQ(again.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(Questions(), 1) << "the saved settings hold the screenshot keys";
    EXPECT_TRUE(fs::exists("pcx/galaxy03.pcx"));
}

TEST_F(MigrationAtStart, FirstStartWithoutSettingsAsksNothing)
{
    m_dir.WriteFile("pcx/galaxy01.pcx", "title");
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    EXPECT_EQ(Questions(), 0);
    EXPECT_TRUE(fs::exists("pcx/galaxy01.pcx"));
}

TEST_F(MigrationAtStart, TheMenuCommandAsksAgainWhateverTheSettings)
{
    TStartup startup(m_dialogs, m_processes);
    ASSERT_EQ(startup.LoadSequence(true), TLoadOutcome::Loaded);
    m_dir.WriteFile("pcx/galaxy02.pcx", "play");
    m_dialogs.Answers = {TMsgButton::Yes};
    startup.MigrateOldScreenshots();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(m_dir.ReadFile("Gameplay/galaxyrd.001.pcx"), "play");
}

} // namespace
