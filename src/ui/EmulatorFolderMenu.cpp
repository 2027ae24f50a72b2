#include "ui/EmulatorFolderMenu.h"

#include <QAction>
#include <QMenu>

#include "app/EmulatorFolder.h"
#include "app/Startup.h"
#include "base/FileKinds.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtText.h"
#include "ui/MainMenuBar.h"
#include "ui/MainWindow.h"

TEmulatorFolderMenu::TEmulatorFolderMenu(TMain& window, TRecentFolders& recent, TFolderLock& lock)
    : QObject(&window), m_window(window), m_recent(recent), m_lock(lock)
{
    QMenu* settings = &window.Menus().SettingsMenu();
    settings->addSeparator()->setObjectName("MenuEmulatorFolderDivider");
    QAction* open = settings->addAction("Open &Emulator Folder...");
    open->setObjectName("MenuOpenEmulatorFolder");
    connect(open, &QAction::triggered, this, &TEmulatorFolderMenu::MenuOpenEmulatorFolderClick);
    m_recentMenu = settings->addMenu("Recent Emulator &Folders");
    m_recentMenu->setObjectName("MenuRecentEmulatorFolders");
    connect(m_recentMenu, &QMenu::aboutToShow, this, &TEmulatorFolderMenu::RecentFoldersShow);
    RecentFoldersShow();
}

void TEmulatorFolderMenu::RecentFoldersShow()
{
    m_recentMenu->clear();
    for (const std::string& folder : m_recent.Folders()) {
        QAction* item = m_recentMenu->addAction(TextFromBytes(folder).replace('&', "&&"));
        connect(item, &QAction::triggered, this, [this, folder] { SwitchTo(folder); });
    }
    m_recentMenu->setEnabled(!m_recent.Folders().empty());
}

void TEmulatorFolderMenu::MenuOpenEmulatorFolderClick()
{
    const auto picked = m_window.Dialogs().OpenFile(LocateEmulatorRequest(m_window.Startup().Paths().AppDir));
    if (picked)
        SwitchTo(FolderOf(*picked));
}

void TEmulatorFolderMenu::SwitchTo(const std::string& folder)
{
    const std::optional<TLoadOutcome> outcome = m_window.ReloadCatalogue(
        [&] { return SwitchEmulatorFolder(m_window.Startup(), folder, m_window.Dialogs(), &m_lock); });
    if (outcome == TLoadOutcome::MustEnd)
        return;
    if (outcome)
        m_recent.Remember(m_window.Startup().Paths().AppDir);
    RecentFoldersShow();
}
