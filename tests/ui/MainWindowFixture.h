#pragma once
// A main window over fake platform services and a catalogue filled by the test, in its own folder.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "catalogue/GameObject.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMedia.h"
#include "support/FakeProcesses.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"
#include "ui/GameListModel.h"
#include "ui/Main1.h"

struct TGameRow
{
    // archiveAgeDays >= 0 puts an archive of that age into "ziproms/"; the list shows its date.
    TGameRow(std::string zip, std::string name, int installState = kInstalled, int archiveAgeDays = -1)
        : ZipName(std::move(zip)), GameName(std::move(name)), InstallState(installState),
          ArchiveAgeDays(archiveAgeDays)
    {
    }
    std::string ZipName;
    std::string GameName;
    int InstallState;
    int ArchiveAgeDays;
};

class TMainWindowTest : public ::testing::Test
{
protected:
    TMainWindowTest() : m_dirScope(m_dir.Path())
    {
        m_services.Dialogs = &Dialogs;
        m_services.Shell = &Shell;
        m_services.Processes = &Processes;
        m_services.Media = &Media;
        Startup = std::make_unique<TStartup>(Dialogs, Processes, &Shell);
        Startup->ComputePaths();
        Window = std::make_unique<TMain1>(m_services, *Startup);
    }

    ~TMainWindowTest() override
    {
        Window.reset();
        Startup.reset();
    }

    void AddGames(const std::vector<TGameRow>& games)
    {
        for (const TGameRow& row : games) {
            auto game = std::make_unique<TGameObject>();
            game->ZipName = row.ZipName;
            game->GameName = row.GameName;
            game->InstallState = row.InstallState;
            if (row.ArchiveAgeDays >= 0) {
                WriteArchive(row.ZipName, row.ArchiveAgeDays);
            }
            Startup->Catalogue().AddGame(std::move(game));
        }
    }

    // Archives of equal age get equal times, to the second.
    void WriteArchive(const std::string& zipName, int ageDays)
    {
        const std::string path = m_dir.WriteFile("ziproms/" + zipName + ".zip", "PK");
        std::filesystem::last_write_time(path, m_now - std::chrono::hours(24 * ageDays));
    }

    // The zip names in list order.
    std::vector<std::string> ListedZips() const
    {
        std::vector<std::string> zips;
        for (int row = 0; row < Window->Model().Count(); ++row) {
            zips.push_back(Window->Model().GameAt(row)->ZipName);
        }
        return zips;
    }

    // A menu item by the name the user's tools see it under.
    QAction* Item(const char* name) const
    {
        QAction* item = Window->findChild<QAction*>(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    void Click(const char* item) { Item(item)->trigger(); }
    bool Checked(const char* item) const { return Item(item)->isChecked(); }
    const TTempDir& Dir() const { return m_dir; }

    TFakeDialogs Dialogs;
    TFakeShell Shell;
    TFakeProcesses Processes;
    TFakeMedia Media;
    std::unique_ptr<TStartup> Startup;
    std::unique_ptr<TMain1> Window;

private:
    TTempDir m_dir;
    TCurrentDirScope m_dirScope;
    std::filesystem::file_time_type m_now =
        std::chrono::time_point_cast<std::chrono::seconds>(std::filesystem::file_time_type::clock::now());
    TPlatformServices m_services;
};
