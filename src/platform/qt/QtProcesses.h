#pragma once
// Child processes for the windowed program: waits that poll keep the window's events flowing.

#include <functional>
#include <memory>

#include "platform/PosixProcesses.h"

class QObject;

class TQtProcesses : public TPosixProcesses
{
public:
    TQtProcesses();
    ~TQtProcesses() override;
    // Runs the pending events once; false once the application has been told to quit.
    bool ProcessPendingEvents() override;
    // Runs an event loop that paints and handles timers but eats every keyboard, mouse and window close
    // input until the process has ended, and what was queued up to then.
    void WaitWithoutInput(TProcess& process) override;
    void EndCurrentRun() override;

    // Runs, from the wait's loop and with input allowed again, when the close box is pressed during a
    // wait; without it the close box is dropped like other input.
    std::function<void()> OnCloseDuringRun;

private:
    std::unique_ptr<QObject> m_quitWatch;
    bool m_quit = false;
    TProcess* m_current = nullptr;
};
