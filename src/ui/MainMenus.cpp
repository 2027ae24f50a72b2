// TMain: the handlers of the View, Settings, Tools and Sound commands.
#include "ui/MainWindow.h"

#include <QPushButton>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "app/Startup.h"
#include "catalogue/InstalledGames.h"
#include "controllers/GameSound.h"
#include "platform/qt/QtText.h"
#include "report/NeededReport.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/SignalCloser.h"

void TMain::ConnectMenus()
{
    connect(m_menus, &TMainMenuBar::FilterChosen, this, &TMain::MenuViewGamesClick);
    connect(m_menus, &TMainMenuBar::ListStyleChosen, this, &TMain::MenuIconsViewClick);
    connect(m_menus, &TMainMenuBar::SortChosen, this, &TMain::MSSortMenuClick);
    connect(m_menus, &TMainMenuBar::OrderChosen, this, &TMain::MSOrderClick);
    connect(m_menus, &TMainMenuBar::ListFontRequested, this, &TMain::MSChangelistfontClick);
    connect(m_menus, &TMainMenuBar::ListColourRequested, this, &TMain::MSListBackgroundcolorClick);
    connect(m_menus, &TMainMenuBar::HotTrackingToggled, this, &TMain::MenuHotTrackingClick);
    connect(m_menus, &TMainMenuBar::TabSheetToggled, this, &TMain::MenuViewTabSheetClick);
    connect(m_menus, &TMainMenuBar::StatusBarToggled, this, &TMain::MenuViewStatBarClick);
    connect(m_menus, &TMainMenuBar::DefaultSettingsRequested, this, &TMain::MenuSetDefaultSettingsClick);
    connect(m_menus, &TMainMenuBar::ZipRomPathsRequested, this, &TMain::MenuSetAlternativeRompathClick);
    connect(m_menus, &TMainMenuBar::CheckInstalledRequested, this, &TMain::MenuCheckForInstalledGamesClick);
    connect(m_menus, &TMainMenuBar::CheckSupportedRequested, this, &TMain::MenuCheckforSupportedgamesClick);
    connect(m_menus, &TMainMenuBar::ReportNeededRequested, this, &TMain::MSReportNeededClick);
    connect(m_menus, &TMainMenuBar::SoundChosen, this, &TMain::MSSndClick);
}

void TMain::MenuViewGamesClick(TGameFilter filter)
{
    m_list->ChooseFilter(filter);
    m_menus->Reflect(m_view);
    FillGameList();
}

void TMain::MenuIconsViewClick(TListStyle style)
{
    m_list->ChooseListStyle(style);
    m_menus->Reflect(m_view);
    m_gameList->SetViewStyle(style);
}

void TMain::SortOn(TListColumn column)
{
    setUpdatesEnabled(false);
    m_list->SortOn(column);
    m_menus->Reflect(m_view);
    setUpdatesEnabled(true);
}

void TMain::MSSortMenuClick(TListColumn column)
{
    setUpdatesEnabled(false);
    m_list->ChooseSort(column);
    m_menus->Reflect(m_view);
    setUpdatesEnabled(true);
}

void TMain::MSOrderClick(bool descending)
{
    setUpdatesEnabled(false);
    m_list->ChooseOrder(descending);
    m_menus->Reflect(m_view);
    setUpdatesEnabled(true);
}

void TMain::GameListColumnClick(int column)
{
    setUpdatesEnabled(false);
    if (m_list->ColumnClicked(column, m_model->columnCount())) {
        m_menus->Reflect(m_view);
    }
    setUpdatesEnabled(true);
}

void TMain::MSChangelistfontClick()
{
    if (auto chosen = m_dialogs.ChooseFont(m_listFont)) {
        m_listFont = *chosen;
        ApplyListFont();
    }
}

void TMain::MSListBackgroundcolorClick()
{
    if (auto chosen = m_dialogs.ChooseColour(m_listBgColor)) {
        m_listBgColor = *chosen;
        ApplyListColours();
    }
}

void TMain::ApplyListFont()
{
    m_gameList->SetListFont(FontFromChoice(m_listFont));
    ApplyListColours();
}

