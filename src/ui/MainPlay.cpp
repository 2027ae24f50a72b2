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

#include "app/Startup.h"
#include "base/Version.h"
#include "catalogue/PlayLog.h"
#include "controllers/PlayText.h"
#include "launch/LaunchGame.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/SearchField.h"
#include "ui/SettingsPage.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

void TMain::CreatePlayControls()
{
    m_playLog = std::make_unique<TPlayLog>();
    QWidget* gamesBox = m_gameList->parentWidget();
    m_searchField = new TSearchField(gamesBox);
    static_cast<QVBoxLayout*>(gamesBox->layout())->insertWidget(0, m_searchField);
    connect(m_searchField, &TSearchField::SearchChanged, this, &TMain::SearchChanged);
    connect(m_searchField, &TSearchField::Left, this, [this] { m_gameList->CurrentView()->setFocus(); });
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
    m_playLog = std::make_unique<TPlayLog>(
        TPlayLog::Open(FolderOf(m_startup.Paths().MainIniPath) + kPlayLogFileName));
    m_model->SetPlayLog(m_playLog.get());
    if (!m_playLog->LoadError().empty()) {
        ShowError(m_playLog->LoadError() + "\rFavourites and play times are not saved in this session.");
    }
    const TPlayViewChoices& choices = m_playLog->ViewChoices();
    m_menus->ReflectPlayFilters(choices.FavouritesOnly, choices.RecentlyPlayed);
    // The system's sort was restored first; a play column sorts on top of it, as its menu item does.
    if (choices.SortColumn != TPlayColumn::None && m_model->columnCount() > int(choices.SortColumn)) {
        SortOn(TListColumn::Name);
        SortOn(static_cast<TListColumn>(choices.SortColumn));
    }
}

void TMain::SavePlayViewChoices()
{
    // The choices of the couch additions stay as they are.
    TPlayViewChoices choices = m_playLog->ViewChoices();
    choices.FavouritesOnly = m_menus->FavouritesOnly();
    choices.RecentlyPlayed = m_menus->RecentOnly();
    const auto column = static_cast<int>(m_view.SortColumn);
    choices.SortColumn = column >= kListColumnCount ? TPlayColumn(column) : TPlayColumn::None;
    try {
        m_playLog->SetViewChoices(choices);
    } catch (const std::exception& error) {
        ShowError(error.what());
    }
}

int TMain::SystemListCount() const
{
    TGameListFilter systemFilter;
    systemFilter.SetInstallFilter(m_view.Filter);
    const TGameObjectList& catalogue = m_startup.Catalogue();
    int count = 0;
    for (int i = 0; i < catalogue.Count(); ++i) {
        if (systemFilter.Accepts(catalogue.At(i))) {
            ++count;
        }
    }
    return count;
}

void TMain::ApplyPlayOrder()
{
    if (m_menus->RecentOnly()) {
        m_model->Sort(TListColumn::LastPlayed, true);
    }
}

void TMain::UpdateTitle()
{
    setWindowTitle(QString("VantorKorb %1 [%2 of %3 games]")
                       .arg(kVersionText)
                       .arg(m_model->Count())
                       .arg(m_startup.Catalogue().Count()));
}

void TMain::SearchChanged(const QString& text)
{
    TGameObject* selected = m_model->GameAt(m_gameList->SelectedRow());
    if (!m_model->Searching() && !text.trimmed().isEmpty()) {
        m_gameBeforeSearch = selected ? selected->ZipName : std::string();
    }
    m_filling = true;
    m_model->SetSearch(text.toStdString());
    m_filling = false;
    if (!m_model->Searching() && !selected && !m_gameBeforeSearch.empty()) {
        const int index = m_startup.Catalogue().IndexOf(m_gameBeforeSearch);
        selected = index >= 0 ? &m_startup.Catalogue().At(index) : nullptr;
    }
    const int row = m_model->RowOf(selected);
    if (row >= 0) {
        // The game stays current: no selection update, no sound restarted for every key.
        m_filling = true;
        m_gameList->SelectRow(row);
        m_filling = false;
        if (selected != m_currentGame) {
            UpdateSelection();
        }
    } else {
        m_startEmuButton->setEnabled(false);
    }
    UpdateTitle();
}

void TMain::MenuPlayFilterClick()
{
    SavePlayViewChoices();
    m_startup.LastListPos = 0;
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

void TMain::RecordPlay(const TLaunchContext& context)
{
    if (!context.EmulatorRan) {
        return;
    }
    try {
        m_playLog->RecordPlay(context.Game.ZipName, context.RunSeconds, LocalDateTimeNow());
    } catch (const std::exception& error) {
        ShowError(error.what());
    }
    m_model->GameChanged(&context.Game);
}
