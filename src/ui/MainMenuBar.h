#pragma once
// The main window's menu bar: makes the items, tells what the user asked for, and shows the view state.

#include <array>
#include <vector>

#include <QObject>

#include "controllers/ViewState.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

class TMainMenuBar : public QObject
{
    Q_OBJECT
public:
    // Fills bar with the View, Game, Settings, Tools, ScreenShot, Sound and Help menus; the ScreenShot and
    // Help menus are left empty for the pages and the emulator's window to fill. "&Game" and the play
    // filter items (after a separator behind the system's filters) are ours.
    explicit TMainMenuBar(QMenuBar& bar, QObject* parent = nullptr);

    // Sets every check mark from the state; emits nothing.
    void Reflect(const TViewState& state);

    // Adds an item at the end of "Sort by" for the next list column.
    void AddSortItem(const QString& name, const QString& caption);
    // A separator at the end of "Sort by", before our own columns' items.
    void AddSortSeparator(const QString& name);
    // Checks the play filter items; emits nothing.
    void ReflectPlayFilters(bool favouritesOnly, bool recentOnly);
    bool FavouritesOnly() const;
    bool RecentOnly() const;
    // The Game menu's "&Favourite" item: the window enables it and checks it for the current game.
    QAction& FavouriteItem() const { return *m_favouriteItem; }

    QMenu& SettingsMenu() const { return *m_settingsMenu; }
    QMenu& ScreenShotMenu() const { return *m_screenShotMenu; }
    QMenu& HelpMenu() const { return *m_helpMenu; }

    // An item named for the tests and the desktop's accessibility tools.
    static QAction* AddItem(QMenu& menu, const QString& name, const QString& caption);

signals:
    void FilterChosen(TGameFilter filter);
    void ListStyleChosen(TListStyle style);
    void SortChosen(TListColumn column);
    void OrderChosen(bool descending);
    void ListFontRequested();
    void ListColourRequested();
    void HotTrackingToggled(bool on);
    void TabSheetToggled(bool on);
    void StatusBarToggled(bool on);
    void DefaultSettingsRequested();
    void ZipRomPathsRequested();
    void CheckInstalledRequested();
    void CheckSupportedRequested();
    void ReportNeededRequested();
    void SoundChosen(TSoundMode mode);
    void PlayFiltersChanged();
    void FavouriteToggleRequested();

private:
    void CreateViewMenu(QMenuBar& bar);
    void CreateFilterItems(QMenu& view);
    void CreatePlayFilterItems(QMenu& view);
    void CreateGameMenu(QMenuBar& bar);
    void CreateStyleItems(QMenu& view);
    void CreateSortItems(QMenu& view);
    void CreateToggles(QMenu& view);
    void CreateSettingsMenu(QMenuBar& bar);
    void CreateToolsMenu(QMenuBar& bar);
    void CreateSoundMenu(QMenuBar& bar);
    QAction* AddRadio(QMenu& menu, QActionGroup& group, const QString& name, const QString& caption);
    QAction* AddToggle(QMenu& menu, const QString& name, const QString& caption);

    std::array<QAction*, 3> m_filterItems{};
    std::array<QAction*, 4> m_styleItems{};
    std::vector<QAction*> m_sortItems;
    std::array<QAction*, 2> m_orderItems{};
    std::array<QAction*, 3> m_soundItems{};
    QAction* m_hotTracking = nullptr;
    QAction* m_tabSheet = nullptr;
    QAction* m_statusBar = nullptr;
    QAction* m_favouritesFilter = nullptr;
    QAction* m_recentFilter = nullptr;
    QAction* m_favouriteItem = nullptr;
    QMenu* m_sortByMenu = nullptr;
    QMenu* m_settingsMenu = nullptr;
    QMenu* m_screenShotMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QActionGroup* m_sortGroup = nullptr;
};
