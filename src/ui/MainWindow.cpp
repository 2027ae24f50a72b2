#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

#include "app/Startup.h"
#include "catalogue/GameObject.h"
#include "catalogue/InstalledGames.h"
#include "catalogue/PlayLog.h"
#include "controllers/GameSound.h"
#include "controllers/WindowFit.h"
#include "platform/Media.h"
#include "platform/qt/FormFonts.h"
#include "platform/qt/QtText.h"
#include "ui/DefaultButtonKeys.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/Pictures.h"
#include "ui/SettingsPage.h"

namespace {
constexpr int kPanelMinWidth = 145;
constexpr int kSplitterWidth = 3;
// The pages stay wide enough to read and to reach beside a wide list.
constexpr int kPagesMinWidth = 200;
constexpr int kMinClientHeight = 140;
const char* const kCreditLine = "VantorKorb by the VantorKorb team";

template <typename TService> TService& Required(TService* service, const char* name)
{
    if (!service) {
        throw std::invalid_argument(std::string("The main window needs the ") + name + " service");
    }
    return *service;
}
} // namespace

TMain::TMain(const TPlatformServices& services, TStartup& startup, QWidget* parent)
    : QMainWindow(parent), m_dialogs(Required(services.Dialogs, "dialogs")),
      m_shell(Required(services.Shell, "shell")), m_media(Required(services.Media, "media")),
      m_startup(startup), m_session(startup.Session()), m_model(new TGameListModel(2, this)),
      m_list(std::make_unique<TGameListController>(m_model->Rows(), m_session.Catalogue,
                                                   m_session.ZipRomPaths, m_session.LastListPos)),
      m_view(m_list->View()), m_sound(new TGameSound(&m_media, &m_dialogs))
{
    m_list->Selection = [this] { return ListSelection(); };
    m_model->FreshenZipDate = [this](TGameObject& game) { m_list->FreshenZipDate(game); };
    m_list->PlayFilters = [this] { return PlayFilters(); };
    m_list->OnError = [this](const std::string& text) { ShowError(text); };
    setObjectName("Main1");
    setWindowTitle("VantorKorb");
    setWindowIcon(AppIcon());
    QFont font("Arial");
    font.setPointSize(9);
    setFont(font);
    CreateControls();
    CreatePages();
    m_menus = new TMainMenuBar(*menuBar(), this);
    FillPageMenus();
    ConnectMenus();
    CreatePlayControls();
    ConnectPlayMenus();
    m_startup.OnApplyMainSettings = [this](const TMainSettingsRecord& record) { ApplyMainSettings(record); };
    m_startup.OnCollectMainSettings = [this](TMainSettingsRecord& record) { CollectMainSettings(record); };
    m_startup.OnError = [this](const std::string& text) { ShowError(text); };
    m_startup.ZipDatesWanted = [this] { return ZipDatesShown(); };
    // Enter anywhere in the window presses the default button, the Start button.
    new TDefaultButtonKeys(this, [this] { StartEmuButtonClick(); });
    UpdateMinimumSize();
    resize(593, 354 + menuBar()->sizeHint().height());
    CentreOnDesktop();
}

void TMain::CentreOnDesktop()
{
    if (const QScreen* screen = this->screen()) {
        move(CentredFramePosition(size().grownBy(FrameMargins()), screen->availableGeometry()));
    }
}

void TMain::UpdateMinimumSize()
{
    const int pages = m_pageControl->isHidden() ? 0 : kPagesMinWidth + kSplitterWidth;
    setMinimumSize(kPanelMinWidth + kSplitterWidth + pages, kMinClientHeight);
}

QMargins TMain::FrameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (isVisible() && frame != client) {
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    }
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    return {border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + border, border, border};
}

TMain::~TMain()
{
    delete m_sound;
}

