// TMain: the menu bar and the handlers of the View, Settings, Tools and Sound commands.
#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
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
#include "ui/SignalCloser.h"

QAction* TMain::AddMenuItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QAction* TMain::AddRadio(QMenu* menu, QActionGroup* group, const QString& name, const QString& caption)
{
    QAction* item = AddMenuItem(menu, name, caption);
    item->setCheckable(true);
    group->addAction(item);
    return item;
}

QAction* TMain::MenuItem(const QString& name) const
{
    return findChild<QAction*>(name);
}

void TMain::SetChecked(const QString& name, bool checked)
{
    if (QAction* item = MenuItem(name)) {
        item->setChecked(checked);
    }
}

void TMain::CreateMenus()
{
    CreateViewMenu();
    CreateSettingsMenu();
    CreateToolsMenu();
    m_screenShotMenu = menuBar()->addMenu("S&creenShot");
    m_screenShotMenu->setObjectName("MenuScreenShot");
    FillPageMenus();
    CreateSoundMenu();
    CreateHelpMenu();
}

void TMain::CreateViewMenu()
{
    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("MenuView");
    m_filterGroup = new QActionGroup(this);
    AddRadio(view, m_filterGroup, "MSGamesInstalled", "&Installed Games");
    AddRadio(view, m_filterGroup, "MSGamesUninstalled", "&Uninstalled Games");
    AddRadio(view, m_filterGroup, "MSGamesAll", "&All Games")->setChecked(true);
    // Filter items may all be unchecked (a hand-edited file); the group must allow that.
    m_filterGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(m_filterGroup, &QActionGroup::triggered, this, &TMain::MenuViewGamesClick);
    view->addSeparator()->setObjectName("MSN1");
    m_styleGroup = new QActionGroup(this);
    const char* const styles[][2] = {{"MSIconsLarge", "Large Icons"},
                                     {"MSIconsSmall", "Small Icons"},
                                     {"MSIconsList", "List"},
                                     {"MSIconsDetails", "Details"}};
    for (int value = 0; value < 4; ++value) {
        AddRadio(view, m_styleGroup, styles[value][0], styles[value][1])->setData(value);
    }
    MenuItem("MSIconsLarge")->setChecked(true);
    connect(m_styleGroup, &QActionGroup::triggered, this, &TMain::MenuIconsViewClick);
    view->addSeparator()->setObjectName("MSN2");
    m_sortByMenu = view->addMenu("Sort by");
    m_sortByMenu->menuAction()->setObjectName("MSListSortby");
    m_sortGroup = new QActionGroup(this);
    AddRadio(m_sortByMenu, m_sortGroup, "MSSortbyName", "Name")->setChecked(true);
    AddRadio(m_sortByMenu, m_sortGroup, "MSSortByZipname", "Zipname");
    connect(m_sortGroup, &QActionGroup::triggered, this, &TMain::MSSortMenuClick);
    QMenu* order = view->addMenu("Order");
    order->menuAction()->setObjectName("MSOrder");
    m_orderGroup = new QActionGroup(this);
    AddRadio(order, m_orderGroup, "MSOrderAscending", "Ascending")->setChecked(true);
    AddRadio(order, m_orderGroup, "MSOrderDescending", "Descending");
    connect(m_orderGroup, &QActionGroup::triggered, this, &TMain::MSOrderClick);
    connect(AddMenuItem(view, "MSListChangefont", "List Font ..."), &QAction::triggered, this,
            &TMain::MSChangelistfontClick);
    connect(AddMenuItem(view, "MSListBackgroundcolor", "List Backgroundcolor ..."), &QAction::triggered, this,
            &TMain::MSListBackgroundcolorClick);
    view->addSeparator()->setObjectName("MSN3");
    QAction* hot = AddMenuItem(view, "MSHotTracking", "&Hot Tracking");
    hot->setCheckable(true);
    hot->setChecked(true);
    hot->setShortcut(QKeySequence("Ctrl+H"));
    connect(hot, &QAction::triggered, this, &TMain::MenuHotTrackingClick);
    view->addSeparator()->setObjectName("MSN4");
    QAction* tab = AddMenuItem(view, "MSTabsheet", "&Tab Sheet");
    tab->setCheckable(true);
    tab->setChecked(true);
    tab->setShortcut(QKeySequence("Ctrl+T"));
    connect(tab, &QAction::triggered, this, &TMain::MenuViewTabSheetClick);
    QAction* bar = AddMenuItem(view, "MSStatbar", "&Statusbar");
    bar->setCheckable(true);
    bar->setChecked(true);
    connect(bar, &QAction::triggered, this, &TMain::MenuViewStatBarClick);
}

void TMain::CreateSettingsMenu()
{
    QMenu* settings = menuBar()->addMenu("&Settings");
    settings->setObjectName("MenuSettings");
    connect(AddMenuItem(settings, "MenuSetDefaultSettings", "Set &Default Settings"), &QAction::triggered,
            this, &TMain::MenuSetDefaultSettingsClick);
    connect(AddMenuItem(settings, "MenuSetAlternativeRompath", "Set Zipped &Rompaths"), &QAction::triggered,
            this, &TMain::MenuSetAlternativeRompathClick);
}

void TMain::CreateToolsMenu()
{
    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("MenuTools");
    connect(AddMenuItem(tools, "MenuCheckForInstalledGames", "Check for new &Installed games"),
            &QAction::triggered, this, &TMain::MenuCheckForInstalledGamesClick);
    connect(AddMenuItem(tools, "MenuCheckforSupportedgames", "Check for new &Supported games"),
            &QAction::triggered, this, &TMain::MenuCheckforSupportedgamesClick);
    tools->addSeparator()->setObjectName("MSDividerN1");
    connect(AddMenuItem(tools, "MSReportNeeded", "Report Needed Stuff"), &QAction::triggered, this,
            &TMain::MSReportNeededClick);
}

