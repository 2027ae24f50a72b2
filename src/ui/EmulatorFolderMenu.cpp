#include "ui/EmulatorFolderMenu.h"

#include <QAction>
#include <QMenu>

#include "app/EmulatorFolder.h"
#include "app/Startup.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtText.h"
#include "ui/MainMenuBar.h"
#include "ui/MainWindow.h"
#include "ui/SignalCloser.h"

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
    TDialogs& dialogs = m_window.m_dialogs;
    const auto picked = dialogs.OpenFile(LocateEmulatorRequest(m_window.m_startup.Paths().AppDir));
    if (picked)
        SwitchTo(FolderOf(*picked));
}

void TEmulatorFolderMenu::SwitchTo(const std::string& folder)
{
    // The load releases every record: nothing on screen may keep pointing at one. A refused folder loads
    // nothing, and the pages come back with the records they had.
    m_window.ReleasePages();
    m_window.ReleaseCatalogueView();
    // A close signal during the reload's boxes waits for its end.
    const TSignalCloser::THold hold;
    const std::optional<TLoadOutcome> outcome =
        SwitchEmulatorFolder(m_window.m_startup, folder, m_window.m_dialogs, &m_lock);
    if (outcome == TLoadOutcome::MustEnd) {
        m_window.m_mustEnd = true;
        m_window.close();
        return;
    }
    m_window.PagesAfterLoad();
    // After a load that stopped, the catalogue is empty: the title must say so too. A completed load ends
    // with the detection; a refused folder kept the records with dates of an earlier moment.
    m_window.FillGameList(outcome == TLoadOutcome::Loaded ? TMain::TZipDates::JustDetected
                                                          : TMain::TZipDates::Refresh);
    if (outcome)
        m_recent.Remember(m_window.m_startup.Paths().AppDir);
    RecentFoldersShow();
}
