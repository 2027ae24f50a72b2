#pragma once
// A main window over fake platform services and a catalogue filled by the test, in its own folder.

#include <memory>
#include <string>
#include <vector>

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
    TGameRow(std::string zip, std::string name, int installState = 1, std::string zipDate = {})
        : ZipName(std::move(zip)), GameName(std::move(name)), InstallState(installState),
          ZipDate(std::move(zipDate))
    {
    }
    std::string ZipName;
    std::string GameName;
    int InstallState;
    std::string ZipDate;
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
            game->ZipDate = row.ZipDate;
            Startup->Catalogue().AddGame(std::move(game));
        }
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

    void Click(const char* item) { Window->MenuItem(item)->trigger(); }
    bool Checked(const char* item) const { return Window->MenuItem(item)->isChecked(); }
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
    TPlatformServices m_services;
};
