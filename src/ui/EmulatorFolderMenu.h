#pragma once
// "Open Emulator Folder..." and the folders used last, at the end of the Settings menu: each saves the
// current folder as a close does, moves to the other folder and loads it as a start does.

#include <string>

#include <QObject>

class QMenu;
class TFolderLock;
class TMain;
class TRecentFolders;

class TEmulatorFolderMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the items to the window's Settings menu. All three must outlive the object.
    TEmulatorFolderMenu(TMain& window, TRecentFolders& recent, TFolderLock& lock);

    void MenuOpenEmulatorFolderClick();
    void RecentFoldersShow();
    // Saves, moves to the folder and loads it; an unusable folder is reported and nothing changes.
    void SwitchTo(const std::string& folder);

private:
    TMain& m_window;
    TRecentFolders& m_recent;
    TFolderLock& m_lock;
    QMenu* m_recentMenu = nullptr;
};
