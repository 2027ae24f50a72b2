// TMain: what comes on top of the system's window: search as you type, favourites, play counts and times,
// kept in the play log beside the main settings file.
#include "ui/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EmulatorFiles.h"
#include "app/Startup.h"
#include "base/FileKinds.h"
#include "base/Version.h"
#include "catalogue/PlayLog.h"
#include "controllers/PlayText.h"
#include "launch/LaunchGame.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/SearchField.h"
#include "ui/SettingsPage.h"

void TMain::CreatePlayControls()
{
    m_playLog = std::make_unique<TPlayLog>();
    m_list->SetPlayLog(m_playLog.get());
    QWidget* gamesBox = m_gameList->parentWidget();
    m_searchField = new TSearchField(gamesBox);
    static_cast<QVBoxLayout*>(gamesBox->layout())->insertWidget(0, m_searchField);
    connect(m_searchField, &TSearchField::SearchChanged, this, &TMain::SearchChanged);
    connect(m_searchField, &TSearchField::Left, this, [this] { m_gameList->CurrentView()->setFocus(); });
    connect(m_searchField, &TSearchField::StartRequested, this, &TMain::StartEmuButtonClick);
    connect(m_gameList, &TGameListView::TextTyped, m_searchField, &TSearchField::Type);
    connect(m_gameList, &TGameListView::BackspaceTyped, m_searchField, &TSearchField::EraseLast);
    connect(m_gameList, &TGameListView::EscapeTyped, m_searchField, &QLineEdit::clear);
    connect(m_searchField, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_gameList->SetSearchHasText(!text.isEmpty()); });
    connect(m_gameList, &TGameListView::ContextMenuRequested, this, &TMain::GameListContextMenu);
    connect(this, &TMain::CurrentGameChanged, this, [this] { ReflectFavourite(); });
}

// The menu bar makes our items after the system's; they only need their commands.
void TMain::ConnectPlayMenus()
{
    connect(m_menus, &TMainMenuBar::PlayFiltersChanged, this, &TMain::MenuPlayFilterClick);
    connect(m_menus, &TMainMenuBar::FavouriteToggleRequested, this, &TMain::MenuFavouriteClick);
}

// After the emulator's own Zipdate column: the play columns and their sort items.
void TMain::AddPlayColumns()
{
    Menus().AddSortSeparator("MSSortPlayN");
    const char* const items[][2] = {
        {"MSSortByPlayed", "Played"}, {"MSSortByTime", "Time"}, {"MSSortByLastPlayed", "Last played"}};
    for (const auto& item : items) {
        AddListColumn();
        Menus().AddSortItem(item[0], item[1]);
    }
    m_gameList->SetColumnWidth(TListColumn::Played, 50);
    m_gameList->SetColumnWidth(TListColumn::Time, 80);
    m_gameList->SetColumnWidth(TListColumn::LastPlayed, 130);
}

void TMain::OpenPlayLog()
{
    m_playLog =
        std::make_unique<TPlayLog>(TPlayLog::Open(FolderOf(m_session.Paths.MainIniPath) + kPlayLogFileName));
    m_model->SetPlayLog(m_playLog.get());
    m_list->SetPlayLog(m_playLog.get());
    if (!m_playLog->LoadError().empty()) {
        ShowError(m_playLog->LoadError() + "\rFavourites and play times are not saved in this session.");
    }
    const TPlayViewChoices& choices = m_playLog->ViewChoices();
    m_menus->ReflectPlayFilters(choices.FavouritesOnly, choices.RecentlyPlayed);
    // The system's sort was restored first.
    setUpdatesEnabled(false);
    m_list->ApplyPlayChoices(choices, m_model->columnCount());
    m_menus->Reflect(m_view);
    setUpdatesEnabled(true);
    emit PlayLogOpened();
}

void TMain::UpdateTitle()
{
    setWindowTitle(QString("VantorKorb %1 [%2 of %3 games]")
                       .arg(kVersionText)
                       .arg(m_model->Count())
                       .arg(m_session.Catalogue.Count()));
}

void TMain::SearchChanged(const QString& text)
{
    m_filling = true;
    const TGameListController::TSearchOutcome found =
        m_list->SearchChanged(text.toStdString(), text.trimmed().isEmpty());
    m_filling = false;
    if (found.Row >= 0) {
        // The game stays current: no selection update, no sound restarted for every key.
        m_filling = true;
        m_gameList->SelectRow(found.Row);
        m_filling = false;
        if (found.Game != m_currentGame) {
            UpdateSelection();
        }
    } else {
        m_startEmuButton->setEnabled(false);
        // Nothing matches: no hidden game stays on the pages and in the status bar.
        if (m_currentGame && !EditingDefaults()) {
            UpdateSelection();
        }
    }
    UpdateTitle();
}

void TMain::MenuPlayFilterClick()
{
    m_list->PlayFiltersChanged();
    FillGameList();
}

void TMain::MenuFavouriteClick()
{
    TGameObject* game = m_currentGame;
    if (!game || EditingDefaults()) {
        return;
    }
    const bool favourite = !m_playLog->Record(game->ZipName).Favourite;
    try {
        m_playLog->SetFavourite(game->ZipName, favourite);
    } catch (const std::exception& error) {
        ShowError(error.what());
    }
    m_model->GameChanged(game);
    ReflectFavourite();
    if (m_menus->FavouritesOnly() && !favourite) {
        FillGameList();
    }
}

void TMain::ReflectFavourite()
{
    const bool enabled = m_currentGame && !EditingDefaults();
    QAction& item = m_menus->FavouriteItem();
    item.setEnabled(enabled);
    item.setChecked(enabled && m_playLog->Record(m_currentGame->ZipName).Favourite);
}

void TMain::GameListContextMenu(const QPoint& globalPos)
{
    if (!m_currentGame || m_gameList->SelectedRow() < 0) {
        return;
    }
    QMenu menu(this);
    menu.addAction(&m_menus->FavouriteItem());
    menu.exec(globalPos);
}

void TMain::RecordPlay(TGameObject& game, const TLaunchResult& result)
{
    if (!result.Ran) {
        return;
    }
    try {
        m_playLog->RecordPlay(game.ZipName, result.Seconds, LocalDateTimeNow());
    } catch (const std::exception& error) {
        ShowError(error.what());
    }
    m_model->GameChanged(&game);
}
