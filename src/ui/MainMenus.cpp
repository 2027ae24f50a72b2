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
    m_view.Filter = filter;
    m_menus->Reflect(m_view);
    m_startup.LastListPos = 0;
    FillGameList();
}

void TMain::MenuIconsViewClick(TListStyle style)
{
    m_view.ListStyle = style;
    m_menus->Reflect(m_view);
    if (style == TListStyle::Details) {
        ShowCurrentZipDates();
    }
    m_gameList->SetViewStyle(style);
}

void TMain::SortOn(TListColumn column)
{
    setUpdatesEnabled(false);
    m_view.SortColumn = column;
    m_menus->Reflect(m_view);
    if (column == TListColumn::ZipDate) {
        ShowCurrentZipDates();
    }
    m_model->Sort(column, m_view.Descending);
    RememberListPos();
    setUpdatesEnabled(true);
}

// The stored position names the last selected installed game in the order shown, so it has to follow that
// game through every sort.
void TMain::RememberListPos()
{
    TGameObject* game = m_model->GameAt(m_gameList->SelectedRow());
    if (!game && !EditingDefaults()) {
        game = m_currentGame;
    }
    // Counted in the list without the search, as the fill reads it.
    const int row = m_model->FullRowOf(game);
    if (row >= 0 && game->Installed()) {
        m_startup.LastListPos = row;
    }
}

void TMain::MSSortMenuClick(TListColumn column)
{
    SortOn(TListColumn::Name);
    SortOn(column);
    SavePlayViewChoices();
}

void TMain::MSOrderClick(bool descending)
{
    m_view.Descending = descending;
    SortOn(m_view.SortColumn);
}

void TMain::GameListColumnClick(int column)
{
    if (column < 0 || column >= m_model->columnCount()) {
        return;
    }
    const auto clicked = static_cast<TListColumn>(column);
    if (clicked == m_view.SortColumn) {
        m_view.Descending = !m_view.Descending;
    }
    SortOn(TListColumn::Name);
    SortOn(clicked);
    SavePlayViewChoices();
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
    UpdateInstallStates(m_startup.Catalogue(), m_startup.ZipRomPaths(),
                        ZipDatesShown() ? TZipDateRead::Read : TZipDateRead::Skip);
    m_gameList->ClearSelection();
    m_startEmuButton->setEnabled(false);
    FillGameList(TZipDates::JustDetected);
}

void TMain::MenuCheckforSupportedgamesClick()
{
    // The reload releases every record: nothing on screen may keep pointing at one.
    ReleasePages();
    ReleaseCatalogueView();
    const TSignalCloser::THold hold;
    const TLoadOutcome outcome = m_startup.CheckForSupportedGames();
    if (outcome == TLoadOutcome::MustEnd) {
        m_mustEnd = true;
        close();
        return;
    }
    PagesAfterLoad();
    // After a load that stopped, the catalogue is empty: the title must say so too. A completed load ends
    // with the detection.
    FillGameList(outcome == TLoadOutcome::Loaded ? TZipDates::JustDetected : TZipDates::Refresh);
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
        WriteNeededReport(m_startup.Catalogue(), m_startup.Paths(), kVersionText, m_shell);
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
    m_sound->PlayGameSound(m_currentGame, m_startup.Paths().SoundDir, m_view.EffectiveSound());
}
