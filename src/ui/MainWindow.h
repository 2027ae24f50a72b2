#pragma once
// TMain: the generic front-end window: game list, pages, status bar, menus and their handlers.

#include <memory>
#include <string>

#include <QMainWindow>

#include "app/MainSettings.h"
#include "base/DateTimeText.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class TGameListModel;
class TGameListView;
class TGameObject;
class TGameSound;
class TPlayLog;
class TSearchField;
struct TLaunchContext;
class TScreenShotPage;
class TSettingsPage;
class TStartup;
enum class TSoundMode;

class TMain : public QMainWindow
{
    Q_OBJECT
    // Reloads the catalogue from another folder the way the supported-games check does.
    friend class TEmulatorFolderMenu;

public:
    TMain(const TPlatformServices& services, TStartup& startup, QWidget* parent = nullptr);
    ~TMain() override;

    void FormCreate();
    // The close sequence; runs once, from the close event.
    void FormClose();
    // True after a load that found a required file missing: the program ends without saving.
    bool MustEnd() const { return m_mustEnd; }

    void FillGameList();
    void UpdateSelection();
    void SetStatusText(const QString& text);
    void ShowCredit();
    void SortOn(int column);

    void ApplyMainSettings(const TMainSettingsRecord& record);
    void CollectMainSettings(TMainSettingsRecord& record);

    // Handlers, named after their controls.
    void GameListSelectItem(bool selected);
    void GameListDblClick();
    void GameListColumnClick(int column);
    void GameListPanelResize();
    void StartEmuButtonClick();
    void MenuViewGamesClick(QAction* item);
    void MenuIconsViewClick(QAction* item);
    void MSSortMenuClick(QAction* item);
    void MSOrderClick(QAction* item);
    void MSChangelistfontClick();
    void MSListBackgroundcolorClick();
    void MenuHotTrackingClick();
    void MenuViewTabSheetClick();
    void MenuViewStatBarClick();
    void MenuSetDefaultSettingsClick();
    void DefaultSettingsModeEnded();
    void MenuSetAlternativeRompathClick();
    // The zipped rom paths dialog, once the process entry has made it; until then only the re-check runs.
    void SetZipDirsCommand(std::function<void()> command) { m_zipDirsCommand = std::move(command); }
    void MSReportNeededClick();
    void MenuCheckForInstalledGamesClick();
    void MenuCheckforSupportedgamesClick();
    void MSSndClick(QAction* item);
    // Our own commands: favourites, the favourites and recently-played filters, the search.
    void MenuFavouriteClick();
    void MenuPlayFilterClick();
    void SearchChanged(const QString& text);
    void GameListContextMenu(const QPoint& globalPos);
    // Reads the play log beside the main settings file; each load does it again.
    void OpenPlayLog();

