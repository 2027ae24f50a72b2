#pragma once
// Playing from the couch, on top of the main window: a game controller drives the list, the launch, the
// favourites and the screenshots; full screen; a random game. Menu items come after a separator after the
// system's own; the full-screen choice is kept in the play log.

#include <cstdint>
#include <functional>

#include <QElapsedTimer>
#include <QObject>

#include "controllers/PadMapper.h"
#include "controllers/RandomPick.h"

class QAction;
class QShortcut;
class TDialogs;
class TMain;
class TProcesses;
class TSdlGamepad;

class TMainCouch : public QObject
{
    Q_OBJECT
public:
    // Adds "Full Screen" to View and "Random Game" to Game. Call after the window's FormCreate, before it
    // shows: a full screen kept in the play log then shows at once.
    TMainCouch(TMain& window, TProcesses& processes, TDialogs& dialogs);

    // Pad events reach the window from now on; without a pad nothing happens.
    void Attach(TSdlGamepad& gamepad);

    void Command(TPadCommand command);
    void RandomGame();
    void SetFullScreen(bool on);
    bool FullScreen() const;
    QAction& FullScreenItem() const { return *m_fullScreenItem; }
    QAction& RandomItem() const { return *m_randomItem; }
    // Milliseconds for the held buttons; a steady clock unless a test sets its own.
    void SetClock(std::function<int64_t()> clock) { m_now = std::move(clock); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Connected(const QString& name);
    void Polled();
    // A launch under way, a message box or an open menu: the pad does not reach the list then.
    bool WindowBusy() const;
    void SendKey(int key);
    void Back();
    void ReflectFullScreen();
    void ApplyStoredFullScreen();

    TMain& m_window;
    TProcesses& m_processes;
    TDialogs& m_dialogs;
    TPadMapper m_mapper;
    TRandomPick m_randomPick;
    QElapsedTimer m_clock;
    std::function<int64_t()> m_now;
    QAction* m_fullScreenItem = nullptr;
    QAction* m_randomItem = nullptr;
    QShortcut* m_leaveFullScreen = nullptr;
};
