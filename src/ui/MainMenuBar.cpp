#include "ui/MainMenuBar.h"

#include <tuple>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {
size_t IndexOf(TGameFilter filter)
{
    return static_cast<size_t>(filter);
}

size_t IndexOf(TSoundMode mode)
{
    return static_cast<size_t>(mode);
}

// Checks the chosen item of a group, or clears them all when there is no choice.
template <size_t N> void CheckOnly(const std::array<QAction*, N>& items, std::optional<size_t> chosen)
{
    for (size_t i = 0; i < N; ++i) {
        items[i]->setChecked(chosen == i);
    }
}
} // namespace

TMainMenuBar::TMainMenuBar(QMenuBar& bar, QObject* parent) : QObject(parent)
{
    CreateViewMenu(bar);
    CreateGameMenu(bar);
    CreateSettingsMenu(bar);
    CreateToolsMenu(bar);
    m_screenShotMenu = bar.addMenu("S&creenShot");
    m_screenShotMenu->setObjectName("MenuScreenShot");
    CreateSoundMenu(bar);
    m_helpMenu = bar.addMenu("&Help");
    m_helpMenu->setObjectName("MenuHelp");
    Reflect(TViewState{});
}

QAction* TMainMenuBar::AddItem(QMenu& menu, const QString& name, const QString& caption)
{
    QAction* item = menu.addAction(caption);
    item->setObjectName(name);
    return item;
}

QAction* TMainMenuBar::AddRadio(QMenu& menu, QActionGroup& group, const QString& name, const QString& caption)
{
    QAction* item = AddItem(menu, name, caption);
    item->setCheckable(true);
    group.addAction(item);
    return item;
}

QAction* TMainMenuBar::AddToggle(QMenu& menu, const QString& name, const QString& caption)
{
    QAction* item = AddItem(menu, name, caption);
    item->setCheckable(true);
    return item;
}

void TMainMenuBar::CreateViewMenu(QMenuBar& bar)
{
    QMenu* view = bar.addMenu("&View");
    view->setObjectName("MenuView");
    CreateFilterItems(*view);
    CreatePlayFilterItems(*view);
    view->addSeparator()->setObjectName("MSN1");
    CreateStyleItems(*view);
    view->addSeparator()->setObjectName("MSN2");
    CreateSortItems(*view);
    connect(AddItem(*view, "MSListChangefont", "List Font ..."), &QAction::triggered, this,
            &TMainMenuBar::ListFontRequested);
    connect(AddItem(*view, "MSListBackgroundcolor", "List Backgroundcolor ..."), &QAction::triggered, this,
            &TMainMenuBar::ListColourRequested);
    view->addSeparator()->setObjectName("MSN3");
    CreateToggles(*view);
}

void TMainMenuBar::CreateFilterItems(QMenu& view)
{
    auto* group = new QActionGroup(this);
    // A hand-edited settings file may leave every filter item unchecked; the group must allow that.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::tuple<TGameFilter, const char*, const char*> items[] = {
        {TGameFilter::Installed, "MSGamesInstalled", "&Installed Games"},
        {TGameFilter::Uninstalled, "MSGamesUninstalled", "&Uninstalled Games"},
        {TGameFilter::All, "MSGamesAll", "&All Games"}};
    for (const auto& [filter, name, caption] : items) {
        QAction* item = AddRadio(view, *group, name, caption);
        m_filterItems[IndexOf(filter)] = item;
        connect(item, &QAction::triggered, this, [this, filter = filter] { emit FilterChosen(filter); });
    }
}

void TMainMenuBar::CreatePlayFilterItems(QMenu& view)
{
    view.addSeparator()->setObjectName("MSPlayFilters");
    m_favouritesFilter = AddToggle(view, "MSGamesFavourites", "&Favourites");
    m_recentFilter = AddToggle(view, "MSGamesRecent", "&Recently played");
    connect(m_favouritesFilter, &QAction::triggered, this, &TMainMenuBar::PlayFiltersChanged);
    connect(m_recentFilter, &QAction::triggered, this, &TMainMenuBar::PlayFiltersChanged);
}

void TMainMenuBar::ReflectPlayFilters(bool favouritesOnly, bool recentOnly)
{
    m_favouritesFilter->setChecked(favouritesOnly);
    m_recentFilter->setChecked(recentOnly);
}

bool TMainMenuBar::FavouritesOnly() const
{
    return m_favouritesFilter->isChecked();
}

bool TMainMenuBar::RecentOnly() const
{
    return m_recentFilter->isChecked();
}

void TMainMenuBar::CreateGameMenu(QMenuBar& bar)
{
    QMenu* game = bar.addMenu("&Game");
    game->setObjectName("MenuGame");
    m_favouriteItem = AddToggle(*game, "MenuFavourite", "&Favourite");
    m_favouriteItem->setShortcut(QKeySequence("Ctrl+D"));
    m_favouriteItem->setEnabled(false);
    connect(m_favouriteItem, &QAction::triggered, this, &TMainMenuBar::FavouriteToggleRequested);
}

void TMainMenuBar::CreateStyleItems(QMenu& view)
{
    auto* group = new QActionGroup(this);
    const char* const items[][2] = {{"MSIconsLarge", "Large Icons"},
                                    {"MSIconsSmall", "Small Icons"},
                                    {"MSIconsList", "List"},
                                    {"MSIconsDetails", "Details"}};
    for (size_t i = 0; i < m_styleItems.size(); ++i) {
        const auto style = static_cast<TListStyle>(i);
        m_styleItems[i] = AddRadio(view, *group, items[i][0], items[i][1]);
        connect(m_styleItems[i], &QAction::triggered, this, [this, style] { emit ListStyleChosen(style); });
    }
}