    // State for the pages, the commands and the tests.
    TGameObject* CurrentGame() const { return m_currentGame; }
    TStartup& Startup() { return m_startup; }
    TGameListModel& Model() { return *m_model; }
    TGameListView& GameList() { return *m_gameList; }
    QPushButton& StartEmuButton() { return *m_startEmuButton; }
    QTabWidget& PageControl() { return *m_pageControl; }
    QLabel& StatusZip() { return *m_statusZip; }
    QLabel& StatusText() { return *m_statusText; }
    TScreenShotPage& ScreenShotPage() { return *m_screenShotPage; }
    TSettingsPage& SettingsPage() { return *m_settingsPage; }
    TSearchField& SearchField() { return *m_searchField; }
    TPlayLog& PlayLog() { return *m_playLog; }
    TSoundMode SoundMode() const;
    int GameListPanelWidth() const;
    void SetGameListPanelWidth(int width);
    int SortColumn() const { return m_sortColumn; }
    bool Descending() const;
    // A menu item by its control name ("MSGamesAll", "MSHotTracking", ...), or nullptr.
    QAction* MenuItem(const QString& name) const;

signals:
    // Hooks for the pages that others build: the selection changed, a launch begins and ends.
    void CurrentGameChanged(TGameObject* game);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The emulator-specific window adds to these.
    QMenu* SortByMenu() const { return m_sortByMenu; }
    QActionGroup* SortGroup() const { return m_sortGroup; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    QMenu* ScreenShotMenu() const { return m_screenShotMenu; }
    QWidget* GamesBox() const { return m_grGames; }
    QAction* AddMenuItem(QMenu* menu, const QString& name, const QString& caption);
    void AddListColumn();
    // The play columns and their "Sort by" items, after the last column the emulator's window added.
    void AddPlayColumns();

    const TPlatformServices m_services;
    TStartup& m_startup;

private:
    void CreateControls();
    void CreatePages();
    void CreateMenus();
    void CreateViewMenu();
    void CreateSettingsMenu();
    void CreateToolsMenu();
    void CreateSoundMenu();
    void CreateHelpMenu();
    QAction* AddRadio(QMenu* menu, QActionGroup* group, const QString& name, const QString& caption);
    void ApplyListFont();
    void ApplyListColours();
    void SetChecked(const QString& name, bool checked);
    void SetListStyleFromMenu(int style);
    void HideTabSheet();
    void ShowTabSheet();
    void FormResize();
    void CentreOnDesktop();
    void ReleaseCatalogueView();
    void ShowError(const std::string& text);
    void PlayGameSound();
    void PagesAfterLoad();
    void ShowGameOnPages();
    void LoadScreenshots();
    void ApplyScreenshotControls();
    void FillPageMenus();
    void ReleasePages();
    void ApplyToggle(const QString& name, bool value, void (TMain::*command)());
    void ApplyWindowSize(const TMainSettingsRecord& record);
    QSize NormalSize() const;
    void CreatePlayControls();
    void CreatePlayMenus();
    void SavePlayViewChoices();
    bool PlayFilterAccepts(const TGameObject& game) const;
    void ApplyPlayOrder();
    void UpdateTitle();
    int SystemListCount() const;
    void ReflectFavourite();
    void RecordPlay(const TLaunchContext& context);

    TGameListModel* m_model;
    TGameListView* m_gameList = nullptr;
    TGameSound* m_sound = nullptr;
    TScreenShotPage* m_screenShotPage = nullptr;
    TSettingsPage* m_settingsPage = nullptr;
    QWidget* m_gameListPanel = nullptr;
    QWidget* m_grGames = nullptr;
    QLabel* m_defaultBackImage = nullptr;
    QPushButton* m_startEmuButton = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QLabel* m_statusZip = nullptr;
    QLabel* m_statusText = nullptr;
    QMenu* m_sortByMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_screenShotMenu = nullptr;
    QActionGroup* m_sortGroup = nullptr;
    QActionGroup* m_orderGroup = nullptr;
    QActionGroup* m_filterGroup = nullptr;
    QActionGroup* m_styleGroup = nullptr;
    QActionGroup* m_soundGroup = nullptr;

    TGameObject* m_currentGame = nullptr;
    int m_sortColumn = 0;
    int m_hiddenPanelWidth = 185;
    int m_panelWidth = 185;
    QSize m_normalSize{593, 380};
    TFontChoice m_listFont;
    uint32_t m_listBgColor = kClWindow;
    bool m_mustEnd = false;
    bool m_closed = false;
    bool m_filling = false;
    std::function<void()> m_zipDirsCommand;

    std::unique_ptr<TPlayLog> m_playLog;
    TSearchField* m_searchField = nullptr;
    QAction* m_favouriteItem = nullptr;
    QAction* m_favouritesFilterItem = nullptr;
    QAction* m_recentFilterItem = nullptr;
    // The game to select again when a search that began with it is cleared.
    std::string m_gameBeforeSearch;
    // "Recently" is measured from the start of the fill, the same moment for every game.
    TDateTime m_fillTime;
};