void TMain::ApplyListColours()
{
    const QPalette palette = this->palette();
    m_gameList->SetColours(ColourFromStored(m_listFont.Color, palette),
                           ColourFromStored(m_listBgColor, palette));
}

void TMain::MenuHotTrackingClick(bool on)
{
    m_view.HotTracking = on;
    m_menus->Reflect(m_view);
    ShowHotTracking();
}

void TMain::ShowHotTracking()
{
    m_pageControl->tabBar()->setAttribute(Qt::WA_Hover, m_view.HotTracking);
    m_pageControl->tabBar()->update();
    m_gameList->SetHotTrack(m_view.HotTracking);
}

void TMain::MenuViewStatBarClick(bool on)
{
    m_view.StatusBar = on;
    m_menus->Reflect(m_view);
    statusBar()->setVisible(on);
}

void TMain::MenuViewTabSheetClick(bool on)
{
    if (on) {
        ShowTabSheet();
    } else {
        HideTabSheet();
    }
}

void TMain::HideTabSheet()
{
    m_view.TabSheet = false;
    m_menus->Reflect(m_view);
    if (!m_pageControl->isHidden()) {
        m_hiddenPanelWidth = GameListPanelWidth();
        m_pageControl->hide();
        m_splitter->handle(1)->setEnabled(false);
        m_splitter->refresh();
        UpdateMinimumSize();
    }
}

void TMain::ShowTabSheet()
{
    m_view.TabSheet = true;
    m_menus->Reflect(m_view);
    if (m_pageControl->isHidden()) {
        m_pageControl->show();
        m_splitter->handle(1)->setEnabled(true);
        m_splitter->refresh();
        UpdateMinimumSize();
        SetGameListPanelWidth(m_hiddenPanelWidth);
    }
}

void TMain::MenuCheckForInstalledGamesClick()
{
    UpdateInstallStates(m_session.Catalogue, m_session.ZipRomPaths,
                        ZipDatesShown() ? TZipDateRead::Read : TZipDateRead::Skip);
    m_gameList->ClearSelection();
    m_startEmuButton->setEnabled(false);
    FillGameList(TZipDates::JustDetected);
}

void TMain::MenuCheckforSupportedgamesClick()
{
    ReloadCatalogue([this] { return std::optional<TLoadOutcome>(m_startup.CheckForSupportedGames()); });
}

std::optional<TLoadOutcome> TMain::ReloadCatalogue(const std::function<std::optional<TLoadOutcome>()>& load)
{
    // The load releases every record: nothing on screen may keep pointing at one. A refused load changes
    // nothing, and the pages come back with the records they had.
    ReleasePages();
    ReleaseCatalogueView();
    // A close signal during the load's boxes waits for its end.
    const TSignalCloser::THold hold;
    const std::optional<TLoadOutcome> outcome = load();
    if (outcome == TLoadOutcome::MustEnd) {
        m_mustEnd = true;
        close();
        return outcome;
    }
    PagesAfterLoad();
    // After a load that stopped, the catalogue is empty: the title must say so too. A completed load ends
    // with the detection; a refused one kept the records with dates of an earlier moment.
    FillGameList(outcome == TLoadOutcome::Loaded ? TZipDates::JustDetected : TZipDates::Refresh);
    return outcome;
}

void TMain::MenuSetAlternativeRompathClick()
{
    // Confirmed or cancelled, the installed states are checked again.
    emit ZipRomPathsRequested();
    MenuCheckForInstalledGamesClick();
}

void TMain::MSReportNeededClick()
{
    try {
        WriteNeededReport(m_session.Catalogue, m_session.Paths, kVersionText, m_shell);
    } catch (const std::exception& error) {
        // The command ends here; nothing is opened and an older report stays as it was.
        ShowError(error.what());
    }
}

void TMain::MSSndClick(TSoundMode mode)
{
    m_view.Sound = mode;
    m_menus->Reflect(m_view);
    PlayGameSound();
}

void TMain::PlayGameSound()
{
    m_sound->PlayGameSound(m_currentGame, m_session.Paths.SoundDir, m_view.EffectiveSound());
}
