#include "ui/MainCouch.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <QThread>

#include "catalogue/GameObject.h"
#include "catalogue/PlayLog.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/qt/SdlGamepad.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/MainWindow.h"
#include "ui/ScreenShotPage.h"
#include "ui/SearchField.h"

TMainCouch::TMainCouch(TMain& window, TProcesses& processes, TDialogs& dialogs)
    : QObject(&window), m_window(window), m_processes(processes), m_dialogs(dialogs)
{
    m_clock.start();
    m_now = [this] { return m_clock.elapsed(); };
    QMenuBar& bar = *window.menuBar();
    if (QMenu* view = bar.findChild<QMenu*>("MenuView")) {
        view->addSeparator()->setObjectName("MSNCouch");
        m_fullScreenItem = TMainMenuBar::AddItem(*view, "MenuFullScreen", "Full Screen");
    } else {
        m_fullScreenItem = new QAction("Full Screen", this);
    }
    m_fullScreenItem->setCheckable(true);
    m_fullScreenItem->setShortcut(QKeySequence(Qt::Key_F11));
    // Reachable with the menu bar hidden too.
    window.addAction(m_fullScreenItem);
    connect(m_fullScreenItem, &QAction::triggered, this, [this](bool on) { SetFullScreen(on); });
    if (QMenu* game = bar.findChild<QMenu*>("MenuGame")) {
        game->addSeparator()->setObjectName("MenuGameN1");
        m_randomItem = TMainMenuBar::AddItem(*game, "MenuRandomGame", "Random Game");
    } else {
        m_randomItem = new QAction("Random Game", this);
    }
    connect(m_randomItem, &QAction::triggered, this, &TMainCouch::RandomGame);
    // Only in full screen, so that Escape keeps every other meaning elsewhere.
    m_leaveFullScreen = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    m_leaveFullScreen->setEnabled(false);
    connect(m_leaveFullScreen, &QShortcut::activated, this, [this] {
        if (!m_window.SearchField().text().isEmpty()) {
            // The search had Escape first.
            Back();
        } else {
            SetFullScreen(false);
        }
    });
    window.installEventFilter(this);
    // Another emulator folder brings its own window state and its own choice.
    connect(&window, &TMain::PlayLogOpened, this, &TMainCouch::ApplyStoredFullScreen);
    ApplyStoredFullScreen();
}

void TMainCouch::ApplyStoredFullScreen()
{
    if (m_window.PlayLog().ViewChoices().FullScreen != FullScreen()) {
        m_window.setWindowState(m_window.windowState() ^ Qt::WindowFullScreen);
    }
    ReflectFullScreen();
}

void TMainCouch::Attach(TSdlGamepad& gamepad)
{
    connect(&gamepad, &TSdlGamepad::Connected, this, &TMainCouch::Connected);
    connect(&gamepad, &TSdlGamepad::Disconnected, this, [this] { m_mapper.Reset(); });
    connect(&gamepad, &TSdlGamepad::ButtonChanged, this,
            [this](TPadButton button, bool pressed) { m_mapper.Button(button, pressed, m_now()); });
    connect(&gamepad, &TSdlGamepad::AxisMoved, this,
            [this](TPadAxis axis, int value) { m_mapper.Axis(axis, value, m_now()); });
    connect(&gamepad, &TSdlGamepad::Polled, this, &TMainCouch::Polled);
}

void TMainCouch::Connected(const QString& name)
{
    m_window.SetStatusText(
        QString("Controller connected: %1 - A start, B back, Y random, Back+Start ends a game").arg(name));
}

void TMainCouch::Polled()
{
    m_mapper.Tick(m_now());
    for (const TPadCommand command : m_mapper.TakeCommands()) {
        if (command == TPadCommand::EndGame) {
            // Right away: the run's wait is what keeps the window busy.
            m_processes.EndCurrentRun();
            continue;
        }
        // From the event loop, not from inside the poll: a launch waits in a nested loop, and the poll
        // must go on meanwhile to see Back+Start.
        QMetaObject::invokeMethod(
            this,
            [this, command] {
                if (!WindowBusy()) {
                    Command(command);
                }
            },
            Qt::QueuedConnection);
    }
}

bool TMainCouch::WindowBusy() const
{
    return QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
           QThread::currentThread()->loopLevel() > 1;
}

void TMainCouch::Command(TPadCommand command)
{
    switch (command) {
    case TPadCommand::Up:
        return SendKey(Qt::Key_Up);
    case TPadCommand::Down:
        return SendKey(Qt::Key_Down);
    case TPadCommand::Left:
        return SendKey(Qt::Key_Left);
    case TPadCommand::Right:
        return SendKey(Qt::Key_Right);
    case TPadCommand::PageUp:
        return SendKey(Qt::Key_PageUp);
    case TPadCommand::PageDown:
        return SendKey(Qt::Key_PageDown);
    case TPadCommand::Start:
        return m_window.StartEmuButtonClick();
    case TPadCommand::Back:
        return Back();
    case TPadCommand::Favourite:
        return m_window.MenuFavouriteClick();
    case TPadCommand::Random:
        return RandomGame();
    case TPadCommand::PreviousShot:
        return m_window.ScreenShotPage().SToolPrevClick();
    case TPadCommand::NextShot:
        return m_window.ScreenShotPage().SToolNextClick();
    case TPadCommand::EndGame:
        return m_processes.EndCurrentRun();
    }
}

// The list's own keys move the selection the way each list style lays the games out.
void TMainCouch::SendKey(int key)
{
    QAbstractItemView* view = m_window.GameList().CurrentView();
    if (!view || !view->isEnabled()) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &release);
}

void TMainCouch::Back()
{
    if (!m_window.SearchField().text().isEmpty()) {
        m_window.SearchField().clear();
    } else if (m_window.PageControl().currentIndex() > 0) {
        m_window.PageControl().setCurrentIndex(0);
    }
    m_window.GameList().CurrentView()->setFocus();
}

void TMainCouch::RandomGame()
{
    TGameListModel& model = m_window.Model();
    std::vector<std::string> zips;
    std::vector<int> rows;
    for (int row = 0; row < model.Count(); ++row) {
        const TGameObject* game = model.GameAt(row);
        if (game && game->Installed()) {
            zips.push_back(game->ZipName);
            rows.push_back(row);
        }
    }
    const int pick = m_randomPick.Pick(zips);
    if (pick >= 0) {
        m_window.GameList().SelectRow(rows[pick]);
        m_window.GameList().CurrentView()->setFocus();
    }
}

bool TMainCouch::FullScreen() const
{
    return m_window.windowState() & Qt::WindowFullScreen;
}

void TMainCouch::SetFullScreen(bool on)
{
    if (on != FullScreen()) {
        // The maximised flag stays, so leaving returns to the window as it was.
        m_window.setWindowState(m_window.windowState() ^ Qt::WindowFullScreen);
    }
    ReflectFullScreen();
    TPlayViewChoices choices = m_window.PlayLog().ViewChoices();
    choices.FullScreen = on;
    try {
        m_window.PlayLog().SetViewChoices(choices);
    } catch (const std::exception& error) {
        ShowError(m_dialogs, error.what());
    }
}

void TMainCouch::ReflectFullScreen()
{
    m_fullScreenItem->setChecked(FullScreen());
    m_leaveFullScreen->setEnabled(FullScreen());
}

bool TMainCouch::eventFilter(QObject* watched, QEvent* event)
{
    // The system's settings and the window manager change the state too.
    if (watched == &m_window && event->type() == QEvent::WindowStateChange) {
        ReflectFullScreen();
    }
    return QObject::eventFilter(watched, event);
}
