// "Open Emulator Folder..." and the folders used last: where the items sit, and a switch that saves the
// old folder, loads the new one and refuses a folder another running program works in.
#include "ui/EmulatorFolderMenu.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include "app/EmulatorFolder.h"
#include "app/Startup.h"
#include "platform/FolderLock.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMedia.h"
#include "support/FakeProcesses.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"
#include "ui/GameListModel.h"
#include "ui/Main1.h"

namespace fs = std::filesystem;

namespace {

void MakeEmulator(const TTempDir& dir, const std::string& games)
{
    dir.WriteFile("korb.exe", "run by the fake");
    std::string readme = "Korb\r\nGame name            Internal name\r\n";
    std::istringstream words(games);
    for (std::string zip; words >> zip;)
        readme += "Game " + zip + "             " + zip + "\r\n";
    dir.WriteFile("Readme.txt", readme);
    dir.WriteFile("games.txt", "Korb\r\nSupported games:\r\n" + games + "\r\n");
}

class EmulatorFolderMenuTest : public ::testing::Test
{
protected:
    EmulatorFolderMenuTest() : m_cwd((MakeEmulator(m_a, "alpha beta"), m_a.Path()))
    {
        MakeEmulator(m_b, "gamma");
        m_services.Dialogs = &m_dialogs;
        m_services.Shell = &m_shell;
        m_services.Processes = &m_processes;
        m_services.Media = &m_media;
        // Each listing run answers with the games of the folder it runs in.
        for (int i = 0; i < 4; ++i) {
            TFakeProcesses::TOutcome outcome;
            outcome.OnRun = [] {
                fs::copy_file("games.txt", "KorbVantor.txt", fs::copy_options::overwrite_existing);
            };
            m_processes.Outcomes.push_back(outcome);
        }
        m_startup = std::make_unique<TStartup>(m_dialogs, m_processes, &m_shell);
        m_window = std::make_unique<TMain1>(m_services, *m_startup);
        m_window->FormCreate();
        m_lock.Acquire(m_a.Dir());
        m_menu = std::make_unique<TEmulatorFolderMenu>(*m_window, m_recent, m_lock);
    }

    ~EmulatorFolderMenuTest() override
    {
        m_menu.reset();
        m_window.reset();
        m_startup.reset();
    }

    TTempDir m_a;
    TTempDir m_b;
    TTempDir m_config;
    TCurrentDirScope m_cwd;
    TFakeDialogs m_dialogs;
    TFakeShell m_shell;
    TFakeProcesses m_processes;
    TFakeMedia m_media;
    TPlatformServices m_services;
    TRecentFolders m_recent{m_config.Dir()};
    TFolderLock m_lock{m_config.Dir() + "locks"};
    std::unique_ptr<TStartup> m_startup;
    std::unique_ptr<TMain1> m_window;
    std::unique_ptr<TEmulatorFolderMenu> m_menu;
};

} // namespace

TEST_F(EmulatorFolderMenuTest, TheItemsComeAfterASeparatorAfterTheSettingsMenusOwn)
{
    auto* settings = m_window->findChild<QMenu*>("MenuSettings");
    ASSERT_NE(settings, nullptr);
    const QList<QAction*> items = settings->actions();
    ASSERT_GE(items.size(), 5);
    const qsizetype ours = items.size() - 3;
    EXPECT_EQ(items[0]->objectName(), "MenuSetDefaultSettings");
    EXPECT_EQ(items[1]->objectName(), "MenuSetAlternativeRompath");
    EXPECT_TRUE(items[ours]->isSeparator());
    EXPECT_EQ(items[ours + 1]->text(), "Open &Emulator Folder...");
    ASSERT_NE(items[ours + 2]->menu(), nullptr);
    EXPECT_FALSE(items[ours + 2]->isEnabled()) << "nothing remembered yet";
}

TEST_F(EmulatorFolderMenuTest, OpeningAnotherFolderSavesTheOldOneAndLoadsTheNewOne)
{
    ASSERT_EQ(m_window->Model().Count(), 2);
    m_dialogs.OpenFileResult = m_b.Dir() + "korb.exe";
    m_window->findChild<QAction*>("MenuOpenEmulatorFolder")->trigger();

    ASSERT_EQ(m_dialogs.OpenFileRequests.size(), 1u);
    EXPECT_EQ(m_dialogs.OpenFileRequests[0].InitialDir, m_a.Dir());
    EXPECT_EQ(m_startup->Paths().AppDir, m_b.Dir());
    ASSERT_EQ(m_window->Model().Count(), 1);
    EXPECT_EQ(m_window->Model().GameAt(0)->ZipName, "gamma");
    EXPECT_TRUE(fs::is_regular_file(m_a.Path() / "Vantorkorb.ini")) << "saved as on close";
    EXPECT_FALSE(fs::exists(m_a.Path() / "batch.sh"));
    ASSERT_FALSE(m_recent.Folders().empty());
    EXPECT_EQ(m_recent.Folders().front(), m_b.Dir());
    EXPECT_TRUE(m_dialogs.Messages.empty());

    // Back through the submenu of folders used last.
    m_recent.Remember(m_a.Dir());
    QMenu* recentMenu = m_window->findChild<QMenu*>("MenuRecentEmulatorFolders");
    m_menu->RecentFoldersShow();
    ASSERT_EQ(recentMenu->actions().size(), 2);
    recentMenu->actions()[0]->trigger();
    EXPECT_EQ(m_startup->Paths().AppDir, m_a.Dir());
    EXPECT_EQ(m_window->Model().Count(), 2);
}

TEST_F(EmulatorFolderMenuTest, AFolderInUseByAnotherProgramIsRefusedAndNothingChanges)
{
    TFolderLock other(m_config.Dir() + "locks");
    ASSERT_TRUE(other.Acquire(m_b.Dir()));
    m_dialogs.OpenFileResult = m_b.Dir() + "korb.exe";
    m_window->findChild<QAction*>("MenuOpenEmulatorFolder")->trigger();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, "VantorKorb is already running in " + m_b.Dir() +
                                              "\rClose it first, or choose another emulator folder.");
    EXPECT_EQ(m_startup->Paths().AppDir, m_a.Dir());
    EXPECT_EQ(m_window->Model().Count(), 2);
    EXPECT_FALSE(fs::exists(m_a.Path() / "Vantorkorb.ini")) << "refused before the save";
}