void TMainMenuBar::CreateSortItems(QMenu& view)
{
    m_sortByMenu = view.addMenu("Sort by");
    m_sortByMenu->menuAction()->setObjectName("MSListSortby");
    m_sortGroup = new QActionGroup(this);
    AddSortItem("MSSortbyName", "Name");
    AddSortItem("MSSortByZipname", "Zipname");
    QMenu* order = view.addMenu("Order");
    order->menuAction()->setObjectName("MSOrder");
    auto* orderGroup = new QActionGroup(this);
    m_orderItems[0] = AddRadio(*order, *orderGroup, "MSOrderAscending", "Ascending");
    m_orderItems[1] = AddRadio(*order, *orderGroup, "MSOrderDescending", "Descending");
    connect(m_orderItems[0], &QAction::triggered, this, [this] { emit OrderChosen(false); });
    connect(m_orderItems[1], &QAction::triggered, this, [this] { emit OrderChosen(true); });
}

void TMainMenuBar::AddSortItem(const QString& name, const QString& caption)
{
    const auto column = static_cast<TListColumn>(m_sortItems.size());
    QAction* item = AddRadio(*m_sortByMenu, *m_sortGroup, name, caption);
    m_sortItems.push_back(item);
    connect(item, &QAction::triggered, this, [this, column] { emit SortChosen(column); });
}

void TMainMenuBar::AddSortSeparator(const QString& name)
{
    m_sortByMenu->addSeparator()->setObjectName(name);
}

void TMainMenuBar::CreateToggles(QMenu& view)
{
    m_hotTracking = AddToggle(view, "MSHotTracking", "&Hot Tracking");
    m_hotTracking->setShortcut(QKeySequence("Ctrl+H"));
    connect(m_hotTracking, &QAction::triggered, this, &TMainMenuBar::HotTrackingToggled);
    view.addSeparator()->setObjectName("MSN4");
    m_tabSheet = AddToggle(view, "MSTabsheet", "&Tab Sheet");
    m_tabSheet->setShortcut(QKeySequence("Ctrl+T"));
    connect(m_tabSheet, &QAction::triggered, this, &TMainMenuBar::TabSheetToggled);
    m_statusBar = AddToggle(view, "MSStatbar", "&Statusbar");
    connect(m_statusBar, &QAction::triggered, this, &TMainMenuBar::StatusBarToggled);
}

void TMainMenuBar::CreateSettingsMenu(QMenuBar& bar)
{
    m_settingsMenu = bar.addMenu("&Settings");
    QMenu* settings = m_settingsMenu;
    settings->setObjectName("MenuSettings");
    connect(AddItem(*settings, "MenuSetDefaultSettings", "Set &Default Settings"), &QAction::triggered, this,
            &TMainMenuBar::DefaultSettingsRequested);
    connect(AddItem(*settings, "MenuSetAlternativeRompath", "Set Zipped &Rompaths"), &QAction::triggered,
            this, &TMainMenuBar::ZipRomPathsRequested);
}

void TMainMenuBar::CreateToolsMenu(QMenuBar& bar)
{
    QMenu* tools = bar.addMenu("&Tools");
    tools->setObjectName("MenuTools");
    connect(AddItem(*tools, "MenuCheckForInstalledGames", "Check for new &Installed games"),
            &QAction::triggered, this, &TMainMenuBar::CheckInstalledRequested);
    connect(AddItem(*tools, "MenuCheckforSupportedgames", "Check for new &Supported games"),
            &QAction::triggered, this, &TMainMenuBar::CheckSupportedRequested);
    tools->addSeparator()->setObjectName("MSDividerN1");
    connect(AddItem(*tools, "MSReportNeeded", "Report Needed Stuff"), &QAction::triggered, this,
            &TMainMenuBar::ReportNeededRequested);
}

void TMainMenuBar::CreateSoundMenu(QMenuBar& bar)
{
    QMenu* sound = bar.addMenu("So&und");
    sound->setObjectName("MenuSound");
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::tuple<TSoundMode, const char*, const char*, const char*> items[] = {
        {TSoundMode::Music, "MSSndMusic", "&Music", "Ctrl+M"},
        {TSoundMode::Samples, "MSSndSamples", "&Samples", "Ctrl+S"},
        {TSoundMode::None, "MSSndNone", "&No Sound", "Ctrl+N"}};
    for (const auto& [mode, name, caption, shortcut] : items) {
        QAction* item = AddRadio(*sound, *group, name, caption);
        item->setShortcut(QKeySequence(shortcut));
        m_soundItems[IndexOf(mode)] = item;
        connect(item, &QAction::triggered, this, [this, mode = mode] { emit SoundChosen(mode); });
    }
}

void TMainMenuBar::Reflect(const TViewState& state)
{
    CheckOnly(m_filterItems, state.Filter ? std::optional(IndexOf(*state.Filter)) : std::nullopt);
    m_styleItems[static_cast<size_t>(state.ListStyle)]->setChecked(true);
    const auto column = static_cast<size_t>(state.SortColumn);
    // A column without an item of its own (the generic window has no Zipdate) leaves the mark where it is.
    if (column < m_sortItems.size()) {
        m_sortItems[column]->setChecked(true);
    }
    m_orderItems[state.Descending ? 1 : 0]->setChecked(true);
    CheckOnly(m_soundItems, state.Sound ? std::optional(IndexOf(*state.Sound)) : std::nullopt);
    m_hotTracking->setChecked(state.HotTracking);
    m_tabSheet->setChecked(state.TabSheet);
    m_statusBar->setChecked(state.StatusBar);
}
