#pragma once
// Real child processes on POSIX: own process group, nice value for the priority, terminal when wanted.

#include "platform/Processes.h"
#include "platform/TerminalCommand.h"

#include <functional>
#include <memory>
#include <string>

// The nice value a priority class becomes.
int NiceValueOf(TPriorityClass priority);

// The line that tells the user a terminal could not open and the command ran without one.
std::string TerminalFailedText(const std::string& terminal);

struct TTerminalNotice
{
    std::function<void(const std::string& text)> Handler;
    bool Told = false;
};

class TPosixProcesses : public TProcesses
{
public:
    TPosixProcesses();
    explicit TPosixProcesses(TTerminalEnvironment environment);

    TStartResult Start(const TProcessStart& start) override;
    // There is no event loop at this level: nothing to handle, never told to quit.
    bool ProcessPendingEvents() override { return true; }
    // Called once, the first time a terminal ends without running its command (which then runs
    // without it), with a line naming that terminal.
    void OnTerminalFailed(std::function<void(const std::string& text)> handler);

private:
    TTerminalEnvironment m_environment;
    std::shared_ptr<TTerminalNotice> m_notice = std::make_shared<TTerminalNotice>();
};