void TMain::CreateControls()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("Splitter");
    m_splitter->setHandleWidth(kSplitterWidth);
    m_splitter->setChildrenCollapsible(false);
    m_gameListPanel = new QWidget(m_splitter);
    m_gameListPanel->setObjectName("GameListPanel");
    m_gameListPanel->setMinimumWidth(kPanelMinWidth);
    auto* panelLayout = new QVBoxLayout(m_gameListPanel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->setSpacing(2);
    auto* grGames = new QGroupBox("Games", m_gameListPanel);
    grGames->setObjectName("GrGames");
    auto* gamesLayout = new QVBoxLayout(grGames);
    gamesLayout->setContentsMargins(2, 2, 2, 2);
    // The logo and the list share one cell; the logo shows only while the list is hidden.
    m_defaultBackImage = new QLabel(grGames);
    m_defaultBackImage->setObjectName("DefaultbackImage");
    m_defaultBackImage->setAlignment(Qt::AlignCenter);
    m_defaultBackImage->setPixmap(LogoIcon().pixmap(QSize(128, 128), devicePixelRatioF()));
    m_defaultBackImage->hide();
    m_gameList = new TGameListView(*m_model, grGames);
    m_gameList->setObjectName("GameList");
    gamesLayout->addWidget(m_gameList);
    gamesLayout->addWidget(m_defaultBackImage);
    panelLayout->addWidget(grGames, 1);
    auto* startButtonPanel = new QWidget(m_gameListPanel);
    startButtonPanel->setObjectName("StartButtonPanel");
    startButtonPanel->setFixedHeight(39);
    auto* buttonLayout = new QVBoxLayout(startButtonPanel);
    buttonLayout->setContentsMargins(0, 2, 0, 2);
    m_startEmuButton = new QPushButton(startButtonPanel);
    m_startEmuButton->setObjectName("StartEmuButton");
    m_startEmuButton->setFixedHeight(35);
    m_startEmuButton->setIcon(StartButtonIcon());
    m_startEmuButton->setIconSize(QSize(96, 28));
    m_startEmuButton->setToolTip("Start the selected game");
    m_startEmuButton->setEnabled(false);
    m_startEmuButton->setDefault(true);
    buttonLayout->addWidget(m_startEmuButton);
    panelLayout->addWidget(startButtonPanel);
    m_pageControl = new QTabWidget(m_splitter);
    m_pageControl->setObjectName("PageControl");
    // Hot tracking is on until the settings say otherwise; tab bars report the pointer only when asked.
    m_pageControl->tabBar()->setAttribute(Qt::WA_Hover, true);
    // In a narrow window the pages give way instead of pushing the control past the window's edge.
    m_pageControl->setMinimumWidth(kPagesMinWidth);
    m_splitter->addWidget(m_gameListPanel);
    m_splitter->addWidget(m_pageControl);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({185, 593 - 185 - kSplitterWidth});
    setCentralWidget(m_splitter);

    m_statusZip = new QLabel("zipname", this);
    m_statusZip->setObjectName("StatusPanel0");
    m_statusZip->setFixedWidth(70);
    m_statusZip->setAlignment(Qt::AlignCenter);
    m_statusText = new QLabel(this);
    m_statusText->setObjectName("StatusPanel1");
    m_statusText->setAlignment(Qt::AlignCenter);
    statusBar()->setObjectName("StatusBar");
    statusBar()->setFixedHeight(20);
    statusBar()->addWidget(m_statusZip, 0);
    statusBar()->addWidget(m_statusText, 1);

    connect(m_gameList, &TGameListView::SelectItem, this, &TMain::GameListSelectItem);
    connect(m_gameList, &TGameListView::DoubleClicked, this, &TMain::GameListDblClick);
    connect(m_gameList, &TGameListView::EnterPressed, this, &TMain::StartEmuButtonClick);
    connect(m_gameList, &TGameListView::ColumnClicked, this, &TMain::GameListColumnClick);
    connect(m_startEmuButton, &QPushButton::clicked, this, &TMain::StartEmuButtonClick);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this](int position) {
        m_panelWidth = position;
        GameListPanelResize();
    });
}

void TMain::AddListColumn()
{
    m_model->SetColumnCount(m_model->columnCount() + 1);
}

void TMain::FormCreate()
{
    ScaleFormFonts(this);
    const TLoadOutcome outcome = m_startup.LoadSequence(true);
    if (outcome == TLoadOutcome::MustEnd) {
        m_mustEnd = true;
        return;
    }
    PagesAfterLoad();
    ApplyScreenshotControls();
    if (outcome == TLoadOutcome::Loaded) {
        // A completed load ends with the detection.
        FillGameList(TZipDates::JustDetected);
    }
    // The restored size moved the window's centre.
    CentreOnDesktop();
}

void TMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMain::FormClose()
{
    if (m_closed || m_mustEnd) {
        return;
    }
    m_closed = true;
    // Off the screen before the saving, which waits for the disk: on a busy machine that takes a while.
    hide();
    QGuiApplication::sync();
    // The system's rule looks at the system's list: a search or one of our filters may hide every game.
    if (m_list->SystemListCount() == 0) {
        MenuViewGamesClick(TGameFilter::Installed);
    }
    m_sound->Stop();
    m_media.Release();
    ReleasePages();
    m_startup.SaveSequence();
    ReleaseCatalogueView();
}

