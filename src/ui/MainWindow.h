#pragma once
// TMain: the generic front-end window: game list, pages, status bar, menus and their handlers.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>

#include "app/MainSettings.h"
#include "controllers/GameListController.h"
#include "controllers/ViewState.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class TGameListModel;
class TGameListView;
class TGameObject;
class TGameSound;
class TPlayLog;
class TSearchField;
class TMainMenuBar;
class TMedia;
class TScreenShotPage;
class TSettingsPage;
class TShell;
class TStartup;
struct TSession;
struct TLaunchResult;
enum class TLoadOutcome;

class TMain : public QMainWindow
{
    Q_OBJECT

public:
    // Every service must be given (std::invalid_argument otherwise) and outlive the window.
    TMain(const TPlatformServices& services, TStartup& startup, QWidget* parent = nullptr);
    ~TMain() override;

    void FormCreate();
    // The close sequence; runs once, from the close event.
    void FormClose();
    // True after a load that found a required file missing: the program ends without saving.
    bool MustEnd() const { return m_mustEnd; }

    // The list controller says when the zip dates may be taken as read; a detection of the whole catalogue
    // reads them exactly when ZipDatesShown() says so.
    using TZipDates = TGameListController::TZipDates;
    void FillGameList(TZipDates zipDates = TZipDates::Refresh);
    bool ZipDatesShown() const { return m_list->ZipDatesShown(); }
    void UpdateSelection();
    void SetStatusText(const QString& text);
    void ShowCredit();
    void SortOn(TListColumn column);

    void ApplyMainSettings(const TMainSettingsRecord& record);
    void CollectMainSettings(TMainSettingsRecord& record);

    // Handlers, named after their controls.
    void GameListSelectItem(bool selected);
    void GameListDblClick();
    void GameListColumnClick(int column);
    void GameListPanelResize();
    void StartEmuButtonClick();
    void MenuViewGamesClick(TGameFilter filter);
    void MenuIconsViewClick(TListStyle style);
    void MSSortMenuClick(TListColumn column);
    void MSOrderClick(bool descending);
    void MSChangelistfontClick();
    void MSListBackgroundcolorClick();
    void MenuHotTrackingClick(bool on);
    void MenuViewTabSheetClick(bool on);
    void MenuViewStatBarClick(bool on);
    void MenuSetDefaultSettingsClick();
    void DefaultSettingsModeStarted();
    void DefaultSettingsModeEnded();
    void MenuSetAlternativeRompathClick();
    void MSReportNeededClick();
    void MenuCheckForInstalledGamesClick();
    void MenuCheckforSupportedgamesClick();
    void MSSndClick(TSoundMode mode);
    // Our own commands: favourites, the favourites and recently-played filters, the search.
    void MenuFavouriteClick();
    void MenuPlayFilterClick();
    void SearchChanged(const QString& text);
    void GameListContextMenu(const QPoint& globalPos);
    // Reads the play log beside the main settings file; each load does it again.
    void OpenPlayLog();
    // Runs a load of the catalogue with nothing on screen pointing at a record, then shows what it left.
    // No outcome: the load was refused and the records stay. Returns what `load` returned.
    std::optional<TLoadOutcome> ReloadCatalogue(const std::function<std::optional<TLoadOutcome>()>& load);

    // State for the pages, the commands and the tests.
    const TViewState& ViewState() const { return m_list->View(); }
    TGameListController& ListController() { return *m_list; }
    TGameObject* CurrentGame() const { return m_currentGame; }
    TStartup& Startup() { return m_startup; }
    TDialogs& Dialogs() { return m_dialogs; }
    // The emulator-specific window and the folder menu add to these.
    TMainMenuBar& Menus() const { return *m_menus; }
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
    TSoundMode SoundMode() const { return m_list->View().EffectiveSound(); }
    TListColumn SortColumn() const { return m_list->View().SortColumn; }
    bool Descending() const { return m_list->View().Descending; }
    int GameListPanelWidth() const;
    void SetGameListPanelWidth(int width);

signals:
    // The selection changed: the game now shown, or null.
    void CurrentGameChanged(TGameObject* game);
    // "Set Zipped Rompaths": the dialog runs in the connected slot; the installed games are checked after.
    void ZipRomPathsRequested();
    // The play log of the folder was read: at the start and after a switch to another emulator folder.
    void PlayLogOpened();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The emulator-specific window adds to these.
    QLabel& DefaultBackImage() const { return *m_defaultBackImage; }
    void AddListColumn();
    // The play columns and their "Sort by" items, after the last column the emulator's window added.
    void AddPlayColumns();

    TDialogs& m_dialogs;
    TShell& m_shell;
    TMedia& m_media;
    TStartup& m_startup;
    TSession& m_session;

private:
    void ShowPutAsideProgress(size_t done, size_t total);
    void CreateControls();
    void CreatePages();
    void ConnectMenus();
    void ApplyListFont();
    void ApplyListColours();
    void ShowHotTracking();
    void HideTabSheet();
    void ShowTabSheet();
    void FormResize();
    void CentreOnDesktop();
    // What the window manager adds around the client: measured once shown, estimated before.
    QMargins FrameMargins() const;
    // With the pages shown the window must hold both them and the list.
    void UpdateMinimumSize();
    void ReleaseCatalogueView();
    void ShowError(const std::string& text);
    void PlayGameSound();
    TListSelection ListSelection() const;
    TPlayFilters PlayFilters() const;
    void PagesAfterLoad();
    void ShowGameOnPages();
    void LoadScreenshots();
    void ApplyScreenshotControls();
    void FillPageMenus();
    void ReleasePages();
    bool EditingDefaults() const;
    void ApplyWindowSize(const TMainSettingsRecord& record);
    QSize NormalSize() const;
    void CreatePlayControls();
    void ConnectPlayMenus();
    void UpdateTitle();
    void ReflectFavourite();
    void RecordPlay(TGameObject& game, const TLaunchResult& result);

    TGameListModel* m_model;
    std::unique_ptr<TGameListController> m_list;
    // The view choices live in the list controller; the window reads and sets the ones it draws.
    TViewState& m_view;
    TGameListView* m_gameList = nullptr;
    TGameSound* m_sound = nullptr;
    TMainMenuBar* m_menus = nullptr;
    TScreenShotPage* m_screenShotPage = nullptr;
    TSettingsPage* m_settingsPage = nullptr;
    QWidget* m_gameListPanel = nullptr;
    QLabel* m_defaultBackImage = nullptr;
    QPushButton* m_startEmuButton = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QLabel* m_statusZip = nullptr;
    QLabel* m_statusText = nullptr;

    TGameObject* m_currentGame = nullptr;
    int m_hiddenPanelWidth = 185;
    int m_panelWidth = 185;
    QSize m_normalSize{593, 380};
    // The size the window opened with when the stored one did not fit the screen.
    QSize m_fittedSize{593, 380};
    bool m_startMinimised = false;
    TFontChoice m_listFont;
    uint32_t m_listBgColor = kClWindow;
    bool m_mustEnd = false;
    bool m_closed = false;
    bool m_filling = false;

    std::unique_ptr<TPlayLog> m_playLog;
    TSearchField* m_searchField = nullptr;
};