void TMain::CreateSoundMenu()
{
    QMenu* sound = menuBar()->addMenu("So&und");
    sound->setObjectName("MenuSound");
    m_soundGroup = new QActionGroup(this);
    AddRadio(sound, m_soundGroup, "MSSndMusic", "&Music")->setShortcut(QKeySequence("Ctrl+M"));
    AddRadio(sound, m_soundGroup, "MSSndSamples", "&Samples")->setShortcut(QKeySequence("Ctrl+S"));
    AddRadio(sound, m_soundGroup, "MSSndNone", "&No Sound")->setShortcut(QKeySequence("Ctrl+N"));
    MenuItem("MSSndMusic")->setChecked(true);
    m_soundGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(m_soundGroup, &QActionGroup::triggered, this, &TMain::MSSndClick);
}

void TMain::CreateHelpMenu()
{
    m_helpMenu = menuBar()->addMenu("&Help");
    m_helpMenu->setObjectName("MenuHelp");
}

void TMain::MenuViewGamesClick(QAction* item)
{
    if (item) {
        item->setChecked(true);
    }
    m_startup.LastListPos = 0;
    FillGameList();
}

void TMain::MenuIconsViewClick(QAction* item)
{
    item->setChecked(true);
    m_gameList->SetViewStyle(static_cast<TListStyle>(item->data().toInt()));
}

void TMain::SortOn(int column)
{
    setUpdatesEnabled(false);
    m_sortColumn = column;
    const QList<QAction*> items = m_sortGroup->actions();
    if (column >= 0 && column < items.size()) {
        items[column]->setChecked(true);
    }
    m_model->Sort(column, Descending());
    setUpdatesEnabled(true);
}

bool TMain::Descending() const
{
    return MenuItem("MSOrderDescending")->isChecked();
}

void TMain::MSSortMenuClick(QAction* item)
{
    SortOn(0);
    SortOn(static_cast<int>(m_sortGroup->actions().indexOf(item)));
}

void TMain::MSOrderClick(QAction* item)
{
    item->setChecked(true);
    SortOn(m_sortColumn);
}

void TMain::GameListColumnClick(int column)
{
    if (column == m_sortColumn) {
        SetChecked(Descending() ? "MSOrderAscending" : "MSOrderDescending", true);
    }
    SortOn(0);
    SortOn(column);
}

void TMain::MSChangelistfontClick()
{
    if (auto chosen = m_services.Dialogs->ChooseFont(m_listFont)) {
        m_listFont = *chosen;
        ApplyListFont();
    }
}

void TMain::MSListBackgroundcolorClick()
{
    if (auto chosen = m_services.Dialogs->ChooseColour(m_listBgColor)) {
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

void TMain::MenuHotTrackingClick()
{
    // The toggle has already flipped its own check mark when it was clicked.
    const bool on = MenuItem("MSHotTracking")->isChecked();
    m_pageControl->tabBar()->setAttribute(Qt::WA_Hover, on);
    m_pageControl->tabBar()->update();
    m_gameList->SetHotTrack(on);
}

void TMain::MenuViewStatBarClick()
{
    statusBar()->setVisible(MenuItem("MSStatbar")->isChecked());
}

void TMain::MenuViewTabSheetClick()
{
    // The check mark has flipped already: checked now means the sheet was hidden.
    if (MenuItem("MSTabsheet")->isChecked()) {
        ShowTabSheet();
    } else {
        HideTabSheet();
    }
}

void TMain::HideTabSheet()
{
    SetChecked("MSTabsheet", false);
    if (!m_pageControl->isHidden()) {
        m_hiddenPanelWidth = GameListPanelWidth();
        m_pageControl->hide();
        m_splitter->handle(1)->setEnabled(false);
        m_splitter->refresh();
    }
}

void TMain::ShowTabSheet()
{
    SetChecked("MSTabsheet", true);
    if (m_pageControl->isHidden()) {
        m_pageControl->show();
        m_splitter->handle(1)->setEnabled(true);
        m_splitter->refresh();
        SetGameListPanelWidth(m_hiddenPanelWidth);
    }
}

void TMain::MenuCheckForInstalledGamesClick()
{
    UpdateInstallStates(m_startup.Catalogue(), m_startup.ZipRomPaths());
    m_gameList->ClearSelection();
    m_startEmuButton->setEnabled(false);
    FillGameList();
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
    // After a load that stopped, the catalogue is empty: the title must say so too.
    FillGameList();
}

void TMain::MenuSetAlternativeRompathClick()
{
    // Confirmed or cancelled, the installed states are checked again.
    if (m_zipDirsCommand)
        m_zipDirsCommand();
    MenuCheckForInstalledGamesClick();
}

void TMain::MSReportNeededClick()
{
    if (!m_services.Shell) {
        return;
    }
    try {
        WriteNeededReport(m_startup.Catalogue(), m_startup.Paths(), kVersionText, *m_services.Shell);
    } catch (const std::exception& error) {
        // The command ends here; nothing is opened and an older report stays as it was.
        ShowError(error.what());
    }
}

TSoundMode TMain::SoundMode() const
{
    if (MenuItem("MSSndMusic")->isChecked()) {
        return TSoundMode::Music;
    }
    return MenuItem("MSSndSamples")->isChecked() ? TSoundMode::Samples : TSoundMode::None;
}

void TMain::MSSndClick(QAction* item)
{
    item->setChecked(true);
    PlayGameSound();
}

void TMain::PlayGameSound()
{
    m_sound->PlayGameSound(m_currentGame, m_startup.Paths().SoundDir, SoundMode());
}
