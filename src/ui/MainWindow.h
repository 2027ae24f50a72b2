#pragma once
// TMain: the generic front-end window: game list, pages, status bar, menus and their handlers.

#include <memory>
#include <string>

#include <QMainWindow>

#include "app/MainSettings.h"
#include "controllers/GameListFilter.h"
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
struct TLaunchContext;
class TMainMenuBar;
class TMedia;
class TScreenShotPage;
class TSettingsPage;
class TShell;
class TStartup;

class TMain : public QMainWindow
{
    Q_OBJECT
    // Reloads the catalogue from another folder the way the supported-games check does.
    friend class TEmulatorFolderMenu;

public:
    // Every service must be given (std::invalid_argument otherwise) and outlive the window.
    TMain(const TPlatformServices& services, TStartup& startup, QWidget* parent = nullptr);
    ~TMain() override;

    void FormCreate();
    // The close sequence; runs once, from the close event.
    void FormClose();
    // True after a load that found a required file missing: the program ends without saving.
    bool MustEnd() const { return m_mustEnd; }

    // Whether the catalogue's zip dates are as on disk now: only a fill that directly follows a detection
    // of the whole catalogue may say so, which spares it a second pass over every archive. Such a
    // detection reads the dates exactly when ZipDatesShown() says so. A fill reads them only while they
    // are shown; otherwise they are read when the Details style or a date sort is chosen.
    enum class TZipDates { Refresh, JustDetected };
    void FillGameList(TZipDates zipDates = TZipDates::Refresh);
    // The Details style shows the dates, a sort by them orders the list by them; nothing else uses them.
    bool ZipDatesShown() const;
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

    // State for the pages, the commands and the tests.
    const TViewState& ViewState() const { return m_view; }
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
    TSoundMode SoundMode() const { return m_view.EffectiveSound(); }
    TListColumn SortColumn() const { return m_view.SortColumn; }
    bool Descending() const { return m_view.Descending; }
    int GameListPanelWidth() const;
    void SetGameListPanelWidth(int width);

signals:
    // The selection changed: the game now shown, or null.
    void CurrentGameChanged(TGameObject* game);
    // "Set Zipped Rompaths": the dialog runs in the connected slot; the installed games are checked after.
    void ZipRomPathsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The emulator-specific window adds to these.
    TMainMenuBar& Menus() const { return *m_menus; }
    QLabel& DefaultBackImage() const { return *m_defaultBackImage; }
    void AddListColumn();
    // The play columns and their "Sort by" items, after the last column the emulator's window added.
    void AddPlayColumns();

    TDialogs& m_dialogs;
    TShell& m_shell;
    TMedia& m_media;
    TStartup& m_startup;

private:
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
    void RememberListPos();
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
    void SavePlayViewChoices();
    void ApplyPlayOrder();
    void UpdateTitle();
    int SystemListCount() const;
    void ReflectFavourite();
    void RecordPlay(const TLaunchContext& context);
    // Reads the dates a fill skipped, before they are shown or sorted on.
    void ShowCurrentZipDates();

    TViewState m_view;
    TGameListFilter m_listFilter;
    TGameListModel* m_model;
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
    // A fill skipped the zip dates: the records may hold older ones.
    bool m_zipDatesStale = false;

    std::unique_ptr<TPlayLog> m_playLog;
    TSearchField* m_searchField = nullptr;
    // The game to select again when a search that began with it is cleared.
    std::string m_gameBeforeSearch;
};
