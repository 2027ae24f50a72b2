#pragma once
// Real child processes on POSIX: own process group, nice value for the priority, terminal when wanted.

#include "platform/Processes.h"
#include "platform/TerminalCommand.h"

// The nice value a priority class becomes.
int NiceValueOf(TPriorityClass priority);

class TPosixProcesses : public TProcesses
{
public:
    TPosixProcesses();
    explicit TPosixProcesses(TTerminalEnvironment environment);

    TStartResult Start(const TProcessStart& start) override;
    // There is no event loop at this level: nothing to handle, never told to quit.
    bool ProcessPendingEvents() override { return true; }

private:
    TTerminalEnvironment m_environment;
};