// The list must never point at records the catalogue has released.
void TMain::ReleaseCatalogueView()
{
    m_currentGame = nullptr;
    m_list->Release();
    emit CurrentGameChanged(nullptr);
}

void TMain::FillGameList(TZipDates zipDates)
{
    setUpdatesEnabled(false);
    const std::optional<int> row = m_list->Fill(zipDates, LocalDateTimeNow());
    if (row) {
        // The fill runs the selection update once itself, below.
        m_filling = true;
        m_gameList->SelectRow(*row);
        m_filling = false;
    }
    UpdateSelection();
    UpdateTitle();
    setUpdatesEnabled(true);
}

TListSelection TMain::ListSelection() const
{
    return {m_model->GameAt(m_gameList->SelectedRow()), m_currentGame, EditingDefaults()};
}

TPlayFilters TMain::PlayFilters() const
{
    return {m_menus->FavouritesOnly(), m_menus->RecentOnly()};
}

void TMain::UpdateSelection()
{
    if (EditingDefaults()) {
        // The list behind the logo may change, but the "Default" record stays what the window edits.
        m_currentGame = m_settingsPage->CurrentGame();
        m_startEmuButton->setEnabled(false);
        return;
    }
    const int row = m_gameList->SelectedRow();
    m_currentGame = m_model->GameAt(row);
    m_startEmuButton->setEnabled(m_list->RowSelected(row));
    ShowGameOnPages();
    if (m_currentGame) {
        m_statusZip->setText(TextFromBytes(m_currentGame->ZipName));
        PlayGameSound();
    } else {
        m_statusZip->setText("none");
    }
    LoadScreenshots();
    ShowCredit();
    emit CurrentGameChanged(m_currentGame);
}

void TMain::GameListSelectItem(bool selected)
{
    if (m_filling) {
        return;
    }
    if (selected) {
        UpdateSelection();
    } else {
        m_startEmuButton->setEnabled(false);
    }
}

void TMain::GameListDblClick()
{
    StartEmuButtonClick();
}

void TMain::SetStatusText(const QString& text)
{
    m_statusText->setText(text);
    m_statusText->repaint();
}

void TMain::ShowCredit()
{
    SetStatusText(kCreditLine);
}

int TMain::GameListPanelWidth() const
{
    // Until the window is on screen the splitter has not laid anything out; the wanted width stands.
    if (!m_splitter->isVisible()) {
        return m_panelWidth;
    }
    const QList<int> sizes = m_splitter->sizes();
    return sizes.isEmpty() ? m_gameListPanel->width() : sizes.first();
}

void TMain::SetGameListPanelWidth(int width)
{
    const int total = m_splitter->width();
    if (!m_pageControl->isHidden() && m_splitter->isVisible()) {
        width = std::min(width, total - kSplitterWidth - kPagesMinWidth);
    }
    width = std::max(width, kPanelMinWidth);
    if (!m_pageControl->isHidden()) {
        m_panelWidth = width;
    }
    m_splitter->setSizes({width, std::max(0, total - width - kSplitterWidth)});
    m_gameListPanel->resize(width, m_gameListPanel->height());
}

void TMain::GameListPanelResize()
{
    m_gameList->Rearrange();
}

void TMain::keyPressEvent(QKeyEvent* event)
{
    // Outside dialogs a focused button ignores Enter; as the window's default button it presses.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_startEmuButton) {
        // A held key repeats: only its first press starts a game.
        if (!event->isAutoRepeat()) {
            StartEmuButtonClick();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_pageControl->isHidden()) {
        SetGameListPanelWidth(m_panelWidth);
    }
    // A window manager shows a new window normal whatever state it was given: minimise it once it is up.
    if (m_startMinimised && !event->spontaneous()) {
        m_startMinimised = false;
        QTimer::singleShot(0, this, [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    }
}

void TMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMain::FormResize()
{
    // The minimum size keeps the client at least 148 by 140; the list panel must still fit beside it.
    const int client = m_splitter->width();
    if (m_pageControl->isVisible() && client < m_panelWidth + kSplitterWidth + kPagesMinWidth) {
        SetGameListPanelWidth(client - kSplitterWidth - kPagesMinWidth);
    }
    GameListPanelResize();
}

void TMain::ShowError(const std::string& text)
{
    ::ShowError(m_dialogs, text);
}
